#pragma once
// What the portable part of the file object asks of each platform's part.

#include <string>

namespace scx::detail {

// Whether the folder that would hold `path` exists.
bool ParentFolderExists(const std::string& path);

}  // namespace scx::detail
