#pragma once
// The host that shows real windows.

#include "Host.h"

namespace scx {

class QtHost : public Host {
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

// Loads Qt's own French texts (buttons, file dialogs, context menus) into `app`.
void InstallFrenchTranslations();

}  // namespace scx
