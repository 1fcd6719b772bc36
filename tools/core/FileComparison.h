#pragma once
// The byte comparison of two files from their start: where they first differ.

#include <cstddef>
#include <cstdint>
#include <string>

namespace scx::tools {

struct ComparisonResult {
    enum class Kind {
        identical,
        different,  // `position` says where
        samePath,   // refused: the two paths are one string, nothing was opened
    };
    Kind kind = Kind::identical;
    // The first differing byte counted from 1; when the shorter file is a beginning of
    // the longer one, its length (0 for an empty file).
    std::uint64_t position = 0;
};

// Looks at both files `blockSize` bytes at a time, through views of them where the system
// allows and in reads of at most 256 KiB otherwise, so memory stays bounded whatever their
// size. Both are compared to the end that a read finds, not to the size they report.
// Throws CFileException when either cannot be opened or read, or is cut short meanwhile.
inline constexpr std::size_t kComparisonBlockSize = std::size_t{8} << 20;
ComparisonResult CompareFiles(const std::string& path1, const std::string& path2,
                              std::size_t blockSize = kComparisonBlockSize);

// The window's text of a result: the position in decimal, or string 128 or 132.
std::string ComparisonText(const ComparisonResult& result);

// The length of the file at `path`, opened for reading as the comparison opens it: the
// size the system reports or, where it reports none, the bytes a read finds.
std::uint64_t FileLength(const std::string& path);

}  // namespace scx::tools
