#include <sys/stat.h>
#include <unistd.h>

#include "Folders.h"

namespace scx {

bool ChangeDirectory(const std::string& path) {
    return ::chdir(path.c_str()) == 0;
}

bool MakeDirectory(const std::string& path) {
    return ::mkdir(path.c_str(), 0777) == 0;
}

}  // namespace scx
