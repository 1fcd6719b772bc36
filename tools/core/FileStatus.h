#pragma once
// A file's status as the dates-and-attributes editor sees it: its three times and its
// attribute byte, read from an open file and written back by path. One implementation
// per platform (FileStatus_posix.cpp, FileStatus_win32.cpp).
//
// On POSIX systems hidden, system, archive and the creation time live in the extended
// attribute "user.DOSATTRIB" that Samba, the kernel's SMB server and Wine share
// (DosAttrib.h); a name beginning with "." (a link's target's) counts as hidden when the
// file has no such attribute. Read-only is both the absence of the owner's write
// permission, which this system enforces, and the attribute's bit 0x01, which Samba
// enforces: either makes a file read-only, and a change sets or clears both.

#include <compare>
#include <cstdint>
#include <string>

#include "File.h"

namespace scx {

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
}  // namespace attr

struct CFileStatus {
    FileTime m_ctime;  // creation
    FileTime m_mtime;  // last write
    FileTime m_atime;  // last access
    std::uint64_t m_size = 0;
    std::uint8_t m_attribute = 0;  // the low 8 bits of the platform's attributes
    std::string m_szFullName;
};

// The parts of a status that SetFileStatus writes, as bits.
namespace part {
inline constexpr unsigned modified = 0x1;
inline constexpr unsigned created = 0x2;
inline constexpr unsigned accessed = 0x4;
inline constexpr unsigned attributes = 0x8;
inline constexpr unsigned all = modified | created | accessed | attributes;
}  // namespace part
using StatusParts = unsigned;

// What SetFileStatus could keep.
enum class StatusWrite {
    complete,
    // The file system keeps no extended attributes: hidden, system, archive and the
    // creation time stayed as they were; the times and read-only were written.
    withoutExtendedAttributes,
};

// A status write that failed after it had changed the file. Its cause and file are the
// failure's; a part counts as applied only when all of it was written.
class CStatusWriteException : public CFileException {
  public:
    CStatusWriteException(const CFileException& failure, StatusParts applied,
                          StatusParts notApplied)
        : CFileException(failure), m_applied(applied), m_notApplied(notApplied) {}

    StatusParts m_applied;
    StatusParts m_notApplied;
};

// The status of an open file. Throws CFileException.
CFileStatus GetFileStatus(const CFile& file);

// Writes `parts` of `status` (times to the nanosecond) to the file at `path` and leaves
// the rest as it is. On POSIX systems the path is opened once, following a link as the
// read does, and every step acts on that file however the path changes meanwhile; a
// folder, pipe or device is refused. A user may change what the system lets them: the
// times need the file's ownership, the attributes its write permission (or ownership,
// for read-only). Read-only is lifted first when it is cleared and set last when it is
// set. m_size and m_szFullName are not used. Throws CFileException when nothing was
// written, CStatusWriteException when some parts were.
StatusWrite SetFileStatus(const std::string& path, const CFileStatus& status, StatusParts parts);

}  // namespace scx
