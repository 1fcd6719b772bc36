#pragma once
// What every Windows implementation file shares: paths are UTF-8 in the program and
// UTF-16 for the system, and one mapping from the system's error codes to a file
// failure's cause. Included only by *_win32.cpp files.

#include <string>

#include "File.h"

namespace scx::win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

// `path` made absolute as the system resolves it, a drive's own current folder included
// ("C:film.pck"); unchanged when the system cannot.
std::string FullPath(const std::string& path);

// The cause for a GetLastError() value met while opening, reading or writing a file.
CFileException::Cause CauseFromLastError(unsigned long error);

}  // namespace scx::win32
