#pragma once
// The two folder operations of the runtime library: make a folder the process's current
// directory, and create one folder (its parent must exist).

#include <string>

namespace scx {

bool ChangeDirectory(const std::string& path);  // true on success
bool MakeDirectory(const std::string& path);    // true on success

}  // namespace scx
