// The source panel and the partition size, through the main window.
#include <gtest/gtest.h>

#include "File.h"
#include "MainWindowFixture.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace scx {
namespace {

using namespace win;
using namespace res;
using testkit::MainWindowTest;
using testkit::TempDir;
using testkit::WriteFile;

const std::string kNothing = "Aucun fichier sélectionné";

class SourcePanelTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        OpenMain();
    }
    // A first piece of our own format: the tag, then a little data.
    void WriteOwnFirstPiece(const std::string& path, const std::string& tag) {
        WriteFile(path, tag + std::string(64, 'd'));
    }
    std::vector<std::string> Lines() const { return {Text(IDC_INFO1), Text(IDC_INFO2)}; }
};

TEST_F(SourcePanelTest, ChoosingAFileToCutFillsThePanel) {
    WriteFile(dir / "film.avi", std::string(5000000, 'v'));
    dlg.GetProgressCtrl(IDC_PROGRESS).SetPos(40);
    Select(dir / "film.avi");

    ASSERT_EQ(host.FileRequests().size(), 1u);
    const FileDialogRequest& request = host.FileRequests()[0];
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.title, "Sélectionnez un fichier à couper ou à joindre");
    EXPECT_EQ(request.filter,
              "Tous les fichiers (*.*)|*.*|Fichiers à joindre (*.001)|*.001|Sons MP3(*.mp3)|*.mp3|"
              "Fichier vidéos AVI (*.avi)|*.avi|Archive de Scindarex (*.pck)|*.pck|"
              "Fichier vidéos MPEG(*.mpg;*.mpeg)|*.mpg;*.mpeg||");
    EXPECT_EQ(request.defaultExt, "");

    EXPECT_EQ(Text(IDC_SOURCE_PATH), dir / "film.avi");
    EXPECT_EQ(Text(IDC_EXTENSION), "avi");
    EXPECT_EQ(Text(IDC_DEST_PATH), dir.Path());
    EXPECT_EQ(Text(IDC_SIZE), "4.7683716   Mo");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Nombre de fichier produits :  4",
                                                 "Taille de partition :  1400"}));
    EXPECT_TRUE(dlg.IsDlgItemEnabled(IDC_CUT));
    EXPECT_FALSE(dlg.IsDlgItemEnabled(IDC_JOIN));
    EXPECT_EQ(dlg.GetProgressCtrl(IDC_PROGRESS).GetPos(), 0);
    EXPECT_EQ(dlg.m_strSourceTitle, "film");
    EXPECT_EQ(dlg.m_strSourceFolder, dir.Path());
    EXPECT_EQ(dlg.m_dFileSize, 5000000.0);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(SourcePanelTest, SizesAndPieceCountsOfFilesToCut) {
    struct Case {
        std::uint64_t bytes;
        std::string sizeText;
        std::string pieces;
    };
    for (const Case& t : std::vector<Case>{{0, "0.   octets", "1"},
                                           {1024, "1.   ko", "1"},
                                           {1433600, "1.3671875   Mo", "2"},
                                           {1048576, "1.   Mo", "1"}}) {
        const std::string path = dir / ("f" + std::to_string(t.bytes) + ".bin");
        WriteFile(path, std::string(t.bytes, 'z'));
        Select(path);
        EXPECT_EQ(Text(IDC_SIZE), t.sizeText);
        EXPECT_EQ(Text(IDC_INFO1), "Nombre de fichier produits :  " + t.pieces);
    }
}

TEST_F(SourcePanelTest, AFileWithoutExtensionIsAFileToCut) {
    WriteFile(dir / "LISEZMOI", "texte");
    Select(dir / "LISEZMOI");
    EXPECT_EQ(Text(IDC_EXTENSION), "");
    EXPECT_EQ(dlg.m_strSourceExt, "");
    EXPECT_EQ(dlg.m_strSourceTitle, "LISEZMOI");
    EXPECT_EQ(dlg.m_strSourceFolder, dir.Path());
    EXPECT_TRUE(dlg.IsDlgItemEnabled(IDC_CUT));
}

TEST_F(SourcePanelTest, OwnFirstPieceShowsItsTag) {
    WriteOwnFirstPiece(dir / "film.001", "mpeg 003");
    Select(dir / "film.001");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Extension du fichier joint :   mpeg",
                                                 "Nombres de fichiers à joindre :   3"}));
    EXPECT_TRUE(dlg.IsDlgItemEnabled(IDC_JOIN));
    EXPECT_FALSE(dlg.IsDlgItemEnabled(IDC_CUT));
    EXPECT_EQ(dlg.m_nTagPieceCount, 3);
    EXPECT_EQ(dlg.m_strTagExtension, "mpe");
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(SourcePanelTest, UnreadableTagsShowMessage103AndKeepTheJoinEnabled) {
    struct Case {
        std::string bytes;
        std::string secondLine;
    };
    const std::string zeroBeforeCount("av\0  003", 8);
    for (const Case& t : std::vector<Case>{{"RIFF\x10\x20\x30\x40 data", "0"},
                                           {"avi  000", "0"},
                                           {"avi     ", "0"},
                                           {zeroBeforeCount, "0"}}) {
        host.ClearMessages();
        WriteFile(dir / "x.001", t.bytes);
        Select(dir / "x.001");
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_TAG_UNREADABLE)});
        EXPECT_EQ(host.Messages()[0].type, MB_OK);
        EXPECT_EQ(Text(IDC_INFO2), "Nombres de fichiers à joindre :   " + t.secondLine);
        EXPECT_TRUE(dlg.IsDlgItemEnabled(IDC_JOIN));
    }
}

TEST_F(SourcePanelTest, HJSplitBoxReadsAnHJSplitSetFromThePiecesPresent) {
    for (const char* suffix : {".001", ".002", ".003", ".005"}) {
        WriteFile(dir / (std::string("film.avi") + suffix), "RIFF data");
    }
    Select(dir / "film.avi.001");
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_TAG_UNREADABLE)});

    dlg.ClickDlgItem(IDC_HJSPLIT);
    EXPECT_TRUE(dlg.m_bHJSplit);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Extension du fichier joint :   avi",
                                                 "Nombres de fichiers à joindre :   3"}));
    EXPECT_EQ(host.Messages().size(), 1u);

    // Unticking reads the tag again.
    dlg.ClickDlgItem(IDC_HJSPLIT);
    EXPECT_FALSE(dlg.m_bHJSplit);
    EXPECT_EQ(host.Messages().size(), 2u);
}

// A piece held by another program exists: the count goes on past it, and the join will
// report it rather than join fewer pieces.
TEST_F(SourcePanelTest, HJSplitCountGoesOnPastAPieceThatCannotBeOpened) {
    for (const char* suffix : {".001", ".002", ".003", ".004"}) {
        WriteFile(dir / (std::string("x.avi") + suffix), "data");
    }
    dlg.ClickDlgItem(IDC_HJSPLIT);
    CFile heldByAnotherProgram(dir / "x.avi.002", CFile::modeRead);
    Select(dir / "x.avi.001");
    EXPECT_EQ(Text(IDC_INFO2), "Nombres de fichiers à joindre :   4");
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(SourcePanelTest, HJSplitModeRefusesATitleWithoutADot) {
    WriteOwnFirstPiece(dir / "film.001", "avi  002");
    Select(dir / "film.001");
    const std::vector<std::string> before = Lines();
    dlg.ClickDlgItem(IDC_HJSPLIT);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_HJSPLIT_NO_EXTENSION)});
    EXPECT_EQ(Lines(), before);
    EXPECT_TRUE(dlg.IsDlgItemEnabled(IDC_JOIN));
}

TEST_F(SourcePanelTest, HJSplitBoxOnlyChangesTheSwitchWithoutAFirstPiece) {
    dlg.ClickDlgItem(IDC_HJSPLIT);  // no file
    EXPECT_TRUE(dlg.m_bHJSplit);
    WriteFile(dir / "film.avi", std::string(3000, 'v'));
    Select(dir / "film.avi");
    const std::vector<std::string> before = Lines();
    dlg.ClickDlgItem(IDC_HJSPLIT);
    dlg.ClickDlgItem(IDC_HJSPLIT);
    EXPECT_EQ(Lines(), before);
    EXPECT_TRUE(dlg.m_bHJSplit);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(SourcePanelTest, CancellingTheChoiceResetsThePanel) {
    WriteFile(dir / "film.avi", std::string(3000, 'v'));
    Select(dir / "film.avi");
    host.CancelFileDialog();
    dlg.ClickDlgItem(IDC_SELECT);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_NO_FILE_CHOSEN)});
    for (int id : {IDC_EXTENSION, IDC_SIZE, IDC_INFO1, IDC_INFO2}) {
        EXPECT_EQ(Text(id), kNothing) << id;
    }
    EXPECT_EQ(Text(IDC_SOURCE_PATH), "");
    EXPECT_EQ(Text(IDC_DEST_PATH), "");
    EXPECT_FALSE(dlg.IsDlgItemEnabled(IDC_CUT));
    EXPECT_FALSE(dlg.IsDlgItemEnabled(IDC_JOIN));
    EXPECT_EQ(dlg.m_strSourcePath, "");

    host.ClearMessages();
    dlg.SendCommand(ID_TOOLS_PROPERTIES);
    dlg.SendCommand(ID_TOOLS_COMPARE);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{LoadString(IDS_NO_FILE_PROPERTIES),
                                                             LoadString(IDS_NO_FILE_COMPARE)}));

    // A size chosen now leaves the lines as they are.
    PickPartition(3);
    EXPECT_EQ(Text(IDC_INFO1), kNothing);
}

TEST_F(SourcePanelTest, AFileThatCannotBeOpenedIsReportedAfterThePathTookItsPlace) {
    WriteFile(dir / "film.avi", std::string(3000, 'v'));
    Select(dir / "film.avi");
    const std::vector<std::string> lines = Lines();
    const std::string size = Text(IDC_SIZE);

    TempDir other;
    Select(other / "absent.mkv");
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].type, MB_OK | MB_ICONSTOP);
    EXPECT_NE(host.Messages()[0].text.find(other / "absent.mkv"), std::string::npos);
    EXPECT_EQ(Text(IDC_SOURCE_PATH), other / "absent.mkv");
    EXPECT_EQ(Text(IDC_EXTENSION), "mkv");
    EXPECT_EQ(Text(IDC_DEST_PATH), other.Path());
    EXPECT_EQ(Text(IDC_SIZE), size);
    EXPECT_EQ(Lines(), lines);
    EXPECT_TRUE(dlg.IsDlgItemEnabled(IDC_CUT));
}

// Partition size.

TEST_F(SourcePanelTest, ChoosingASizeRefreshesOnlyAFileToCut) {
    PickPartition(3);  // "700", no file
    EXPECT_EQ(dlg.m_nPartitionSize, 700);
    EXPECT_EQ(Text(IDC_INFO1), "");

    WriteFile(dir / "film.avi", std::string(5000000, 'v'));
    Select(dir / "film.avi");
    EXPECT_EQ(Text(IDC_INFO1), "Nombre de fichier produits :  7");
    PickPartition(0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Nombre de fichier produits :  1",
                                                 "Taille de partition :  15000"}));

    WriteOwnFirstPiece(dir / "film.001", "avi  004");
    Select(dir / "film.001");
    const std::vector<std::string> before = Lines();
    PickPartition(4);
    EXPECT_EQ(dlg.m_nPartitionSize, 320);
    EXPECT_EQ(Lines(), before);
}

TEST_F(SourcePanelTest, AddedSizesGoAtTheEndSelectedAndUnchecked) {
    WriteFile(dir / "film.avi", std::string(5000000, 'v'));
    Select(dir / "film.avi");
    struct Case {
        std::string typed;
        std::int64_t size;
        std::string firstLine;
    };
    CComboBox sizes = dlg.GetComboBox(IDC_PARTITION);
    int count = sizes.GetCount();
    for (const Case& t : std::vector<Case>{{"2000", 2000, "Nombre de fichier produits :  3"},
                                           {"14", 14, "Nombre de fichier produits :  349"},
                                           {"0", 0, "Nombre de fichier produits :  0"},
                                           {"1400", 1400, "Nombre de fichier produits :  4"}}) {
        dlg.SetDlgItemText(IDC_NEW_SIZE, t.typed);
        dlg.ClickDlgItem(IDC_ADD_SIZE);
        ++count;
        EXPECT_EQ(sizes.GetCount(), count);
        EXPECT_EQ(sizes.GetCurSel(), count - 1);
        EXPECT_EQ(sizes.GetLBText(count - 1), t.typed);
        EXPECT_EQ(Text(IDC_NEW_SIZE), "");
        EXPECT_EQ(dlg.m_nPartitionSize, t.size);
        EXPECT_EQ(Text(IDC_INFO1), t.firstLine);
    }
    EXPECT_EQ(sizes.GetLBText(2), "1400");  // the duplicate did not replace the original
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(SourcePanelTest, AddingAnEmptySizeShowsMessage110AndChangesNothing) {
    dlg.ClickDlgItem(IDC_ADD_SIZE);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_NO_SIZE_TO_ADD)});
    EXPECT_EQ(dlg.GetComboBox(IDC_PARTITION).GetCount(), 5);
    EXPECT_EQ(dlg.GetComboBox(IDC_PARTITION).GetCurSel(), 2);
    EXPECT_EQ(dlg.m_nPartitionSize, 1400);
}

TEST_F(SourcePanelTest, HugePartitionSizesKeepTheirValue) {
    WriteFile(dir / "film.avi", std::string(5000, 'v'));
    Select(dir / "film.avi");
    dlg.SetDlgItemText(IDC_NEW_SIZE, "4194304");  // 4 GiB partitions
    dlg.ClickDlgItem(IDC_ADD_SIZE);
    EXPECT_EQ(dlg.m_nPartitionSize, 4194304);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Nombre de fichier produits :  1",
                                                 "Taille de partition :  4194304"}));
}

}  // namespace
}  // namespace scx
