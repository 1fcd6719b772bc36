#pragma once
// The byte mover behind split and join, and the test that keeps them from writing over
// the files they read.

#include <cstdint>
#include <functional>
#include <string>

namespace scx {
class CFile;
}

namespace scx::pieces {

// Progress reports come at least this often during a copy.
inline constexpr std::uint64_t kCopyReportBytes = std::uint64_t{16} << 20;

// Copies exactly `count` bytes from the current position of `from` to the current
// position of `to`, the end of a file being written. Memory use does not depend on
// `count`. Holes of a sparse source stay holes in `to`. `onProgress` receives the bytes
// copied so far after every step: at most kCopyReportBytes of data, or one hole skipped
// whole. A source that ends early raises CFileException endOfFile naming it, after the
// bytes it had were copied.
void CopyExactly(CFile& from, CFile& to, std::uint64_t count,
                 const std::function<void(std::uint64_t copied)>& onProgress);

// Whether both paths name one file: the same file through a link or another spelling of
// the path, or, for a file that does not exist yet, the same place.
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace scx::pieces
