// Files dropped from a file manager onto the main window, through the real window's drag
// and drop events.
#include <gtest/gtest.h>

#include <filesystem>

#include "MainWindowFixture.h"
#include "ResourceIds.h"
#include "UiDriver.h"

namespace scx {
namespace {

using namespace res;
using testkit::DragFiles;
using testkit::DropFiles;
using testkit::MainWindowTest;
using testkit::WriteFile;

constexpr int kPanel[] = {IDC_SOURCE_PATH, IDC_DEST_PATH, IDC_EXTENSION,
                          IDC_SIZE,        IDC_INFO1,     IDC_INFO2};

struct PanelState {
    std::vector<std::string> texts;
    bool cut = false;
    bool join = false;
    int progress = 0;
    std::vector<std::string> messages;
    bool operator==(const PanelState&) const = default;
};

class DropTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        OpenMain();
    }

    PanelState State(const CMainDlg& window) const {
        PanelState state;
        for (int id : kPanel) {
            state.texts.push_back(window.GetDlgItemText(id));
        }
        state.cut = window.IsDlgItemEnabled(IDC_CUT);
        state.join = window.IsDlgItemEnabled(IDC_JOIN);
        state.progress = window.GetProgressCtrl(IDC_PROGRESS).GetPos();
        state.messages = host.MessageTexts();
        return state;
    }
};

// The drop and "Sélectionner" on the same file leave two windows in the same state.
TEST_F(DropTest, ADroppedFileIsChosenExactlyAsSelectChoosesIt) {
    WriteFile(dir / "film.avi", std::string(5000000, 'v'));
    WriteFile(dir / "film.001", std::string("mpeg003") + '\0' + std::string(64, 'd'));
    WriteFile(dir / "clip.avi.001", std::string(64, 'h'));  // HJSplit: message 103
    WriteFile(dir / "LISEZMOI", "texte");
    WriteFile(dir / "vide", "");
    for (const char* name : {"film.avi", "film.001", "clip.avi.001", "LISEZMOI", "vide"}) {
        SCOPED_TRACE(name);
        const std::string path = dir / name;

        host.ClearMessages();
        dlg.GetProgressCtrl(IDC_PROGRESS).SetPos(40);
        ASSERT_TRUE(DropFiles(dlg, {path}));
        const PanelState dropped = State(dlg);

        CMainDlg selecting;
        app.m_pMainWnd = &selecting;
        Open(selecting);
        host.ClearMessages();
        selecting.GetProgressCtrl(IDC_PROGRESS).SetPos(40);
        host.ChooseFile(path);
        selecting.ClickDlgItem(IDC_SELECT);
        EXPECT_EQ(dropped, State(selecting));
        EXPECT_EQ(dlg.m_strSourceTitle, selecting.m_strSourceTitle);
        EXPECT_EQ(dlg.m_strSourceExt, selecting.m_strSourceExt);
        EXPECT_EQ(dlg.m_nTagPieceCount, selecting.m_nTagPieceCount);
        app.m_pMainWnd = &dlg;
    }
}

TEST_F(DropTest, AFirstPieceDroppedFromTheFileManagerIsReadyToJoin) {
    WriteFile(dir / "film avec blancs.001", std::string("mpeg003") + '\0' + "data");
    ASSERT_TRUE(DropFiles(dlg, {dir / "film avec blancs.001"}));
    EXPECT_EQ(Text(IDC_INFO1), "Extension du fichier joint :   mpeg");
    EXPECT_EQ(Text(IDC_INFO2), "Nombres de fichiers à joindre :   3");
    EXPECT_TRUE(dlg.IsDlgItemEnabled(IDC_JOIN));
    EXPECT_FALSE(dlg.IsDlgItemEnabled(IDC_CUT));
    EXPECT_TRUE(host.Messages().empty());
}

// Refused drops say why and leave the earlier choice whole.
TEST_F(DropTest, SeveralFilesOrAFolderAreRefusedAndTheChoiceStays) {
    WriteFile(dir / "a.bin", "a");
    WriteFile(dir / "b.bin", "b");
    std::filesystem::create_directory(dir / "dossier");
    Select(dir / "a.bin");
    const PanelState before = State(dlg);

    const struct {
        std::vector<std::string> paths;
        std::string message;
    } cases[] = {
        {{dir / "a.bin", dir / "b.bin"},
         "Déposez un seul fichier à la fois : Scindarex coupe ou joint un fichier à la fois."},
        {{dir / "dossier"},
         "Un dossier ne peut être ni coupé ni joint :\n" + (dir / "dossier") +
             "\nDéposez un fichier à couper ou à joindre."},
    };
    for (const auto& c : cases) {
        host.ClearMessages();
        ASSERT_TRUE(DropFiles(dlg, c.paths));
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{c.message});
        PanelState after = State(dlg);
        after.messages = before.messages;
        EXPECT_EQ(after, before);
    }
}

TEST_F(DropTest, OnlyLocalFilesAreTaken) {
    const std::optional<bool> web = testkit::DragUrls(dlg, {"https://example.org/film.001"});
    if (!web) {
        GTEST_SKIP() << "this toolkit's drops carry local file names only";
    }
    EXPECT_FALSE(*web);
    EXPECT_FALSE(*testkit::DragUrls(dlg, {}));
}

TEST_F(DropTest, OnlyTheMainWindowTakesFilesAndNoneOfItsControls) {
    EXPECT_TRUE(DragFiles(dlg, {dir / "film.001"}));
    // An edit under the cursor must not paste the path as text.
    for (int id : {IDC_NEW_SIZE, IDC_SOURCE_PATH, IDC_DEST_PATH}) {
        EXPECT_FALSE(testkit::ControlTakesDrops(dlg, id)) << id;
    }
    // The other windows take no drop.
    CDialog about(IDD_ABOUTBOX);
    Open(about);
    EXPECT_FALSE(DragFiles(about, {dir / "film.001"}));
}

TEST_F(DropTest, ADropWhileAHandlerRunsIsIgnored) {
    WriteFile(dir / "a.bin", "a");
    WriteFile(dir / "b.bin", "b");
    Select(dir / "a.bin");
    // "Sélectionner" is in its file dialog when the second file arrives.
    bool taken = true;
    host.OnMessage(
        [&](const testkit::ScriptedHost::Message&) { taken = DropFiles(dlg, {dir / "b.bin"}); });
    host.CancelFileDialog();
    dlg.ClickDlgItem(IDC_SELECT);
    EXPECT_FALSE(taken);
    EXPECT_EQ(Text(IDC_SOURCE_PATH), "");
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{"Pas de fichier sélectionné"});
}

}  // namespace
}  // namespace scx
