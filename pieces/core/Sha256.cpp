#include "Sha256.h"

#include <openssl/evp.h>

#include <array>
#include <new>
#include <stdexcept>
#include <vector>

#include "File.h"

namespace scx::pieces {

namespace {

constexpr std::size_t kFileBlock = std::size_t{4} << 20;

}  // namespace

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

std::string CSha256::HexDigest() {
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(m_context->ctx, digest.data(), &length) != 1) {
        throw std::runtime_error("EVP_DigestFinal_ex failed");
    }
    m_context->Start();
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(std::size_t{length} * 2);
    for (unsigned int i = 0; i < length; ++i) {
        text += kHex[digest[i] >> 4];
        text += kHex[digest[i] & 0x0F];
    }
    return text;
}

std::string Sha256OfFile(const std::string& path,
                         const std::function<void(std::uint64_t bytesRead)>& onProgress) {
    CFile file(path, CFile::modeRead | CFile::shareExclusive);
    std::vector<unsigned char> block(kFileBlock);
    CSha256 sha;
    std::uint64_t done = 0;
    while (const std::size_t got = file.Read(block.data(), block.size())) {
        sha.Update(std::span(block.data(), got));
        done += got;
        if (onProgress) {
            onProgress(done);
        }
    }
    file.Close();
    return sha.HexDigest();
}

}  // namespace scx::pieces
