#pragma once
// The extended attribute "user.DOSATTRIB" in which Samba, the kernel's SMB server and
// Wine keep a file's DOS attributes and creation time on POSIX file systems.
//
// Its value is Samba's NDR encoding of xattr_DOSATTRIB: the attribute in hexadecimal
// text ("0x22") ended by a NUL, which is all that Wine reads and all that old writers
// wrote; then, little-endian, the version (16 bits, at the next even offset), the
// version again (16 bits), and at the next multiple of 4 from the value's start
//   version 1: attributes, EA size (32 bits each), size, allocation size, creation
//              time, change time (64 bits each), all valid (Samba 3.0);
//   version 3: valid flags, attributes, EA size (32 bits each), size, allocation size,
//              creation time, change time (64 bits each);
//   version 4: valid flags, attributes (32 bits), itime, creation time (64 bits);
//   version 5: valid flags, attributes (32 bits), creation time (64 bits).
// Times count 100 ns units from 1601-01-01 UTC. Samba leaves the text empty in
// versions 4 and 5.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FileStatus.h"

namespace scx::dosattrib {

inline constexpr const char* kName = "user.DOSATTRIB";

// The binary record as read, less what DosInfo shows: Encode writes it back, so that a
// rewrite changes nothing but the attributes and the creation time.
struct Record {
    std::uint16_t version = 0;  // 1, 3, 4 or 5; 0 when the value holds no record we read
    std::uint32_t validFlags = 0;
    std::uint64_t creationTime = 0;    // as stored, flagged as valid or not
    std::uint32_t eaSize = 0;          // versions 1 and 3
    std::uint64_t size = 0;            // versions 1 and 3
    std::uint64_t allocationSize = 0;  // versions 1 and 3
    std::uint64_t changeTime = 0;      // versions 1 and 3
    std::uint64_t itime = 0;           // version 4
    friend bool operator==(const Record&, const Record&) = default;
};

struct DosInfo {
    DosInfo() = default;
    DosInfo(std::uint32_t attributes, std::optional<FileTime> creation)
        : attributes(attributes), creation(creation) {}

    std::uint32_t attributes = 0;
    std::optional<FileTime> creation;  // none: the value holds no creation time
    Record record;
};

// Nothing when `value` is in none of the known forms. Reads as Samba does: the
// attributes whatever the valid flags say, the creation time when flagged (always, in
// version 1) and not zero; the text alone when the record is of another version or cut
// short.
std::optional<DosInfo> Decode(std::string_view value);

// `info` with its record's version (version 3 when it has none or has version 1) and
// every field of the record that `info` does not show. To change a file's value, start
// from its decoded DosInfo, not a fresh one, or the fields that only Samba uses are lost.
std::string Encode(const DosInfo& info);

FileTime FromNtTime(std::uint64_t ntTime);
std::uint64_t ToNtTime(const FileTime& time);

}  // namespace scx::dosattrib
