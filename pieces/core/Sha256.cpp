#include "Sha256.h"

#include <vector>

#include "File.h"

namespace scx::pieces {

namespace {

constexpr std::size_t kFileBlock = std::size_t{4} << 20;

}  // namespace

std::string CSha256::HexDigest() {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(kSha256HexLength);
    for (const unsigned char byte : Finish()) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0F];
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
