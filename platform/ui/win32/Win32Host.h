#pragma once
// The host that shows real windows on Windows: the system's message boxes and file
// dialogs, a modal loop of our own over the dialog manager's keys, and the shell.

#include "Host.h"

namespace scx::win32 {

class Win32Host : public Host {
  public:
    int MessageBox(const std::string& text, win::UINT type) override;
    std::optional<std::string> AskFile(const FileDialogRequest& request) override;
    int RunModal(CDialog& dialog) override;
    bool ShellOpen(const std::string& file, const std::string& parameters) override;
    void Beep() override;
    void SetWaitCursor(bool on) override;
    void PumpEvents() override;
    [[noreturn]] void ExitProcess(int status) override;
    std::string ProgramPath() const override;
    bool StartProgram(const std::string& program,
                      const std::vector<std::string>& arguments) override;
    std::string AppName() const override;
};

// The common controls the dialogs use, registered once before the first window.
void InitCommonControls();

// `argument` quoted so that the C runtime's parser of the started program reads it back
// whole, whatever it holds.
std::wstring QuoteArgument(const std::wstring& argument);

}  // namespace scx::win32
