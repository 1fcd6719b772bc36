// The staged file on POSIX systems: rename(2), unlink(2), the replaced file's permissions
// and the signal handlers.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "StagedFile.h"
#include "StagedFilePlatform.h"

namespace scx {

namespace {

constexpr int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP};

sigset_t InterruptionSet() {
    sigset_t set;
    ::sigemptyset(&set);
    for (const int signal : kInterruptions) {
        ::sigaddset(&set, signal);
    }
    return set;
}

extern "C" void RemovePendingAndExit(int signal) {
    detail::RemovePendingFiles();
    ::_exit(128 + signal);
}

}  // namespace

bool detail::OpenRegistered(CFile& file, const std::string& path, unsigned flags,
                            CFileException& error) {
    const sigset_t interruptions = InterruptionSet();
    sigset_t previous;
    ::pthread_sigmask(SIG_BLOCK, &interruptions, &previous);
    const bool opened = file.TryOpen(path, flags, &error);
    if (opened) {
        RegisterPendingFile(path.c_str());
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return opened;
}

std::string detail::FinalPathOf(const std::string& path) {
    return path;
}

void detail::PrepareToReplace(const std::string& path, CFile& file) {
    struct stat replaced {};
    if (::lstat(path.c_str(), &replaced) != 0 || S_ISLNK(replaced.st_mode)) {
        return;
    }
    // Root may rename over a device or a pipe (/dev/null) as over a file.
    if (!S_ISREG(replaced.st_mode)) {
        throw CFileException(CFileException::notRegularFile, file.GetFilePath());
    }
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 &&
        (errno == EACCES || errno == EROFS)) {
        const int err = errno;
        throw CFileException(CFileException::accessDenied, file.GetFilePath(), err);
    }
    // Through the descriptor, so that nothing swapped in under the temporary name is
    // changed; never the set-user or set-group bits. The owner and group as far as the user
    // may give them: root any, others only a group of theirs.
    const int fd = file.Handle();
    if (::fchown(fd, replaced.st_uid, replaced.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), replaced.st_gid) != 0) {
        // Then the file stays the user's, in their own group.
    }
    ::fchmod(fd, replaced.st_mode & 0777);
}

void detail::RenameOver(const std::string& from, const std::string& to, const std::string& shown) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        const int err = errno;
        throw CFileException(CFileException::CauseFromErrno(err, to), shown, err);
    }
}

void detail::RemoveFileQuietly(const char* path) {
    const int saved = errno;
    ::unlink(path);
    errno = saved;
}

void RemoveStagedFilesOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = RemovePendingAndExit;
    // One interruption at a time: a second one waits for the process to end.
    action.sa_mask = InterruptionSet();
    for (const int signal : kInterruptions) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler != SIG_IGN) {
            ::sigaction(signal, &action, nullptr);
        }
    }
    // A write past the file size limit then fails (EFBIG) and is reported, the staged file
    // removed, instead of the signal ending the process.
    ::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace scx
