#include <windows.h>
// After windows.h, which it needs.
#include <bcrypt.h>

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

#include "Sha256.h"

namespace scx::pieces {

namespace {

// The provider is opened once for the process and never closed: it holds no file and the
// system releases it at exit.
BCRYPT_ALG_HANDLE Sha256Provider() {
    static const BCRYPT_ALG_HANDLE provider = [] {
        BCRYPT_ALG_HANDLE handle = nullptr;
        if (!BCRYPT_SUCCESS(
                BCryptOpenAlgorithmProvider(&handle, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
            throw std::runtime_error("BCryptOpenAlgorithmProvider(SHA256) failed");
        }
        return handle;
    }();
    return provider;
}

}  // namespace

struct CSha256::Context {
    BCRYPT_HASH_HANDLE hash = nullptr;
    ~Context() { Stop(); }

    void Stop() {
        if (hash != nullptr) {
            BCryptDestroyHash(hash);
            hash = nullptr;
        }
    }
    void Start() {
        Stop();
        if (!BCRYPT_SUCCESS(BCryptCreateHash(Sha256Provider(), &hash, nullptr, 0, nullptr, 0, 0))) {
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
    // BCryptHashData takes a 32-bit length.
    constexpr std::size_t kMaxStep = std::numeric_limits<ULONG>::max();
    while (!bytes.empty()) {
        const std::size_t step = std::min(bytes.size(), kMaxStep);
        if (!BCRYPT_SUCCESS(BCryptHashData(m_context->hash, const_cast<PUCHAR>(bytes.data()),
                                           static_cast<ULONG>(step), 0))) {
            throw std::runtime_error("BCryptHashData failed");
        }
        bytes = bytes.subspan(step);
    }
}

std::array<unsigned char, CSha256::kDigestSize> CSha256::Finish() {
    std::array<unsigned char, kDigestSize> digest{};
    if (!BCRYPT_SUCCESS(BCryptFinishHash(m_context->hash, digest.data(), kDigestSize, 0))) {
        throw std::runtime_error("BCryptFinishHash failed");
    }
    // A finished hash object cannot be used again.
    m_context->Start();
    return digest;
}

}  // namespace scx::pieces
