#pragma once
// The existence test shared by split, joins, the HJSplit piece count and the archive
// extraction. A path exists unless opening it for reading fails because the file is not
// found: a missing folder, a refused access, a file held by another opener or an invalid
// name all count as existing, so the overwrite question errs on the side of asking.

#include <string>

namespace scx::pieces {

enum class FileProbe {
    missing,     // the file is not found (its folder exists)
    openable,    // opened for reading, and closed again
    unopenable,  // any other failure: counts as existing, but nothing can be read from it
};

FileProbe ProbeFile(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace scx::pieces
