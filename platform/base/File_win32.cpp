// The file object on Windows. Paths are UTF-8 and reach the system as UTF-16. The handle
// is wrapped in a C runtime descriptor so that the object keeps one representation on
// every platform; sharing mode 0 gives the exclusive opens the program relies on.

#include "WindowsApi.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>
#include <utility>

#include "File.h"
#include "FilePlatform.h"
#include "Win32Paths.h"

namespace scx {

namespace win32 {

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) {
        return std::wstring();
    }
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          length);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                             nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                          length, nullptr, nullptr);
    return utf8;
}

CFileException::Cause CauseFromLastError(unsigned long error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return CFileException::fileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_DIRECTORY:
            return CFileException::badPath;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return CFileException::accessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return CFileException::sharingViolation;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return CFileException::diskFull;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return CFileException::alreadyExists;
        default:
            return CFileException::genericException;
    }
}

std::string FullPath(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    const std::wstring wide = Widen(path);
    const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return path;
    }
    std::wstring full(needed, L'\0');
    const DWORD written = ::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) {
        return path;
    }
    full.resize(written);
    return Narrow(full);
}

}  // namespace win32

namespace {

using win32::CauseFromLastError;
using win32::FullPath;
using win32::Narrow;
using win32::Widen;

// ReadFile and WriteFile take a DWORD count.
constexpr std::size_t kMaxBytesPerCall = std::size_t{1} << 30;

std::string ParentFolder(const std::string& path) {
    const std::size_t separator = path.find_last_of(CFile::kPathSeparators);
    if (separator == std::string::npos) {
        return ".";
    }
    // "C:\file" and "\file": the parent is the root itself, separator included.
    if (separator == 0 || (separator == 2 && path[1] == ':')) {
        return path.substr(0, separator + 1);
    }
    return path.substr(0, separator);
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

}  // namespace

bool detail::ParentFolderExists(const std::string& path) {
    return IsFolder(ParentFolder(path));
}

void CFile::Open(const std::string& path, unsigned flags) {
    if (IsOpen()) {
        Close();
    }
    const std::string absolutePath = FullPath(path);

    std::size_t unusedLimit = 0;
    if (const int injected = ConsultFaultHook(Op::open, absolutePath, 0, unusedLimit)) {
        throw CFileException(CFileException::CauseFromErrno(injected, path), absolutePath,
                             injected);
    }

    DWORD access = GENERIC_READ;
    int crtFlags = _O_BINARY | _O_RDONLY;
    if (flags & modeReadWrite) {
        access = GENERIC_READ | GENERIC_WRITE;
        crtFlags = _O_BINARY | _O_RDWR;
    } else if (flags & modeWrite) {
        access = GENERIC_WRITE;
        crtFlags = _O_BINARY | _O_WRONLY;
    }
    // With no sharing, CREATE_ALWAYS fails on a file held elsewhere before truncating it.
    // CREATE_NEW fails on any name that is taken, a link or a folder included.
    const bool createNew = (flags & modeCreateNew) != 0;
    const DWORD disposition = createNew              ? CREATE_NEW
                              : (flags & modeCreate) ? CREATE_ALWAYS
                                                     : OPEN_EXISTING;
    const HANDLE handle =
        ::CreateFileW(Widen(path).c_str(), access, createNew ? FILE_SHARE_DELETE : 0, nullptr,
                      disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // A folder cannot be opened as a file: say what it is rather than how the system
        // refused it (access denied, or a sharing violation under wine). No name at all is
        // a file that is not there, as on POSIX. A new file's name that anything bears is
        // taken, whatever the system said about it.
        const bool taken =
            createNew && ::GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
        const CFileException::Cause cause = path.empty()     ? CFileException::fileNotFound
                                            : taken          ? CFileException::alreadyExists
                                            : IsFolder(path) ? CFileException::notRegularFile
                                                             : CauseFromLastError(error);
        throw CFileException(cause, absolutePath, static_cast<int>(error));
    }
    // Pipes and devices (CON, NUL, named pipes) would block or never end: only files on a
    // disk are read and written.
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        throw CFileException(CFileException::notRegularFile, absolutePath);
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(handle), crtFlags);
    if (fd < 0) {
        ::CloseHandle(handle);
        throw CFileException(CFileException::genericException, absolutePath,
                             static_cast<int>(ERROR_TOO_MANY_OPEN_FILES));
    }
    m_fd = fd;
    m_strFilePath = absolutePath;
}

// Holes are copied as the zeros they read as.
CFile::Extent CFile::ExtentAt(std::uint64_t) {
    return {};
}

// Windows reads ahead on its own for files read in order.
void CFile::ReadAhead(std::uint64_t, std::uint64_t) {}

void CFile::ReadAheadByPath(const std::string&, std::uint64_t, std::uint64_t) {}

bool CFile::CanReadAhead() {
    return false;
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    if (!IsOpen()) {
        Throw(static_cast<int>(ERROR_INVALID_HANDLE));
    }
    char* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        std::size_t chunk = std::min(count - done, kMaxBytesPerCall);
        if (HasFaultHook()) {
            if (const int injected =
                    ConsultFaultHook(Op::read, m_strFilePath, GetPosition(), chunk)) {
                throw CFileException(CFileException::CauseFromErrno(injected, m_strFilePath),
                                     m_strFilePath, injected);
            }
            chunk = std::min(chunk, count - done);
            if (chunk == 0) {
                continue;
            }
        }
        DWORD got = 0;
        if (!::ReadFile(HandleOf(m_fd), bytes + done, static_cast<DWORD>(chunk), &got, nullptr)) {
            Throw(static_cast<int>(::GetLastError()));
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

void CFile::Write(const void* buffer, std::size_t count) {
    if (!IsOpen()) {
        Throw(static_cast<int>(ERROR_INVALID_HANDLE));
    }
    const char* bytes = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        std::size_t chunk = std::min(count - done, kMaxBytesPerCall);
        if (HasFaultHook()) {
            if (const int injected =
                    ConsultFaultHook(Op::write, m_strFilePath, GetPosition(), chunk)) {
                throw CFileException(CFileException::CauseFromErrno(injected, m_strFilePath),
                                     m_strFilePath, injected);
            }
            chunk = std::min(chunk, count - done);
            if (chunk == 0) {
                continue;
            }
        }
        DWORD written = 0;
        if (!::WriteFile(HandleOf(m_fd), bytes + done, static_cast<DWORD>(chunk), &written,
                         nullptr)) {
            Throw(static_cast<int>(::GetLastError()));
        }
        if (written == 0) {
            Throw(static_cast<int>(
                ERROR_WRITE_FAULT));  // no progress and no reason given: never loop on it
        }
        done += written;
    }
}

std::uint64_t CFile::Seek(std::int64_t offset, SeekPosition from) {
    if (!IsOpen()) {
        Throw(static_cast<int>(ERROR_INVALID_HANDLE));
    }
    const DWORD method = from == begin ? FILE_BEGIN : from == current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER result;
    if (!::SetFilePointerEx(HandleOf(m_fd), distance, &result, method)) {
        Throw(static_cast<int>(::GetLastError()));
    }
    return static_cast<std::uint64_t>(result.QuadPart);
}

std::uint64_t CFile::GetPosition() const {
    if (!IsOpen()) {
        Throw(static_cast<int>(ERROR_INVALID_HANDLE));
    }
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    LARGE_INTEGER result;
    if (!::SetFilePointerEx(HandleOf(m_fd), zero, &result, FILE_CURRENT)) {
        Throw(static_cast<int>(::GetLastError()));
    }
    return static_cast<std::uint64_t>(result.QuadPart);
}

std::uint64_t CFile::GetLength() const {
    if (!IsOpen()) {
        Throw(static_cast<int>(ERROR_INVALID_HANDLE));
    }
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(HandleOf(m_fd), &size)) {
        Throw(static_cast<int>(::GetLastError()));
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

void CFile::Close() {
    if (!IsOpen()) {
        return;
    }
    std::size_t unusedLimit = 0;
    const int injected =
        HasFaultHook() ? ConsultFaultHook(Op::close, m_strFilePath, GetPosition(), unusedLimit) : 0;
    const int fd = std::exchange(m_fd, -1);
    if (injected != 0) {
        ::_close(fd);
        throw CFileException(CFileException::CauseFromErrno(injected, m_strFilePath), m_strFilePath,
                             injected);
    }
    if (::_close(fd) != 0) {
        throw CFileException(CFileException::genericException, m_strFilePath,
                             static_cast<int>(::GetLastError()));
    }
}

void CFile::Abort() {
    if (IsOpen()) {
        ::_close(std::exchange(m_fd, -1));
    }
}

// Windows has no descriptor-to-descriptor copy in the kernel; the buffered loop is the
// copy, and it already honours the fault hook.
std::uint64_t CFile::Copy(CFile& from, CFile& to, std::uint64_t count) {
    return CopyThroughBuffer(from, to, count);
}

void CFile::Throw(int err) const {
    throw CFileException(CauseFromLastError(static_cast<DWORD>(err)), m_strFilePath, err);
}

}  // namespace scx
