#include "SetChecksums.h"

namespace scx::pieces {

void CSetChecksums::Expect(std::vector<std::string> pieces, std::string joined) {
    m_expectedPieces = std::move(pieces);
    m_expectedJoined = std::move(joined);
}

void CSetChecksums::OnPieceStart(std::int64_t /*piece*/, const std::string& path) {
    m_paths.push_back(path);
}

void CSetChecksums::OnPieceBytes(std::span<const unsigned char> bytes, bool tag) {
    m_piece.Update(bytes);
    if (!tag) {
        m_joined.Update(bytes);
    }
}

void CSetChecksums::OnPieceEnd() {
    m_digests.push_back(m_piece.HexDigest());
    const std::size_t index = m_digests.size() - 1;
    if (index < m_expectedPieces.size() && m_digests[index] != m_expectedPieces[index]) {
        throw ChecksumMismatch(m_paths[index]);
    }
}

void CSetChecksums::OnSetEnd() {
    m_joinedDigest = m_joined.HexDigest();
    if (!m_expectedJoined.empty() && m_joinedDigest != m_expectedJoined) {
        throw ChecksumMismatch({});
    }
}

}  // namespace scx::pieces
