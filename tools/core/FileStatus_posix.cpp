// The file status on POSIX systems (Linux first: the birth time comes from statx).

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>

#include "DosAttrib.h"
#include "File.h"
#include "FileStatus.h"

namespace scx {

namespace {

constexpr std::uint8_t kDosBits = attr::hidden | attr::system | attr::archive;
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

bool IsUnsupported(int err) {
    return err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS;
}

FileTime FromTimespec(const struct timespec& time) {
    return {static_cast<std::int64_t>(time.tv_sec), static_cast<std::int32_t>(time.tv_nsec)};
}

struct timespec ToTimespec(const FileTime& time) {
    struct timespec result {};
    result.tv_sec = static_cast<time_t>(time.seconds);
    result.tv_nsec = time.nanoseconds;
    return result;
}

// The attribute's value; nothing when the file has none or the file system keeps none.
// Throws for any other failure.
template <class Get>
std::optional<std::string> ReadDosValue(Get get, const std::string& path) {
    std::string value(256, '\0');
    for (;;) {
        const ssize_t n = get(value.data(), value.size());
        if (n >= 0) {
            value.resize(static_cast<std::size_t>(n));
            return value;
        }
        if (errno == ERANGE) {
            const ssize_t needed = get(nullptr, 0);
            if (needed < 0) {
                continue;  // gone or changed again: the next round says which
            }
            value.resize(static_cast<std::size_t>(needed) + 1);
            continue;
        }
        if (errno == ENODATA || IsUnsupported(errno)) {
            return std::nullopt;
        }
        const int err = errno;
        throw CFileException(CFileException::CauseFromErrno(err, path), path, err);
    }
}

std::optional<dosattrib::DosInfo> DosInfoOfPath(const std::string& path) {
    const auto value = ReadDosValue(
        [&](char* buffer, std::size_t size) {
            return ::getxattr(path.c_str(), dosattrib::kName, buffer, size);
        },
        path);
    return value ? dosattrib::Decode(*value) : std::nullopt;
}

std::optional<dosattrib::DosInfo> DosInfoOfFile(int fd, const std::string& path) {
    const auto value = ReadDosValue(
        [&](char* buffer, std::size_t size) {
            return ::fgetxattr(fd, dosattrib::kName, buffer, size);
        },
        path);
    return value ? dosattrib::Decode(*value) : std::nullopt;
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The attribute bits kept in the extended attribute, or those a file without one has.
std::uint8_t DosBits(const std::optional<dosattrib::DosInfo>& info, const std::string& path) {
    if (info) {
        return static_cast<std::uint8_t>(info->attributes & kDosBits);
    }
    return NameOf(path).starts_with('.') ? attr::hidden : 0;
}

// The file system's birth time of `path` relative to `folder` (statx's addressing).
std::optional<FileTime> BirthTime(int folder, const char* path, int flags) {
#ifdef STATX_BTIME
    struct statx info {};
    if (::statx(folder, path, flags, STATX_BTIME, &info) == 0 &&
        (info.stx_mask & STATX_BTIME) != 0) {
        return FileTime{info.stx_btime.tv_sec, static_cast<std::int32_t>(info.stx_btime.tv_nsec)};
    }
#else
    (void)folder, (void)path, (void)flags;
#endif
    return std::nullopt;
}

struct PathState {
    struct stat info {};
    std::optional<dosattrib::DosInfo> dos;
};

PathState ReadPathState(const std::string& path) {
    PathState state;
    if (::stat(path.c_str(), &state.info) != 0) {
        const int err = errno;
        throw CFileException(CFileException::CauseFromErrno(err, path), path, err);
    }
    state.dos = DosInfoOfPath(path);
    return state;
}

// The process's umask, read without changing it where the system tells it.
mode_t CurrentUmask() {
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status) != nullptr) {
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        }
        std::fclose(status);
        if (found) {
            return static_cast<mode_t>(mask);
        }
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The mode with read-only set or cleared. Clearing gives the owner's write bit back, and
// group's and others' where they may read, as the umask allows.
mode_t ModeWithReadOnly(mode_t mode, bool readOnly) {
    if (readOnly) {
        return mode & ~kWriteBits;
    }
    if ((mode & S_IWUSR) != 0) {
        return mode;  // already writable: its permissions stay as the user set them
    }
    mode_t write = S_IWUSR;
    if ((mode & S_IRGRP) != 0) {
        write |= S_IWGRP;
    }
    if ((mode & S_IROTH) != 0) {
        write |= S_IWOTH;
    }
    return mode | (write & ~CurrentUmask()) | S_IWUSR;
}

void ChangeMode(const std::string& path, mode_t current, mode_t wanted) {
    if ((current & 07777) == (wanted & 07777)) {
        return;
    }
    if (::chmod(path.c_str(), wanted & 07777) != 0) {
        const int err = errno;
        throw CFileException(CFileException::CauseFromErrno(err, path), path, err);
    }
}

// False when the file system keeps no extended attributes; throws for other failures.
bool WriteDosInfo(const std::string& path, const dosattrib::DosInfo& info) {
    const std::string value = dosattrib::Encode(info);
    if (::setxattr(path.c_str(), dosattrib::kName, value.data(), value.size(), 0) == 0) {
        return true;
    }
    const int err = errno;
    if (IsUnsupported(err)) {
        return false;
    }
    throw CFileException(CFileException::CauseFromErrno(err, path), path, err);
}

}  // namespace

CFileStatus GetFileStatus(const CFile& file) {
    const std::string& path = file.GetFilePath();
    struct stat info {};
    if (::fstat(file.Handle(), &info) != 0) {
        const int err = errno;
        throw CFileException(CFileException::CauseFromErrno(err, path), path, err);
    }
    const auto dos = DosInfoOfFile(file.Handle(), path);

    CFileStatus status;
    status.m_mtime = FromTimespec(info.st_mtim);
    status.m_atime = FromTimespec(info.st_atim);
    if (dos && dos->creation) {
        status.m_ctime = *dos->creation;
    } else {
        status.m_ctime = BirthTime(file.Handle(), "", AT_EMPTY_PATH).value_or(status.m_mtime);
    }
    status.m_size = static_cast<std::uint64_t>(info.st_size);
    status.m_attribute = DosBits(dos, path);
    if ((info.st_mode & S_IWUSR) == 0) {
        status.m_attribute |= attr::readOnly;
    }
    status.m_szFullName = path;
    return status;
}

bool WriteFileAttributes(const std::string& path, std::uint32_t attributes) {
    try {
        const PathState state = ReadPathState(path);
        const std::uint8_t dosBits = static_cast<std::uint8_t>(attributes & kDosBits);
        bool kept = true;
        if (state.dos || dosBits != DosBits(state.dos, path)) {
            dosattrib::DosInfo info = state.dos.value_or(dosattrib::DosInfo{});
            info.attributes = static_cast<std::uint32_t>(attributes & (kDosBits | attr::readOnly));
            kept = WriteDosInfo(path, info);
        }
        ChangeMode(path, state.info.st_mode,
                   ModeWithReadOnly(state.info.st_mode, (attributes & attr::readOnly) != 0));
        return kept;
    } catch (const CFileException&) {
        return false;
    }
}

StatusWrite SetFileStatus(const std::string& path, const CFileStatus& status) {
    const PathState state = ReadPathState(path);
    StatusWrite result = StatusWrite::complete;

    // The extended attribute first: writing it needs the write permission that
    // read-only may take away below. It is left alone when it would not change, so that
    // a file system without any refuses nothing the user did not ask for.
    const std::uint8_t dosBits = status.m_attribute & kDosBits;
    const std::optional<FileTime> storedCreation = state.dos ? state.dos->creation : std::nullopt;
    // The creation time as GetFileStatus shows it.
    const FileTime shownCreation =
        storedCreation
            ? *storedCreation
            : BirthTime(AT_FDCWD, path.c_str(), 0).value_or(FromTimespec(state.info.st_mtim));
    if (dosBits != DosBits(state.dos, path) || status.m_ctime != shownCreation) {
        dosattrib::DosInfo info;
        info.attributes = status.m_attribute & (kDosBits | attr::readOnly);
        // An unchanged creation time stays where it came from: a birth time keeps its
        // nanoseconds, which the attribute's 100 ns units would cut.
        info.creation = status.m_ctime == shownCreation ? storedCreation : status.m_ctime;
        if (!WriteDosInfo(path, info)) {
            result = StatusWrite::withoutExtendedAttributes;
        }
    }

    ChangeMode(path, state.info.st_mode,
               ModeWithReadOnly(state.info.st_mode, (status.m_attribute & attr::readOnly) != 0));

    // Last, as nothing after it may touch the access time.
    const struct timespec times[2] = {ToTimespec(status.m_atime), ToTimespec(status.m_mtime)};
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
        const int err = errno;
        throw CFileException(CFileException::CauseFromErrno(err, path), path, err);
    }
    return result;
}

}  // namespace scx
