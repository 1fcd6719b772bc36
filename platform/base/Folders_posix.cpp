#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "Folders.h"
#include "Utf8Path.h"

namespace scx {

bool ChangeDirectory(const std::string& path) {
    return ::chdir(path.c_str()) == 0;
}

bool MakeDirectory(const std::string& path) {
    return ::mkdir(path.c_str(), 0777) == 0;
}

std::string MakeAbsolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(Utf8Path(path), error);
    return error ? path : Utf8Text(absolute);
}

}  // namespace scx
