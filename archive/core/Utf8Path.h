#pragma once
// The archive code names paths as the rest of the program does (platform/base/Utf8Path.h).

#include <string>
#include <system_error>

#include "../../platform/base/Utf8Path.h"

namespace scx::archive {

using scx::Utf8Path;
using scx::Utf8Text;

// Whether both paths name one existing file, through any spelling, link or hard link.
inline bool IsSameExistingFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(Utf8Path(a), Utf8Path(b), error) && !error;
}

}  // namespace scx::archive
