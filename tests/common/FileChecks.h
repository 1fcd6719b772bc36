#pragma once
// What a test checks of a file beyond the status the program reads, the platform's way
// (FileChecks_posix.cpp, FileChecks_win32.cpp).

#include <string>

#include "FileStatus.h"

namespace scx::test {

// Whether the system refuses to write the file: no write permission for anyone (POSIX),
// the read-only attribute (Windows).
bool ReadOnlyForTheSystem(const std::string& path);

// When anything of the file last changed, its status included (POSIX's ctime, Windows'
// change time): a write that writes nothing leaves it.
FileTime ChangeTime(const std::string& path);

}  // namespace scx::test
