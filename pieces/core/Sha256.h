#pragma once
// SHA-256 from the system's own well-kept implementation, which uses the processor's SHA
// instructions where it has them: OpenSSL's libcrypto (Sha256_openssl.cpp), Windows' CNG
// (Sha256_win32.cpp). A checksum file is only worth writing if computing it costs less
// than the copy it protects.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace scx::pieces {

inline constexpr std::size_t kSha256HexLength = 64;

class CSha256 {
  public:
    CSha256();
    ~CSha256();
    CSha256(const CSha256&) = delete;
    CSha256& operator=(const CSha256&) = delete;
    CSha256(CSha256&&) noexcept;
    CSha256& operator=(CSha256&&) noexcept;

    void Update(std::span<const unsigned char> bytes);
    // The digest of everything given so far, as 64 lowercase hexadecimal digits; the
    // object then starts again from nothing.
    std::string HexDigest();

  private:
    static constexpr std::size_t kDigestSize = 32;
    // The digest, after which the object starts again from nothing.
    std::array<unsigned char, kDigestSize> Finish();

    struct Context;
    std::unique_ptr<Context> m_context;
};

// The digest of a whole file, read in blocks (memory does not depend on its size).
// `onProgress` receives the bytes read so far. File errors raise CFileException.
std::string Sha256OfFile(const std::string& path,
                         const std::function<void(std::uint64_t bytesRead)>& onProgress = {});

}  // namespace scx::pieces
