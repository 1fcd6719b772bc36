#pragma once
// A main window opened on a scripted host, with a scratch folder for its files.

#include <filesystem>
#include <string>

#include "GuiTest.h"
#include "MainDlg.h"
#include "ResourceIds.h"
#include "TestFiles.h"

namespace scx::testkit {

class MainWindowTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        m_previousDirectory = std::filesystem::current_path();
    }
    void TearDown() override {
        std::filesystem::current_path(m_previousDirectory);
        GuiTest::TearDown();
    }

    // Opens the main window as if started with `commandLine`.
    void OpenMain(const std::string& commandLine = {}) {
        app.m_lpCmdLine = commandLine;
        app.m_pMainWnd = &dlg;
        Open(dlg);
    }

    // Chooses `path` in the file dialog of "Sélectionner".
    void Select(const std::string& path) {
        host.ChooseFile(path);
        dlg.ClickDlgItem(res::IDC_SELECT);
    }

    // Picks item `index` of the partition list as the user does.
    void PickPartition(int index) {
        dlg.GetComboBox(res::IDC_PARTITION).SetCurSel(index);
        dlg.SendNotify(Notify::SelChange, res::IDC_PARTITION);
    }

    std::string Text(int id) const { return dlg.GetDlgItemText(id); }

    TempDir dir;
    CMainDlg dlg;

  private:
    std::filesystem::path m_previousDirectory;
};

}  // namespace scx::testkit
