// The main window's frame: start-up state, command line, menu commands, system menu.
#include <gtest/gtest.h>

#include "ArchiveWizardDlg.h"
#include "FileCompareDlg.h"
#include "FilePropsDlg.h"
#include "MainWindowFixture.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "UiDriver.h"

namespace scx {
namespace {

using namespace win;
using namespace res;
using testkit::MainWindowTest;
using testkit::ReadFile;
using testkit::WriteFile;

TEST_F(MainWindowTest, StartsWithNoFileAndTheDefaultPartition) {
    OpenMain();
    EXPECT_FALSE(dlg.IsDlgItemEnabled(IDC_CUT));
    EXPECT_FALSE(dlg.IsDlgItemEnabled(IDC_JOIN));
    EXPECT_EQ(dlg.GetComboBox(IDC_PARTITION).GetCurSel(), 2);
    EXPECT_EQ(Text(IDC_PARTITION), "1400");
    EXPECT_EQ(dlg.m_nPartitionSize, 1400);
    EXPECT_FALSE(dlg.IsDlgButtonChecked(IDC_HJSPLIT));
    EXPECT_FALSE(dlg.m_bHJSplit);
    EXPECT_EQ(dlg.GetProgressCtrl(IDC_PROGRESS).GetPos(), 0);
    for (int id : {IDC_SOURCE_PATH, IDC_DEST_PATH, IDC_EXTENSION, IDC_SIZE, IDC_INFO1, IDC_INFO2,
                   IDC_NEW_SIZE}) {
        EXPECT_EQ(Text(id), "") << id;
    }
    EXPECT_EQ(dlg.GetWindowText(), "Scindarex");
    EXPECT_TRUE(testkit::HasWindowIcon(dlg));
    EXPECT_EQ(dlg.GetFocusId(), IDC_SOURCE_PATH);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(MainWindowTest, CommandLineSelectsAFileOnlyInItsOneForm) {
    WriteFile(dir / "b.pck", std::string(5000, 'x'));
    WriteFile(dir / "film.mpeg", std::string(10, 'x'));
    struct Case {
        std::string commandLine;
        std::string path;  // selected, empty: none
        std::string extension;
        bool cutEnabled;
    };
    const std::vector<Case> cases{
        {"l " + (dir / "b.pck"), dir / "b.pck", "pck", true},
        {"L " + (dir / "b.pck"), "", "", false},
        {"x " + (dir / "b.pck"), "", "", false},
        {"", "", "", false},
        // The fourth-last character is not a dot: loaded without extension.
        {"l " + (dir / "film.mpeg"), dir / "film.mpeg", "", true},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.commandLine);
        CMainDlg window;
        app.m_lpCmdLine = t.commandLine;
        Open(window);
        EXPECT_EQ(window.m_strSourcePath, t.path);
        EXPECT_EQ(window.GetDlgItemText(IDC_SOURCE_PATH), t.path);
        EXPECT_EQ(window.m_strSourceExt, t.extension);
        EXPECT_EQ(window.IsDlgItemEnabled(IDC_CUT), t.cutEnabled);
        EXPECT_TRUE(host.Messages().empty());
        if (!t.path.empty()) {
            EXPECT_EQ(window.m_strDestFolder, dir.Path());
            EXPECT_EQ(window.GetDlgItemText(IDC_DEST_PATH), dir.Path());
            EXPECT_EQ(window.GetDlgItemText(IDC_INFO2), "Taille de partition :  1400");
        }
    }
}

TEST_F(MainWindowTest, CommandLineWithoutAPathSelectsNothingAndSaysNothing) {
    for (const std::string commandLine : {"l", "l "}) {
        SCOPED_TRACE(commandLine);
        host.ClearMessages();
        CMainDlg window;
        app.m_lpCmdLine = commandLine;
        Open(window);
        EXPECT_TRUE(host.Messages().empty());
        EXPECT_EQ(window.m_strSourcePath, "");
        EXPECT_EQ(window.GetDlgItemText(IDC_SOURCE_PATH), "");
        EXPECT_FALSE(window.IsDlgItemEnabled(IDC_CUT));
        EXPECT_FALSE(window.IsDlgItemEnabled(IDC_JOIN));
    }
}

TEST_F(MainWindowTest, CommandLineFirstPieceEnablesTheJoin) {
    WriteFile(dir / "film.001", std::string("avi  003") + std::string(100, 'd'));
    OpenMain("l " + (dir / "film.001"));
    EXPECT_TRUE(dlg.IsDlgItemEnabled(IDC_JOIN));
    EXPECT_FALSE(dlg.IsDlgItemEnabled(IDC_CUT));
    EXPECT_EQ(Text(IDC_INFO1), "Extension du fichier joint :   avi");
}

TEST_F(MainWindowTest, QuitAsksFirstAndEndsWithStatusZeroOnYes) {
    OpenMain();
    host.Answer({IDNO});
    dlg.SendCommand(ID_FILE_QUIT);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, LoadString(IDS_QUIT));
    EXPECT_EQ(host.Messages()[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_FALSE(dlg.IsEnded());

    host.Answer({IDYES});
    try {
        dlg.SendCommand(ID_FILE_QUIT);
        FAIL() << "the process should have ended";
    } catch (const ProcessExit& exit) {
        EXPECT_EQ(exit.status, 0);
    }
}

TEST_F(MainWindowTest, CloseBoxAndEscapeEndWithoutQuestion) {
    OpenMain();
    testkit::ClickCloseBox(dlg);
    EXPECT_EQ(dlg.Result(), IDCANCEL);
    CMainDlg other;
    Open(other);
    other.SendCommand(IDCANCEL);
    EXPECT_TRUE(other.IsEnded());
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(MainWindowTest, ToolsRefuseWithoutAFileAndOtherwiseReceiveIt) {
    OpenMain();
    dlg.SendCommand(ID_TOOLS_PROPERTIES);
    dlg.SendCommand(ID_TOOLS_COMPARE);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{LoadString(IDS_NO_FILE_PROPERTIES),
                                                             LoadString(IDS_NO_FILE_COMPARE)}));
    EXPECT_TRUE(host.ModalRuns().empty());

    WriteFile(dir / "a.txt", "abc");
    Select(dir / "a.txt");
    std::string propsPath, comparePath;
    host.OnModal(IDD_FILEPROPS, [&](CDialog& d) {
        propsPath = static_cast<CFilePropsDlg&>(d).m_strPath;
        d.SendCommand(IDCANCEL);
    });
    host.OnModal(IDD_FILECOMPARE, [&](CDialog& d) {
        comparePath = static_cast<CFileCompareDlg&>(d).m_strPath1;
        d.SendCommand(IDCANCEL);
    });
    host.OnModal(IDD_ARCHIVE_WIZARD, [](CDialog& d) { d.SendCommand(IDCANCEL); });
    dlg.SendCommand(ID_TOOLS_PROPERTIES);
    dlg.SendCommand(ID_TOOLS_COMPARE);
    dlg.SendCommand(ID_TOOLS_ARCHIVE_WIZARD);
    EXPECT_EQ(propsPath, dir / "a.txt");
    EXPECT_EQ(comparePath, dir / "a.txt");
    EXPECT_EQ(host.ModalRuns(),
              (std::vector<int>{IDD_FILEPROPS, IDD_FILECOMPARE, IDD_ARCHIVE_WIZARD}));
}

TEST_F(MainWindowTest, AboutComesFromTheMenuAndFromTheSystemMenu) {
    OpenMain();
    const auto& items = dlg.SystemMenu().Items();
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(items[items.size() - 2].flags, static_cast<UINT>(CMenu::MF_SEPARATOR));
    EXPECT_EQ(items.back().text, "&A propos de scindarex...");
    EXPECT_EQ(items.back().command, static_cast<UINT>(IDM_ABOUTBOX));

    for (int i = 0; i < 2; ++i) {
        host.OnModal(IDD_ABOUTBOX, [](CDialog& about) {
            EXPECT_EQ(about.GetWindowText(), "A propos de scindarex");
            about.ClickDlgItem(IDOK);
        });
    }
    dlg.SendCommand(ID_HELP_ABOUT);
    dlg.SendSysCommand(IDM_ABOUTBOX);
    EXPECT_EQ(host.ModalRuns(), (std::vector<int>{IDD_ABOUTBOX, IDD_ABOUTBOX}));
    EXPECT_FALSE(dlg.IsEnded());
}

TEST_F(MainWindowTest, OnlineHelpOpensTheFrenchGuide) {
    OpenMain();
    dlg.SendCommand(ID_HELP_ONLINE);
    ASSERT_EQ(host.ShellCalls().size(), 1u);
    const std::string guide = ReadFile(host.ShellCalls()[0].file);
    EXPECT_NE(guide.find("lang=\"fr\""), std::string::npos);
    EXPECT_TRUE(host.Messages().empty());
}

}  // namespace
}  // namespace scx
