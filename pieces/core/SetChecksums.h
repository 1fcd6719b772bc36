#pragma once
// The SHA-256 of every piece of a set and of the file the set joins into, computed as the
// split or the join moves the bytes (a CPieceTap), so that no file is read twice. Piece 1
// of an own set is hashed with its META-TAG, as sha256sum sees the file; the joined file
// without it.
//
// Given the digests a checksum file expects, it also checks each piece as soon as its
// last byte has passed, and the joined file at the end, and throws ChecksumMismatch at the
// first difference: the join then stops and removes what it wrote.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "PieceTap.h"
#include "Sha256.h"

namespace scx::pieces {

class ChecksumMismatch : public std::runtime_error {
  public:
    // `path`: the damaged piece; empty when every piece matched but the joined file did not.
    explicit ChecksumMismatch(std::string path)
        : std::runtime_error("checksum mismatch"), m_path(std::move(path)) {}
    const std::string& Path() const { return m_path; }

  private:
    std::string m_path;
};

class CSetChecksums : public CPieceTap {
  public:
    // Piece k's expected digest at index k - 1; an empty `joined` is not checked.
    void Expect(std::vector<std::string> pieces, std::string joined);

    void OnPieceStart(std::int64_t piece, const std::string& path) override;
    void OnPieceBytes(std::span<const unsigned char> bytes, bool tag) override;
    void OnPieceEnd() override;
    void OnSetEnd() override;

    // In piece order, once they have passed.
    const std::vector<std::string>& PiecePaths() const { return m_paths; }
    const std::vector<std::string>& PieceDigests() const { return m_digests; }
    // Once the set has ended.
    const std::string& JoinedDigest() const { return m_joinedDigest; }

  private:
    CSha256 m_piece;
    CSha256 m_joined;
    std::vector<std::string> m_paths;
    std::vector<std::string> m_digests;
    std::string m_joinedDigest;
    std::vector<std::string> m_expectedPieces;
    std::string m_expectedJoined;
};

}  // namespace scx::pieces
