#include <openssl/evp.h>

#include <algorithm>
#include <new>
#include <stdexcept>

#include "Sha256.h"

namespace scx::pieces {

struct CSha256::Context {
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    ~Context() { EVP_MD_CTX_free(ctx); }

    void Start() {
        if (ctx == nullptr || EVP_DigestInit_ex(ctx, EVP_sha256(), nullptr) != 1) {
            // libcrypto fails here only when it cannot allocate.
            throw std::bad_alloc();
        }
    }
};

CSha256::CSha256() : m_context(std::make_unique<Context>()) {
    m_context->Start();
}

CSha256::~CSha256() = default;
CSha256::CSha256(CSha256&&) noexcept = default;
CSha256& CSha256::operator=(CSha256&&) noexcept = default;

void CSha256::Update(std::span<const unsigned char> bytes) {
    if (!bytes.empty() && EVP_DigestUpdate(m_context->ctx, bytes.data(), bytes.size()) != 1) {
        throw std::runtime_error("EVP_DigestUpdate failed");
    }
}

std::array<unsigned char, CSha256::kDigestSize> CSha256::Finish() {
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(m_context->ctx, digest.data(), &length) != 1 || length != kDigestSize) {
        throw std::runtime_error("EVP_DigestFinal_ex failed");
    }
    m_context->Start();
    std::array<unsigned char, kDigestSize> result{};
    std::copy_n(digest.begin(), kDigestSize, result.begin());
    return result;
}

}  // namespace scx::pieces
