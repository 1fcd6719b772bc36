#pragma once
// The folder operations of the runtime library: make a folder the process's current
// directory, create one folder (its parent must exist), and make a path absolute.

#include <string>

namespace scx {

bool ChangeDirectory(const std::string& path);  // true on success
bool MakeDirectory(const std::string& path);    // true on success

// `path` made absolute from the current folder as the system reads it (on Windows a drive's
// own current folder for "C:x", and UNC and "\\?\" paths kept); unchanged when it cannot be.
std::string MakeAbsolute(const std::string& path);

}  // namespace scx
