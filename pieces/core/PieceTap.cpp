#include "PieceTap.h"

#include <algorithm>
#include <vector>

#include "DataCopy.h"
#include "File.h"
#include "MetaTag.h"

namespace scx::pieces {

namespace {

// Small enough that the bytes stay in the processor's cache while they are hashed twice
// (piece and joined file) and written: a 1 MiB block made a split --checksums of 1 GiB
// spend 1.0 s in the kernel instead of 0.4 s. Large enough to keep system calls rare.
constexpr std::size_t kTapBlock = std::size_t{256} << 10;

}  // namespace

void CopyPieceData(CFile& from, CFile& to, std::uint64_t count, CPieceTap* tap,
                   const std::function<void(std::uint64_t copied)>& onProgress) {
    if (tap == nullptr) {
        CopyExactly(from, to, count, onProgress);
        return;
    }
    std::vector<unsigned char> block(static_cast<std::size_t>(
        std::min<std::uint64_t>(std::max<std::uint64_t>(count, 1), kTapBlock)));
    std::uint64_t copied = 0;
    std::uint64_t reported = 0;
    while (copied < count) {
        const auto want =
            static_cast<std::size_t>(std::min<std::uint64_t>(count - copied, block.size()));
        const std::size_t got = from.Read(block.data(), want);
        if (got == 0) {
            throw CFileException(CFileException::endOfFile, from.GetFilePath());
        }
        tap->OnPieceBytes(std::span(block.data(), got), false);
        to.Write(block.data(), got);
        copied += got;
        if (onProgress && (copied - reported >= kCopyReportBytes || copied == count)) {
            reported = copied;
            onProgress(copied);
        }
    }
}

void TapMetaTag(CFile& firstPiece, CPieceTap& tap) {
    MetaTag tag{};
    firstPiece.SeekToBegin();
    firstPiece.ReadExact(tag.data(), tag.size());
    tap.OnPieceBytes(tag, true);
}

}  // namespace scx::pieces
