// The staged file on Windows: MoveFileExW, DeleteFileW and the console's control handler.
// The handler runs on a thread of its own while the program goes on; the staged files are
// open with FILE_SHARE_DELETE, so that removing them there takes effect when the process
// ends and closes them.

#include "WindowsApi.h"

#include "StagedFile.h"
#include "StagedFilePlatform.h"
#include "Win32Paths.h"

namespace scx {

namespace {

// The exit statuses of the POSIX signals that the events stand for.
BOOL WINAPI RemovePendingAndExit(DWORD event) {
    UINT status = 0;
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
            status = 130;  // SIGINT
            break;
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            status = 129;  // SIGHUP
            break;
        default:
            return FALSE;
    }
    detail::RemovePendingFiles();
    ::ExitProcess(status);
}

// Whether another process holds `path` open without letting it be removed, which is why
// Windows refuses to replace it.
bool HeldOpenElsewhere(const std::wstring& path) {
    const HANDLE handle =
        ::CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return ::GetLastError() == ERROR_SHARING_VIOLATION;
    }
    ::CloseHandle(handle);
    return false;
}

}  // namespace

bool detail::OpenRegistered(CFile& file, const std::string& path, unsigned flags,
                            CFileException& error) {
    const bool opened = file.TryOpen(path, flags, &error);
    if (opened) {
        RegisterPendingFile(path.c_str());
    }
    return opened;
}

// "C:film.pck" is film.pck in the current folder of drive C, which need not be the
// program's: the temporary file goes beside it there.
std::string detail::FinalPathOf(const std::string& path) {
    return win32::FullPath(path);
}

// The read-only attribute is the one permission a file carries here, and it is refused.
void detail::PrepareToReplace(const std::string& path, CFile& file) {
    const std::string& shown = file.GetFilePath();
    const DWORD attributes = ::GetFileAttributesW(win32::Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw CFileException(CFileException::notRegularFile, shown);
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        throw CFileException(CFileException::accessDenied, shown,
                             static_cast<int>(ERROR_ACCESS_DENIED));
    }
}

void detail::RenameOver(const std::string& from, const std::string& to, const std::string& shown) {
    const std::wstring target = win32::Widen(to);
    if (!::MoveFileExW(win32::Widen(from).c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD error = ::GetLastError();
        // Windows denies the replacement of a file open elsewhere: say that it is in use.
        if (error == ERROR_ACCESS_DENIED && HeldOpenElsewhere(target)) {
            error = ERROR_SHARING_VIOLATION;
        }
        throw CFileException(win32::CauseFromLastError(error), shown, static_cast<int>(error));
    }
}

void detail::RemoveFileQuietly(const char* path) {
    ::DeleteFileW(win32::Widen(path).c_str());
}

void RemoveStagedFilesOnInterrupt() {
    ::SetConsoleCtrlHandler(RemovePendingAndExit, TRUE);
}

}  // namespace scx
