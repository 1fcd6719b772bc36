#include <direct.h>

#include "Folders.h"

namespace scx {

bool ChangeDirectory(const std::string& path) {
    return ::_chdir(path.c_str()) == 0;
}

bool MakeDirectory(const std::string& path) {
    return ::_mkdir(path.c_str()) == 0;
}

}  // namespace scx
