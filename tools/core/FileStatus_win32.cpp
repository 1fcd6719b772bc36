// The file status on Windows: the system keeps all three times and the attributes itself.

#include "WindowsApi.h"

#include <io.h>

#include <string>

#include "DosAttrib.h"
#include "File.h"
#include "FileStatus.h"
#include "Win32Paths.h"

namespace scx {

namespace {

[[noreturn]] void ThrowLastError(const std::string& path) {
    const DWORD error = ::GetLastError();
    throw CFileException(win32::CauseFromLastError(error), path, static_cast<int>(error));
}

// FILETIME counts the same 100 ns units from 1601 as the DOS attribute record.
FileTime FromFiletime(const FILETIME& time) {
    return dosattrib::FromNtTime((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                 time.dwLowDateTime);
}

FILETIME ToFiletime(const FileTime& time) {
    const std::uint64_t units = dosattrib::ToNtTime(time);
    FILETIME result;
    result.dwLowDateTime = static_cast<DWORD>(units & 0xFFFFFFFFu);
    result.dwHighDateTime = static_cast<DWORD>(units >> 32);
    return result;
}

}  // namespace

CFileStatus GetFileStatus(const CFile& file) {
    const std::string& path = file.GetFilePath();
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(file.Handle()));
    BY_HANDLE_FILE_INFORMATION info{};
    if (handle == INVALID_HANDLE_VALUE || !::GetFileInformationByHandle(handle, &info)) {
        ThrowLastError(path);
    }
    CFileStatus status;
    status.m_ctime = FromFiletime(info.ftCreationTime);
    status.m_mtime = FromFiletime(info.ftLastWriteTime);
    status.m_atime = FromFiletime(info.ftLastAccessTime);
    status.m_size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    status.m_attribute = static_cast<std::uint8_t>(info.dwFileAttributes & 0xFF);
    status.m_szFullName = path;
    return status;
}

StatusWrite SetFileStatus(const std::string& path, const CFileStatus& status, StatusParts parts) {
    if ((parts & part::all) == 0) {
        return StatusWrite::complete;
    }
    // Opened once for both steps. Changing the times and the attributes needs only the
    // right to write attributes, which a read-only file grants.
    const HANDLE handle = ::CreateFileW(win32::Widen(path).c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        ThrowLastError(path);
    }
    const struct Closer {
        HANDLE handle;
        ~Closer() { ::CloseHandle(handle); }
    } closer{handle};

    StatusParts applied = 0;
    const auto writeTimes = [&] {
        constexpr StatusParts kTimes = part::modified | part::created | part::accessed;
        if ((parts & kTimes) == 0) {
            return;
        }
        const FILETIME creation = ToFiletime(status.m_ctime);
        const FILETIME access = ToFiletime(status.m_atime);
        const FILETIME write = ToFiletime(status.m_mtime);
        // A null time is left as it is.
        if (!::SetFileTime(handle, (parts & part::created) != 0 ? &creation : nullptr,
                           (parts & part::accessed) != 0 ? &access : nullptr,
                           (parts & part::modified) != 0 ? &write : nullptr)) {
            ThrowLastError(path);
        }
        applied |= parts & kTimes;
    };
    const auto writeAttributes = [&] {
        if ((parts & part::attributes) == 0) {
            return;
        }
        FILE_BASIC_INFO info{};          // times of zero are left as they are
        constexpr DWORD kNormal = 0x80;  // what the system takes for "no attribute at all"
        info.FileAttributes = status.m_attribute == 0 ? kNormal : status.m_attribute;
        if (!::SetFileInformationByHandle(handle, FileBasicInfo, &info, sizeof info)) {
            ThrowLastError(path);
        }
        applied |= part::attributes;
    };

    try {
        // Read-only lifted before the times, set after them, as on other systems.
        if ((status.m_attribute & attr::readOnly) != 0) {
            writeTimes();
            writeAttributes();
        } else {
            writeAttributes();
            writeTimes();
        }
    } catch (const CFileException& failure) {
        if (applied == 0) {
            throw;
        }
        throw CStatusWriteException(failure, applied, parts & ~applied);
    }
    return StatusWrite::complete;
}

}  // namespace scx
