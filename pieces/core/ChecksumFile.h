#pragma once
// The checksum file of a set: base name + ".sha256" beside the pieces, in the format that
// sha256sum writes and checks with "sha256sum -c":
//
//   <64 lowercase hexadecimal digits><two blanks><file name>\n
//
// one line per piece in order, then one for the file the join writes. The piece format
// itself carries no checksum; this file travels beside it.
//
// It is read strictly, since it comes with the pieces from wherever they travelled: any
// other line (upper-case digits, sha256sum's " *" binary marker or "\" escaped names, a
// blank line, a carriage return) is refused with its number, and so is a name that is not
// a plain file name (a folder in it, ".", ".."): verifying must never read, nor lead the
// user to trust, a file outside the set's folder. The last line may lack its line feed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scx::pieces {

inline constexpr std::string_view kChecksumExtension = ".sha256";
// Far above the lines of the largest set (999 pieces, or a few thousand HJSplit ones):
// anything longer is not a checksum file of a set, and is not read into memory.
inline constexpr std::uint64_t kMaxChecksumFileBytes = std::uint64_t{1} << 20;

struct ChecksumEntry {
    std::string digest;  // 64 lowercase hexadecimal digits
    std::string name;    // a plain file name
};

enum class ChecksumFault {
    none,
    malformedLine,  // not digest, two blanks, name
    unsafeName,     // a folder, ".", ".." or a separator in the name
    duplicateName,  // the same name on two lines
    tooLarge,       // longer than kMaxChecksumFileBytes
};

struct ChecksumListing {
    std::vector<ChecksumEntry> entries;
    ChecksumFault fault = ChecksumFault::none;
    std::size_t faultLine = 0;  // from 1; 0 for tooLarge

    // The entry for `name`, or null.
    const ChecksumEntry* Find(std::string_view name) const;
};

// folder + baseName + ".sha256"; the folder ends with its separator.
std::string ChecksumFilePath(std::string_view folder, std::string_view baseName);

// Whether `name` can stand on a line as it is: a plain file name without separators,
// control characters or a backslash (which sha256sum would escape).
bool IsListableName(std::string_view name);

std::string FormatChecksumLines(const std::vector<ChecksumEntry>& entries);

// Stops at the first faulty line: `entries` then holds the lines before it.
ChecksumListing ParseChecksumText(std::string_view text);

// Reads and parses the file. File errors raise CFileException.
ChecksumListing ReadChecksumFile(const std::string& path);

// Creates (or truncates) the file and writes the lines. File errors raise CFileException.
void WriteChecksumFile(const std::string& path, const std::vector<ChecksumEntry>& entries);

}  // namespace scx::pieces
