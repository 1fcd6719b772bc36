#include "Win32Host.h"

#include <cstdlib>
#include <filesystem>

#include "Dialog.h"
#include "FileFilter.h"
#include "Utf8Path.h"
#include "Win32Paths.h"
#include "Win32Window.h"

// After our headers: see SystemHeaders.h.
#include "SystemHeaders.h"

namespace scx::win32 {

namespace {

HWND ActiveWindowOfOurs() {
    HWND active = GetActiveWindow();
    return Win32Window::FromHandle(active) != nullptr ? active : nullptr;
}

// The resource form's pairs as the system's filter: "desc\0p1;p2\0...\0\0".
std::wstring SystemFilter(const std::string& resourceFilter) {
    std::wstring filter;
    for (const FilterPair& pair : ParseFilter(resourceFilter)) {
        std::string patterns;
        for (const std::string& pattern : pair.patterns) {
            patterns += (patterns.empty() ? "" : ";") + pattern;
        }
        filter += Widen(pair.description) + L'\0' + Widen(patterns) + L'\0';
    }
    return filter + L'\0';
}

}  // namespace

int Win32Host::MessageBox(const std::string& text, win::UINT type) {
    return MessageBoxW(ActiveWindowOfOurs(), Widen(text).c_str(), Widen(AppName()).c_str(),
                       type | MB_SETFOREGROUND);
}

std::optional<std::string> Win32Host::AskFile(const FileDialogRequest& request) {
    std::wstring file(32768, L'\0');
    const std::wstring initial = Widen(request.initialName);
    file.replace(0, std::min(initial.size(), file.size() - 1), initial);
    const std::wstring filter = SystemFilter(request.filter);
    const std::wstring title = Widen(request.title);
    const std::wstring defaultExt = Widen(request.defaultExt);
    const std::wstring folder = std::filesystem::current_path().wstring();
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ActiveWindowOfOurs();
    dialog.lpstrFilter = filter.size() > 1 ? filter.c_str() : nullptr;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    // The caller decides about the current folder (CFileDialog).
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (request.open) {
        dialog.Flags |= OFN_FILEMUSTEXIST;
    } else if (request.overwritePrompt) {
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    }
    const BOOL chosen = request.open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!chosen) {
        return std::nullopt;
    }
    return Narrow(file.c_str());
}

int Win32Host::RunModal(CDialog& dialog) {
    dialog.Create();
    dialog.InitDialog();
    if (dialog.IsEnded()) {
        return dialog.Result();
    }
    auto& window = static_cast<Win32Window&>(dialog.Peer());
    HWND owner = GetWindow(window.Handle(), GW_OWNER);
    window.Show();
    if (owner != nullptr) {
        EnableWindow(owner, FALSE);
    }
    MSG message;
    while (!dialog.IsEnded()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the loop outside
            break;
        }
        DispatchDialogMessage(message);
    }
    if (owner != nullptr) {
        EnableWindow(owner, TRUE);
    }
    window.Hide();
    return dialog.Result();
}

bool Win32Host::ShellOpen(const std::string& file, const std::string& parameters) {
    const std::wstring wideParameters = Widen(parameters);
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        ActiveWindowOfOurs(), L"open", Widen(file).c_str(),
        parameters.empty() ? nullptr : wideParameters.c_str(), nullptr, SW_SHOWNORMAL));
    return result > 32;
}

void Win32Host::Beep() {
    MessageBeep(MB_OK);
}

void Win32Host::SetWaitCursor(bool on) {
    SetWaitCursorShown(on);
}

void Win32Host::PumpEvents() {
    // Paint and timers only: the user's input waits for the handler to end.
    MSG message;
    for (UINT kind : {static_cast<UINT>(WM_PAINT), static_cast<UINT>(WM_TIMER)}) {
        while (PeekMessageW(&message, nullptr, kind, kind, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
}

void Win32Host::ExitProcess(int status) {
    std::exit(status);
}

std::string Win32Host::ProgramPath() const {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return Narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

bool Win32Host::StartProgram(const std::string& program,
                             const std::vector<std::string>& arguments) {
    const std::wstring application = Widen(program);
    std::wstring commandLine = QuoteArgument(application);
    for (const std::string& argument : arguments) {
        commandLine += L' ' + QuoteArgument(Widen(argument));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::string Win32Host::AppName() const {
    return Utf8Text(Utf8Path(ProgramPath()).stem());
}

void InitCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)done;
}

std::wstring QuoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    for (auto it = argument.begin();; ++it) {
        std::size_t backslashes = 0;
        while (it != argument.end() && *it == L'\\') {
            ++it;
            ++backslashes;
        }
        if (it == argument.end()) {
            // Doubled, so that the closing quote stays one.
            quoted.append(backslashes * 2, L'\\');
            break;
        }
        if (*it == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        quoted += *it;
    }
    return quoted + L'"';
}

}  // namespace scx::win32
