#pragma once
// A file's status as the dates-and-attributes editor sees it: its three times and its
// attribute byte, read from an open file and written back by path. One implementation
// per platform (FileStatus_posix.cpp, FileStatus_win32.cpp).
//
// On POSIX systems read-only is the absence of the owner's write permission; hidden,
// system, archive and the creation time live in the extended attribute "user.DOSATTRIB"
// that Samba, the kernel's SMB server and Wine share (DosAttrib.h). A name beginning
// with "." counts as hidden when the file has no such attribute.

#include <compare>
#include <cstdint>
#include <string>

namespace scx {

class CFile;

// A point in time: seconds since 1970-01-01 UTC and the fraction of the second.
struct FileTime {
    std::int64_t seconds = 0;
    std::int32_t nanoseconds = 0;  // 0 to 999 999 999
    friend auto operator<=>(const FileTime&, const FileTime&) = default;
};

// The attribute bits the program uses, in the platform's values.
namespace attr {
inline constexpr std::uint8_t readOnly = 0x01;
inline constexpr std::uint8_t hidden = 0x02;
inline constexpr std::uint8_t system = 0x04;
inline constexpr std::uint8_t archive = 0x20;
// What WriteFileAttributes takes for "no attribute at all".
inline constexpr std::uint32_t normal = 0x80;
}  // namespace attr

struct CFileStatus {
    FileTime m_ctime;  // creation
    FileTime m_mtime;  // last write
    FileTime m_atime;  // last access
    std::uint64_t m_size = 0;
    std::uint8_t m_attribute = 0;  // the low 8 bits of the platform's attributes
    std::string m_szFullName;
};

// What SetFileStatus could keep.
enum class StatusWrite {
    complete,
    // The file system keeps no extended attributes: hidden, system, archive and the
    // creation time stayed as they were; the times and read-only were written.
    withoutExtendedAttributes,
};

// The status of an open file. Throws CFileException.
CFileStatus GetFileStatus(const CFile& file);

// Writes the three times (to the nanosecond, the last access last) and the attribute
// byte of the file at `path`; m_size and m_szFullName are not used. Throws
// CFileException when the file cannot be reached or changed.
StatusWrite SetFileStatus(const std::string& path, const CFileStatus& status);

// Sets the attributes of the file at `path` (attr::normal clears them all); false when
// they could not be set, which the caller may ignore as the platform's callers do.
bool WriteFileAttributes(const std::string& path, std::uint32_t attributes);

}  // namespace scx
