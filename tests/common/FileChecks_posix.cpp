#include <sys/stat.h>

#include "FileChecks.h"

namespace scx::test {

namespace {

struct stat StatusOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
}

}  // namespace

bool ReadOnlyForTheSystem(const std::string& path) {
    return (StatusOf(path).st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

FileTime ChangeTime(const std::string& path) {
    const struct stat info = StatusOf(path);
    return {info.st_ctim.tv_sec, static_cast<std::int32_t>(info.st_ctim.tv_nsec)};
}

}  // namespace scx::test
