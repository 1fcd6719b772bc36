// The parts of the file object that do not depend on the operating system.

#include "File.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include "FilePlatform.h"

namespace scx {

namespace {

const char* CauseText(CFileException::Cause cause) {
    switch (cause) {
        case CFileException::none:
            return "no error";
        case CFileException::genericException:
            return "file error";
        case CFileException::fileNotFound:
            return "file not found";
        case CFileException::badPath:
            return "bad path";
        case CFileException::accessDenied:
            return "access denied";
        case CFileException::sharingViolation:
            return "sharing violation";
        case CFileException::diskFull:
            return "disk full";
        case CFileException::endOfFile:
            return "unexpected end of file";
        case CFileException::notRegularFile:
            return "not a regular file";
        case CFileException::alreadyExists:
            return "file exists";
    }
    return "file error";
}

// Tests only; read on every open, read and write, so it is kept as cheap as a null check.
CFile::FaultHook& FaultHookSlot() {
    static CFile::FaultHook hook;
    return hook;
}

}  // namespace

CFileException::CFileException(Cause cause, std::string fileName, int osError)
    : m_cause(cause), m_strFileName(std::move(fileName)), m_lOsError(osError) {
    m_what = m_strFileName + ": " + CauseText(cause);
    if (osError != 0) {
#ifdef _WIN32
        const std::error_category& category = std::system_category();
#else
        const std::error_category& category = std::generic_category();
#endif
        m_what += " (" + std::to_string(osError) + ": " + category.message(osError) + ")";
    }
}

CFile::CFile(const std::string& path, unsigned flags) {
    Open(path, flags);
}

CFile::~CFile() {
    Abort();
}

CFile::CFile(CFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_strFilePath(std::move(other.m_strFilePath)) {}

CFile& CFile::operator=(CFile&& other) noexcept {
    if (this != &other) {
        Abort();
        m_fd = std::exchange(other.m_fd, -1);
        m_strFilePath = std::move(other.m_strFilePath);
    }
    return *this;
}

bool CFile::TryOpen(const std::string& path, unsigned flags, CFileException* error) {
    try {
        Open(path, flags);
        return true;
    } catch (const CFileException& e) {
        if (error != nullptr) {
            *error = e;
        }
        return false;
    }
}

void CFile::ReadExact(void* buffer, std::size_t count) {
    if (Read(buffer, count) != count) {
        throw CFileException(CFileException::endOfFile, m_strFilePath);
    }
}

std::string CFile::GetFileName() const {
    const std::size_t slash = m_strFilePath.find_last_of(kPathSeparators);
    return slash == std::string::npos ? m_strFilePath : m_strFilePath.substr(slash + 1);
}

std::string CFile::GetFileTitle() const {
    std::string name = GetFileName();
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

void CFile::SetFaultHook(FaultHook hook) {
    FaultHookSlot() = std::move(hook);
}

int CFile::ConsultFaultHook(Op op, const std::string& path, std::uint64_t position,
                            std::size_t& limit) {
    const FaultHook& hook = FaultHookSlot();
    return hook ? hook(op, path, position, limit) : 0;
}

bool CFile::HasFaultHook() {
    return static_cast<bool>(FaultHookSlot());
}

std::uint64_t CFile::CopyThroughBuffer(CFile& from, CFile& to, std::uint64_t count) {
    // Big enough that the per-call overhead vanishes, small enough that a copy of any
    // size costs the same memory.
    constexpr std::size_t kBufferSize = std::size_t{4} << 20;
    const std::size_t bufferSize =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, kBufferSize));
    if (bufferSize == 0) {
        return 0;
    }
    std::vector<char> buffer(bufferSize);
    std::uint64_t copied = 0;
    while (copied < count) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(count - copied, bufferSize));
        const std::size_t got = from.Read(buffer.data(), want);
        if (got == 0) {
            break;
        }
        to.Write(buffer.data(), got);
        copied += got;
        if (got < want) {
            break;  // Read is short only at the end of the file
        }
    }
    return copied;
}

// Also used on Windows for the failures the fault hook injects, which speak errno.
CFileException::Cause CFileException::CauseFromErrno(int err, const std::string& path) {
    switch (err) {
        case ENOENT:
            // The program's existence test counts a missing folder as "exists", so the
            // two must not share a cause.
            return detail::ParentFolderExists(path) ? fileNotFound : badPath;
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
#ifdef ELOOP
        case ELOOP:
#endif
            return badPath;
        case EACCES:
        case EPERM:
        case EROFS:
            return accessDenied;
        case EISDIR:
#ifdef ENXIO
        // A pipe without a reader, a socket, or a device that is not there.
        case ENXIO:
#endif
            return notRegularFile;
#ifdef EWOULDBLOCK
        case EWOULDBLOCK:
#endif
#ifdef ETXTBSY
        case ETXTBSY:
#endif
            return sharingViolation;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return diskFull;
        case EEXIST:
            return alreadyExists;
        default:
            return genericException;
    }
}

}  // namespace scx
