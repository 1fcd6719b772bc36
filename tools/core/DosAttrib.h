#pragma once
// The extended attribute "user.DOSATTRIB" in which Samba, the kernel's SMB server and
// Wine keep a file's DOS attributes and creation time on POSIX file systems.
//
// Its value is the attribute in hexadecimal text ("0x22") ended by a NUL, which old
// writers stop at; then, at the next even offset, a little-endian binary record: the
// version as 16 bits, again as 32 bits, and for
//   version 3: valid flags, attributes, EA size (32 bits each), size, allocation size,
//              creation time, change time (64 bits each);
//   version 4: valid flags, attributes (32 bits), itime, creation time (64 bits);
//   version 5: valid flags, attributes (32 bits), creation time (64 bits).
// Times count 100 ns units from 1601-01-01 UTC. Versions 4 and 5 leave the text empty.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FileStatus.h"

namespace scx::dosattrib {

inline constexpr const char* kName = "user.DOSATTRIB";

struct DosInfo {
    std::uint32_t attributes = 0;
    std::optional<FileTime> creation;  // none: the value holds no creation time
};

// Nothing when `value` is in none of the known forms.
std::optional<DosInfo> Decode(std::string_view value);

// The version 3 form, which every reader of the others understands.
std::string Encode(const DosInfo& info);

FileTime FromNtTime(std::uint64_t ntTime);
std::uint64_t ToNtTime(const FileTime& time);

}  // namespace scx::dosattrib
