// The destination folder dialog, driven as a nested modal dialog of the main window.
#include <gtest/gtest.h>

#include <filesystem>

#include "DestPathDlg.h"
#include "MainWindowFixture.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace scx {
namespace {

using namespace win;
using namespace res;
using testkit::MainWindowTest;
using testkit::Native;
using testkit::WriteFile;
namespace fs = std::filesystem;

class DestinationTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        OpenMain();
    }
    // Opens the dialog from the main window; `typed` replaces the edit's text before
    // each press of "OK" in turn, or keeps it when empty.
    void PressOkWith(std::vector<std::string> typed, bool cancelAtTheEnd = false) {
        host.OnModal(IDD_DESTPATH, [this, typed, cancelAtTheEnd](CDialog& d) {
            shownAtOpening = d.GetDlgItemText(IDC_DESTPATH_EDIT);
            focusAtOpening = d.GetFocusId();
            for (const std::string& text : typed) {
                if (!text.empty()) {
                    d.SetDlgItemText(IDC_DESTPATH_EDIT, text);
                }
                d.ClickDlgItem(IDOK);
                textsAfterOk.push_back(d.GetDlgItemText(IDC_DESTPATH_EDIT));
                if (d.IsEnded()) {
                    return;
                }
            }
            if (cancelAtTheEnd) {
                d.ClickDlgItem(IDCANCEL);
            }
        });
        dlg.ClickDlgItem(IDC_CHANGE_DEST);
    }
    std::vector<std::string> Messages() const { return host.MessageTexts(); }

    std::string shownAtOpening;
    int focusAtOpening = 0;
    std::vector<std::string> textsAfterOk;
};

TEST_F(DestinationTest, WithoutASourceTheEmptyPathBecomesTheRoot) {
    host.Answer({IDYES});
    PressOkWith({"", ""});
    EXPECT_EQ(shownAtOpening, "");
    EXPECT_EQ(focusAtOpening, IDOK);
    EXPECT_EQ(Messages(), std::vector<std::string>{LoadString(IDS_ADD_SEPARATOR)});
    EXPECT_EQ(host.Messages()[0].type, MB_YESNO);
    EXPECT_EQ(dlg.m_strDestFolder, Native("/"));
    EXPECT_EQ(Text(IDC_DEST_PATH), Native("/"));
    EXPECT_EQ(fs::current_path(), fs::current_path().root_path());
}

TEST_F(DestinationTest, AMissingSeparatorIsAddedOnYesThenTheMissingFolderCreated) {
    host.Answer({IDYES, IDYES});
    const std::string folder = dir / "Sortie";
    PressOkWith({folder, ""});
    EXPECT_EQ(textsAfterOk.front(), folder + Native("/"));
    EXPECT_EQ(Messages(), (std::vector<std::string>{LoadString(IDS_ADD_SEPARATOR),
                                                    LoadString(IDS_CREATE_FOLDER),
                                                    LoadString(IDS_FOLDER_CREATED)}));
    EXPECT_EQ(host.Messages()[2].type, MB_OK);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(Text(IDC_DEST_PATH), folder + Native("/"));
    EXPECT_EQ(dlg.m_strDestFolder, folder + Native("/"));
}

TEST_F(DestinationTest, NoToTheSeparatorQuestionKeepsTheDialogOpen) {
    host.Answer({IDNO, IDNO});
    PressOkWith({dir / "Sortie", ""}, /*cancelAtTheEnd=*/true);
    EXPECT_EQ(textsAfterOk, (std::vector<std::string>{dir / "Sortie", dir / "Sortie"}));
    EXPECT_EQ(Messages(), (std::vector<std::string>{LoadString(IDS_ADD_SEPARATOR),
                                                    LoadString(IDS_ADD_SEPARATOR)}));
    EXPECT_EQ(dlg.m_strDestFolder, "");  // cancelled: nothing changed
}

TEST_F(DestinationTest, AMissingFolderIsAcceptedWhenItsCreationIsDeclinedOrFails) {
    host.Answer({IDNO});
    PressOkWith({dir / "absent/"});
    EXPECT_EQ(Messages(), std::vector<std::string>{LoadString(IDS_CREATE_FOLDER)});
    EXPECT_FALSE(fs::exists(dir / "absent"));
    EXPECT_EQ(dlg.m_strDestFolder, dir / "absent/");

    host.ClearMessages();
    host.Answer({IDYES});
    PressOkWith({dir / "a/b/"});  // "a" is missing: one level only, the creation fails
    EXPECT_EQ(Messages(), std::vector<std::string>{LoadString(IDS_CREATE_FOLDER)});
    EXPECT_FALSE(fs::exists(dir / "a"));
    EXPECT_EQ(dlg.m_strDestFolder, dir / "a/b/");
    EXPECT_EQ(Text(IDC_DEST_PATH), dir / "a/b/");
}

TEST_F(DestinationTest, AnExistingFolderBecomesTheCurrentDirectoryAndRelativePathsStayRelative) {
    fs::create_directories(dir / "sortie/suite");
    PressOkWith({dir / "sortie/"});
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(fs::current_path(), fs::path(dir / "sortie"));

    PressOkWith({Native("suite/")});
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(fs::current_path(), fs::path(dir / "sortie/suite"));
    EXPECT_EQ(dlg.m_strDestFolder, Native("suite/"));
}

TEST_F(DestinationTest, TheDialogOpensOnTheSourceFolderAndCancelKeepsTheDestination) {
    WriteFile(dir / "film.avi", "v");
    Select(dir / "film.avi");
    fs::create_directory(dir / "out");
    PressOkWith({dir / "out/"});
    EXPECT_EQ(dlg.m_strDestFolder, dir / "out/");

    PressOkWith({}, /*cancelAtTheEnd=*/true);
    EXPECT_EQ(shownAtOpening, dir.Path());
    EXPECT_EQ(dlg.m_strDestFolder, dir / "out/");
    EXPECT_EQ(Text(IDC_DEST_PATH), dir / "out/");

    // A new selection puts the destination back on the file's folder.
    Select(dir / "film.avi");
    EXPECT_EQ(dlg.m_strDestFolder, dir.Path());
}

TEST_F(DestinationTest, EndsWithBackslashLooksAtTheLastCharacterOnly) {
    CDestPathDlg d;
    for (const auto& [path, expected] : std::vector<std::pair<std::string, bool>>{
             {"", false}, {"/", true}, {"/tmp", false}, {"/tmp/", true}, {"a/b", false}}) {
        d.m_strPath = Native(path);
        EXPECT_EQ(d.EndsWithBackslash(), expected) << path;
    }
}

}  // namespace
}  // namespace scx
