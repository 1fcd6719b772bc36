#include <direct.h>

#include "Folders.h"
#include "Win32Paths.h"

namespace scx {

// Through the wide-character calls: the narrow ones read the ANSI code page, not UTF-8.
bool ChangeDirectory(const std::string& path) {
    return ::_wchdir(win32::Widen(path).c_str()) == 0;
}

bool MakeDirectory(const std::string& path) {
    return ::_wmkdir(win32::Widen(path).c_str()) == 0;
}

// Through the system, not std::filesystem::absolute, which takes "\\server\share" and
// "\\?\" paths for folders of the current drive.
std::string MakeAbsolute(const std::string& path) {
    return win32::FullPath(path);
}

}  // namespace scx
