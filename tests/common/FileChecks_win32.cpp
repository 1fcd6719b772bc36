#include "WindowsApi.h"

#include "DosAttrib.h"
#include "FileChecks.h"
#include "Win32Paths.h"

namespace scx::test {

bool ReadOnlyForTheSystem(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(win32::Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

FileTime ChangeTime(const std::string& path) {
    FILE_BASIC_INFO info{};
    const HANDLE file = ::CreateFileW(win32::Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ::GetFileInformationByHandleEx(file, FileBasicInfo, &info, sizeof info);
        ::CloseHandle(file);
    }
    // The same 100 ns units from 1601 as the DOS attribute record.
    return dosattrib::FromNtTime(static_cast<std::uint64_t>(info.ChangeTime.QuadPart));
}

}  // namespace scx::test
