// The file object on POSIX systems (Linux first: the copy uses copy_file_range).

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <utility>

#include "File.h"
#include "FilePlatform.h"

namespace scx {

static_assert(sizeof(off_t) == 8, "64-bit file offsets are required");

namespace {

// The kernel moves at most about 2 GiB per call anyway; a round 1 GiB keeps the casts
// to ssize_t obviously safe.
constexpr std::size_t kMaxBytesPerCall = std::size_t{1} << 30;

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ParentFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string CurrentFolder() {
    std::unique_ptr<char, decltype(&std::free)> cwd(::getcwd(nullptr, 0), &std::free);
    return cwd ? std::string(cwd.get()) : std::string();
}

// The folder resolved by the system (links followed) and the name as given; when the
// folder cannot be resolved, the path made absolute without touching the disk.
std::string AbsolutePath(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::unique_ptr<char, decltype(&std::free)> folder(
        ::realpath(ParentFolder(path).c_str(), nullptr), &std::free);
    if (folder) {
        std::string resolved(folder.get());
        if (resolved.back() != '/') {
            resolved += '/';
        }
        return resolved + name;
    }
    if (path.front() == '/') {
        return path;
    }
    return CurrentFolder() + "/" + path;
}

// Failures of an operation on an open file; the open's own causes (not found, bad path)
// cannot arise there.
CFileException::Cause IoCause(int err) {
    switch (err) {
        case ENOSPC:
        case EDQUOT:
            return CFileException::diskFull;
        case EACCES:
        case EPERM:
        case EROFS:
            return CFileException::accessDenied;
        default:
            return CFileException::genericException;
    }
}

std::uint64_t CurrentOffset(int fd) {
    const off_t offset = ::lseek(fd, 0, SEEK_CUR);
    return offset < 0 ? 0 : static_cast<std::uint64_t>(offset);
}

[[noreturn]] void ThrowOpenFailure(int err, const std::string& path,
                                   const std::string& absolutePath) {
    throw CFileException(CFileException::CauseFromErrno(err, path), absolutePath, err);
}

// Whether `path` bears a folder, a device, a pipe or a socket, looked at without opening
// it: opening one may do more than read (a pipe's writer goes on, a watchdog starts, a
// tape rewinds).
bool BearsASpecialFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

void CloseQuietly(int fd) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

}  // namespace

bool detail::ParentFolderExists(const std::string& path) {
    return IsFolder(ParentFolder(path));
}

void CFile::Open(const std::string& path, unsigned flags) {
    if (IsOpen()) {
        Close();
    }
    const std::string absolutePath = AbsolutePath(path);
    auto fail = [&](int err) { ThrowOpenFailure(err, path, absolutePath); };

    std::size_t unusedLimit = 0;
    if (const int injected = ConsultFaultHook(Op::open, absolutePath, 0, unusedLimit)) {
        fail(injected);
    }

    // Without O_NONBLOCK, opening a pipe waits for its other end for ever; without
    // O_NOCTTY, a terminal becomes that of a program without one. The file is refused
    // below anyway when it is not a regular one.
    int openFlags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (flags & modeReadWrite) {
        openFlags |= O_RDWR;
    } else if (flags & modeWrite) {
        openFlags |= O_WRONLY;
    } else {
        openFlags |= O_RDONLY;
    }
    // Truncation waits until the lock is held, so that a file another opener holds is
    // refused intact rather than emptied first.
    if (flags & modeCreate) {
        openFlags |= O_CREAT;
    }
    // O_EXCL alone already refuses a link, dangling or not; O_NOFOLLOW says so twice.
    if (flags & modeCreateNew) {
        openFlags |= O_CREAT | O_EXCL | O_NOFOLLOW;
    }

    // What is there already is looked at first; a new file's exclusive open never opens it.
    if (!(flags & modeCreateNew) && BearsASpecialFile(path)) {
        throw CFileException(CFileException::notRegularFile, absolutePath);
    }

    int fd;
    do {
        fd = ::open(path.c_str(), openFlags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        fail(errno);
    }

    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int err = errno;
        CloseQuietly(fd);
        fail(err);
    }
    // Linux opens a folder for reading; pipes, sockets and devices would block or never
    // end. Only regular files are read and written, whatever came under the name since.
    if (!S_ISREG(info.st_mode)) {
        CloseQuietly(fd);
        throw CFileException(CFileException::notRegularFile, absolutePath);
    }
    const int statusFlags = ::fcntl(fd, F_GETFL);
    if (statusFlags < 0 || ::fcntl(fd, F_SETFL, statusFlags & ~O_NONBLOCK) != 0) {
        const int err = errno;
        CloseQuietly(fd);
        fail(err);
    }

    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        if (err == EINTR) {
            continue;
        }
        // No lock support: ENOLCK, EOPNOTSUPP, ENOSYS; EBADF from file systems (NFS) that
        // emulate flock with record locks, which a read-only descriptor cannot take.
        if (err == ENOLCK || err == EOPNOTSUPP || err == ENOSYS || err == EBADF) {
            break;
        }
        CloseQuietly(fd);
        fail(err);
    }

    // Only a file that holds something is truncated: ext4 takes a truncation to zero as a
    // rewrite in progress and flushes the whole new content at close, which costs as much
    // as writing it.
    if (flags & modeCreate) {
        struct stat locked {};
        if (::fstat(fd, &locked) != 0 || (locked.st_size > 0 && ::ftruncate(fd, 0) != 0)) {
            const int err = errno;
            CloseQuietly(fd);
            fail(err);
        }
    }

    m_fd = fd;
    m_strFilePath = absolutePath;
}

CFile::Extent CFile::ExtentAt(std::uint64_t position) {
    Extent extent;
#if defined(SEEK_DATA) && defined(SEEK_HOLE)
    const auto offset = static_cast<off_t>(position);
    const off_t data = ::lseek(m_fd, offset, SEEK_DATA);
    if (data < 0) {
        // ENXIO: nothing but hole from here to the end. Past the end, let the copy find
        // the end of file itself.
        const int error = errno;
        const std::uint64_t length = GetLength();
        if (error == ENXIO && position < length) {
            extent = {true, length};
        }
    } else if (data > offset) {
        extent = {true, static_cast<std::uint64_t>(data)};
    } else {
        const off_t hole = ::lseek(m_fd, offset, SEEK_HOLE);
        if (hole > offset) {
            extent.end = static_cast<std::uint64_t>(hole);
        }
    }
    Seek(static_cast<std::int64_t>(position), begin);
#else
    (void)position;
#endif
    return extent;
}

void CFile::ReadAhead(std::uint64_t offset, std::uint64_t length) {
#if defined(POSIX_FADV_WILLNEED)
    ::posix_fadvise(m_fd, static_cast<off_t>(offset), static_cast<off_t>(length),
                    POSIX_FADV_WILLNEED);
#else
    (void)offset;
    (void)length;
#endif
}

void CFile::ReadAheadByPath(const std::string& path, std::uint64_t offset, std::uint64_t length) {
#if defined(POSIX_FADV_WILLNEED)
    if (BearsASpecialFile(path)) {
        return;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd >= 0) {
        ::posix_fadvise(fd, static_cast<off_t>(offset), static_cast<off_t>(length),
                        POSIX_FADV_WILLNEED);
        CloseQuietly(fd);
    }
#else
    (void)path;
    (void)offset;
    (void)length;
#endif
}

bool CFile::CanReadAhead() {
#if defined(POSIX_FADV_WILLNEED)
    return true;
#else
    return false;
#endif
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    if (!IsOpen()) {
        Throw(EBADF);
    }
    char* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        std::size_t chunk = std::min(count - done, kMaxBytesPerCall);
        if (HasFaultHook()) {
            if (const int injected =
                    ConsultFaultHook(Op::read, m_strFilePath, CurrentOffset(m_fd), chunk)) {
                Throw(injected);
            }
            chunk = std::min(chunk, count - done);
            if (chunk == 0) {
                continue;
            }
        }
        const ssize_t n = ::read(m_fd, bytes + done, chunk);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Throw(errno);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void CFile::Write(const void* buffer, std::size_t count) {
    if (!IsOpen()) {
        Throw(EBADF);
    }
    const char* bytes = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        std::size_t chunk = std::min(count - done, kMaxBytesPerCall);
        if (HasFaultHook()) {
            if (const int injected =
                    ConsultFaultHook(Op::write, m_strFilePath, CurrentOffset(m_fd), chunk)) {
                Throw(injected);
            }
            chunk = std::min(chunk, count - done);
            if (chunk == 0) {
                continue;
            }
        }
        const ssize_t n = ::write(m_fd, bytes + done, chunk);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Throw(errno);
        }
        if (n == 0) {
            Throw(EIO);  // no progress and no reason given: never loop on it
        }
        done += static_cast<std::size_t>(n);
    }
}

std::uint64_t CFile::Seek(std::int64_t offset, SeekPosition from) {
    if (!IsOpen()) {
        Throw(EBADF);
    }
    const int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    const off_t result = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    if (result < 0) {
        Throw(errno);
    }
    return static_cast<std::uint64_t>(result);
}

std::uint64_t CFile::GetPosition() const {
    if (!IsOpen()) {
        Throw(EBADF);
    }
    const off_t result = ::lseek(m_fd, 0, SEEK_CUR);
    if (result < 0) {
        Throw(errno);
    }
    return static_cast<std::uint64_t>(result);
}

std::uint64_t CFile::GetLength() const {
    if (!IsOpen()) {
        Throw(EBADF);
    }
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        Throw(errno);
    }
    return static_cast<std::uint64_t>(info.st_size);
}

void CFile::Close() {
    if (!IsOpen()) {
        return;
    }
    std::size_t unusedLimit = 0;
    const int injected = HasFaultHook() ? ConsultFaultHook(Op::close, m_strFilePath,
                                                           CurrentOffset(m_fd), unusedLimit)
                                        : 0;
    const int fd = std::exchange(m_fd, -1);
    // After EINTR Linux has released the descriptor all the same; there is nothing to retry.
    if (::close(fd) != 0 && errno != EINTR) {
        const int err = errno;
        throw CFileException(IoCause(err), m_strFilePath, err);
    }
    if (injected != 0) {
        throw CFileException(IoCause(injected), m_strFilePath, injected);
    }
}

void CFile::Abort() {
    if (IsOpen()) {
        CloseQuietly(std::exchange(m_fd, -1));
    }
}

std::uint64_t CFile::Copy(CFile& from, CFile& to, std::uint64_t count) {
    if (count == 0) {
        return 0;
    }
    // The hook must see every write, which the in-kernel copy would bypass.
    if (HasFaultHook()) {
        return CopyThroughBuffer(from, to, count);
    }
    std::uint64_t copied = 0;
    while (copied < count) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::uint64_t>(count - copied, kMaxBytesPerCall));
        const ssize_t n = ::copy_file_range(from.m_fd, nullptr, to.m_fd, nullptr, chunk, 0);
        if (n > 0) {
            copied += static_cast<std::uint64_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0 && from.GetPosition() >= from.GetLength()) {
            return copied;
        }
        // A refusal (EXDEV, EINVAL, ENOSYS, EOPNOTSUPP ...), a real failure, or a 0 from a
        // file whose length the kernel does not know: the plain loop finishes the copy,
        // or raises the failure against the file that caused it.
        break;
    }
    if (copied < count) {
        copied += CopyThroughBuffer(from, to, count - copied);
    }
    return copied;
}

void CFile::Throw(int err) const {
    throw CFileException(IoCause(err), m_strFilePath, err);
}

}  // namespace scx
