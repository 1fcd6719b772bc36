#pragma once
// What split and join show of the bytes they move, when asked: every byte of every piece,
// in order, so that checksums are computed on the way rather than by reading the files
// again. Without a tap the engines copy in the kernel, as fast as before.
//
// Calls, for each piece k of the set: OnPieceStart(k, its path), OnPieceBytes for the
// META-TAG (piece 1 of an own set) and then for its data, OnPieceEnd(); after the last
// piece, OnSetEnd(). A tap may throw to stop a join (a checksum that does not match): the
// join then removes the file it was writing.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace scx {
class CFile;
}

namespace scx::pieces {

class CPieceTap {
  public:
    virtual ~CPieceTap() = default;

    virtual void OnPieceStart(std::int64_t piece, const std::string& path) = 0;
    // `tag`: the bytes are the META-TAG, which is no part of the joined file.
    virtual void OnPieceBytes(std::span<const unsigned char> bytes, bool tag) = 0;
    virtual void OnPieceEnd() = 0;
    virtual void OnSetEnd() = 0;
};

// CopyExactly without a tap. With one, the bytes go through a buffer of the program's so
// that the tap sees each as data; holes are then read and written as the zeros they hold.
void CopyPieceData(CFile& from, CFile& to, std::uint64_t count, CPieceTap* tap,
                   const std::function<void(std::uint64_t copied)>& onProgress);

// Reads the META-TAG at the start of the first piece and shows it to `tap`; the piece is
// left at offset 8, where its data start.
void TapMetaTag(CFile& firstPiece, CPieceTap& tap);

}  // namespace scx::pieces
