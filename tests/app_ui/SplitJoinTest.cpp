// "&Couper" and "&Joindre le fichier" through the main window: checks and messages, the
// questions, the progress bar, caption, animation and cursor, and the window at rest after
// a file error.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "../platform_file/FaultPlan.h"
#include "File.h"
#include "FileErrorText.h"
#include "MainWindowFixture.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "UiDriver.h"
#include "Utf8Path.h"

namespace scx {
namespace {

using namespace win;
using namespace res;
using testkit::MainWindowTest;
using testkit::PathExists;
using testkit::PatternBytes;
using testkit::ReadFile;
using testkit::ScriptedHost;
using testkit::WriteFile;
namespace fs = std::filesystem;

class SplitJoinTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        OpenMain();
        testkit::WatchCaption(dlg, [this](const std::string& title) { captions.push_back(title); });
        testkit::WatchProgress(dlg, IDC_PROGRESS,
                               [this](int value) { positions.push_back(value); });
    }
    void TearDown() override {
        CFile::SetFaultHook(nullptr);
        MainWindowTest::TearDown();
    }
    void AddSize(const std::string& text) {
        dlg.SetDlgItemText(IDC_NEW_SIZE, text);
        dlg.ClickDlgItem(IDC_ADD_SIZE);
    }
    void ExpectAtRest() {
        EXPECT_EQ(dlg.GetWindowText(), "Scindarex");
        EXPECT_EQ(dlg.GetAnimateCtrl(IDC_ANIMATION).GetClip(), 0);
        EXPECT_FALSE(dlg.GetAnimateCtrl(IDC_ANIMATION).IsPlaying());
        EXPECT_FALSE(host.WaitCursorOn());
    }
    void Reset() {
        captions.clear();
        positions.clear();
        host.ClearMessages();
    }

    std::vector<std::string> captions;
    std::vector<int> positions;
};

TEST_F(SplitJoinTest, CutsAndJoinsFilmAviWithEveryStepShown) {
    const std::string film = PatternBytes(3000000);
    WriteFile(dir / "film.avi", film);
    Select(dir / "film.avi");
    Reset();
    bool busyDuringMessage = false;
    host.OnMessage([&](const ScriptedHost::Message&) {
        busyDuringMessage = dlg.GetAnimateCtrl(IDC_ANIMATION).IsPlaying() &&
                            dlg.GetAnimateCtrl(IDC_ANIMATION).GetClip() == IDR_AVI_SPLIT &&
                            dlg.GetWindowText() == "Scindarex(100%)" && host.WaitCursorOn();
    });
    dlg.ClickDlgItem(IDC_CUT);

    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_CUT_DONE)});
    EXPECT_TRUE(busyDuringMessage);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Scindarex (33%)", "Scindarex (66%)", "Scindarex (99%)",
                                        "Scindarex(100%)", "Scindarex"}));
    EXPECT_EQ(positions, (std::vector<int>{33, 66, 99, 100}));
    ExpectAtRest();
    EXPECT_EQ(host.WaitCursorChanges(), 2);
    EXPECT_EQ(fs::file_size(dir / "film.001"), 1433608u);
    EXPECT_EQ(fs::file_size(dir / "film.002"), 1433600u);
    EXPECT_EQ(fs::file_size(dir / "film.003"), 132800u);
    EXPECT_EQ(ReadFile(dir / "film.001").substr(0, 8), "avi  003");

    fs::rename(dir / "film.avi", dir / "original.avi");
    Select(dir / "film.001");
    Reset();
    host.OnMessage([&](const ScriptedHost::Message&) {
        busyDuringMessage = dlg.GetAnimateCtrl(IDC_ANIMATION).GetClip() == IDR_AVI_JOIN &&
                            dlg.GetWindowText() == "Scindarex(100%)";
    });
    dlg.ClickDlgItem(IDC_JOIN);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_JOIN_DONE)});
    EXPECT_TRUE(busyDuringMessage);
    EXPECT_EQ(ReadFile(dir / "film.avi"), film);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Scindarex (33%)", "Scindarex (66%)", "Scindarex (99%)",
                                        "Scindarex(100%)", "Scindarex"}));
    EXPECT_EQ(positions, (std::vector<int>{33, 66, 99, 100}));  // the choice set it to 0
    ExpectAtRest();
    // No piece is left open: each can be opened exclusively at once.
    for (const char* piece : {"film.001", "film.002", "film.003"}) {
        CFile reopened;
        EXPECT_TRUE(reopened.TryOpen(dir / piece, CFile::modeRead)) << piece;
    }
}

TEST_F(SplitJoinTest, RefusalsOfTheCut) {
    struct Case {
        std::uint64_t bytes;
        std::string size;  // added to the list, empty: the default 1400
        unsigned message;
    };
    for (const Case& t : std::vector<Case>{{1433599, "", IDS_FILE_SMALLER},
                                           {0, "", IDS_FILE_SMALLER},
                                           {5000, "0", IDS_ZERO_PARTITION},
                                           {999 * 1024, "1", IDS_TOO_MANY_PIECES}}) {
        SCOPED_TRACE(t.bytes);
        const std::string path = dir / ("f" + std::to_string(t.bytes) + ".bin");
        WriteFile(path, std::string(t.bytes, 'x'));
        Select(path);
        if (!t.size.empty()) {
            AddSize(t.size);
        }
        Reset();
        dlg.ClickDlgItem(IDC_CUT);
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(t.message)});
        EXPECT_FALSE(fs::exists(dir / ("f" + std::to_string(t.bytes) + ".001")));
        ExpectAtRest();
        PickPartition(2);
    }
}

TEST_F(SplitJoinTest, NineHundredNinetyNinePiecesAreCutWithTheBarAtZeroUntilTheEnd) {
    WriteFile(dir / "n.bin", PatternBytes(998 * 1024 + 5));
    Select(dir / "n.bin");
    AddSize("1");
    ASSERT_EQ(dlg.m_nPieceCount, 999);
    Reset();
    dlg.ClickDlgItem(IDC_CUT);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_CUT_DONE)});
    EXPECT_TRUE(fs::exists(dir / "n.999"));
    EXPECT_EQ(fs::file_size(dir / "n.999"), 5u);
    EXPECT_EQ(positions, std::vector<int>{100});  // step 0: nothing moves before the end
    EXPECT_EQ(captions.front(), "Scindarex (0%)");
}

TEST_F(SplitJoinTest, NonNumericSizeIsRemovedFromTheList) {
    WriteFile(dir / "film.avi", std::string(5000, 'v'));
    Select(dir / "film.avi");
    AddSize("12a");  // typed digits only; pasted text can hold anything
    const int count = dlg.GetComboBox(IDC_PARTITION).GetCount();
    Reset();
    dlg.ClickDlgItem(IDC_CUT);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_SIZE_NOT_NUMERIC)});
    EXPECT_EQ(dlg.GetComboBox(IDC_PARTITION).GetCount(), count - 1);
    EXPECT_EQ(dlg.GetComboBox(IDC_PARTITION).GetCurSel(), CB_ERR);
    EXPECT_EQ(dlg.m_nPartitionSize, 12);
    EXPECT_FALSE(fs::exists(dir / "film.001"));
}

TEST_F(SplitJoinTest, QuestionsWhenTheFirstPieceExists) {
    WriteFile(dir / "film.avi", PatternBytes(3000000));
    Select(dir / "film.avi");
    WriteFile(dir / "film.001", "old");
    WriteFile(dir / "film_Copie.002", "older copy");

    host.Answer({IDNO, IDNO});
    Reset();
    dlg.ClickDlgItem(IDC_CUT);
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{LoadString(IDS_OVERWRITE), LoadString(IDS_ADD_COPY)}));
    EXPECT_EQ(host.Messages()[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(ReadFile(dir / "film.001"), "old");
    EXPECT_FALSE(fs::exists(dir / "film.002"));
    ExpectAtRest();

    host.Answer({IDNO, IDYES});
    Reset();
    dlg.ClickDlgItem(IDC_CUT);
    EXPECT_EQ(host.MessageTexts().back(), LoadString(IDS_CUT_DONE));
    EXPECT_EQ(ReadFile(dir / "film.001"), "old");
    EXPECT_EQ(fs::file_size(dir / "film_Copie.002"), 1433600u);  // replaced without a question
    EXPECT_TRUE(fs::exists(dir / "film_Copie.003"));

    host.Answer({IDYES});
    Reset();
    dlg.ClickDlgItem(IDC_CUT);
    EXPECT_EQ(fs::file_size(dir / "film.001"), 1433608u);
}

TEST_F(SplitJoinTest, AMissingPieceStopsTheJoinWithAnErrorAndTheWindowAtRest) {
    WriteFile(dir / "film.001", "avi  003" + PatternBytes(1000));
    WriteFile(dir / "film.003", PatternBytes(10));
    Select(dir / "film.001");
    Reset();
    dlg.ClickDlgItem(IDC_JOIN);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].type, MB_OK | MB_ICONSTOP);
    EXPECT_NE(host.Messages()[0].text.find(dir / "film.002"), std::string::npos);
    EXPECT_EQ(fs::file_size(dir / "film.avi"), 1000u);  // what was joined stays
    ExpectAtRest();
}

TEST_F(SplitJoinTest, AWriteFailureInTheMiddleOfAPieceLeavesTheWindowAtRest) {
    WriteFile(dir / "film.avi", PatternBytes(3000000));
    Select(dir / "film.avi");
    const std::string failing = dir / "film.002";
    CFile::SetFaultHook([failing](CFile::Op op, const std::string& path, std::uint64_t position,
                                  std::size_t& limit) {
        constexpr std::uint64_t kFailAt = 700000;
        if (op != CFile::Op::write || path != failing) {
            return 0;
        }
        if (position >= kFailAt) {
            return ENOSPC;
        }
        limit = std::min<std::size_t>(limit, kFailAt - position);
        return 0;
    });
    Reset();
    dlg.ClickDlgItem(IDC_CUT);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].type, MB_OK | MB_ICONSTOP);
    EXPECT_NE(host.Messages()[0].text.find(failing), std::string::npos);
    EXPECT_EQ(fs::file_size(dir / "film.001"), 1433608u);
    EXPECT_EQ(fs::file_size(failing), 700000u);
    EXPECT_FALSE(fs::exists(dir / "film.003"));
    ExpectAtRest();
}

// A failed choice leaves the previous file's size and count in the panel, and "&Couper"
// enabled: the cut then reports the file that cannot be opened.
TEST_F(SplitJoinTest, CutAfterAFailedChoiceReportsTheLockedFile) {
    WriteFile(dir / "film.avi", PatternBytes(5000000));
    WriteFile(dir / "locked.001", PatternBytes(100));
    Select(dir / "film.avi");
    CFile otherProgram(dir / "locked.001", CFile::modeRead | CFile::shareExclusive);
    Select(dir / "locked.001");
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_TRUE(dlg.IsDlgItemEnabled(IDC_CUT));
    ASSERT_EQ(dlg.GetComboBox(IDC_PARTITION).GetLBText(3), "700");
    PickPartition(3);
    Reset();
    dlg.ClickDlgItem(IDC_CUT);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].type, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(host.Messages()[0].text,
              ReplacePathSlot(LoadString(IDS_FILE_SHARING_VIOLATION), dir / "locked.001"));
    EXPECT_FALSE(PathExists(dir / "locked.002"));
    ExpectAtRest();
}

// Accented extensions travel whole in the tag (one Windows-1252 byte per character), and
// an inner blank is kept.
TEST_F(SplitJoinTest, ExtensionsComeBackWhole) {
    AddSize("1");
    for (const std::string extension :
         {"\xC3\xA9t\xC3\xA9", "jp\xC3\xA9g", "mp\xE2\x82\xAC", "tx t"}) {
        SCOPED_TRACE(extension);
        const std::string data = PatternBytes(3000);
        fs::current_path(dir.Path());  // Windows cannot remove the current folder
        fs::remove_all(dir / "out");
        fs::create_directory(dir / "out");
        WriteFile(dir / "out/clip." + extension, data);
        Select(dir / "out/clip." + extension);
        dlg.ClickDlgItem(IDC_CUT);
        fs::remove(Utf8Path(dir / "out/clip." + extension));
        Select(dir / "out/clip.001");
        EXPECT_EQ(Text(IDC_INFO1), "Extension du fichier joint :   " + extension);
        host.ClearMessages();
        dlg.ClickDlgItem(IDC_JOIN);
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_JOIN_DONE)});
        EXPECT_EQ(ReadFile(dir / "out/clip." + extension), data);
    }
}

// A disk that fails at each file operation of a cut and of a join in turn: no success is
// announced beside a failure, the window is back at rest with its buttons as they were,
// and the files read are untouched.
TEST_F(SplitJoinTest, EveryDiskFailureLeavesTheWindowAtRest) {
    for (const char* folder : {"in", "pieces", "out"}) {
        fs::create_directory(dir / folder);
    }
    WriteFile(dir / "in/film.avi", PatternBytes(5000, 3));
    AddSize("1");
    const struct {
        std::string selected;
        std::string inputs;
        std::string dest;
        int button;
        unsigned done;
    } runs[] = {
        {dir / "in/film.avi", dir / "in", dir / "pieces/", IDC_CUT, IDS_CUT_DONE},
        {dir / "pieces/film.001", dir / "pieces", dir / "out/", IDC_JOIN, IDS_JOIN_DONE},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.selected);
        Select(run.selected);
        dlg.m_strDestFolder = run.dest;
        const bool cutEnabled = dlg.IsDlgItemEnabled(IDC_CUT);
        const bool joinEnabled = dlg.IsDlgItemEnabled(IDC_JOIN);
        int operations = 0;
        {
            test::FaultPlan counting(0, 0);
            dlg.ClickDlgItem(run.button);
            operations = counting.Operations();
        }
        ASSERT_GT(operations, 10);
        const test::FolderSnapshot inputs(run.inputs);
        for (const test::DiskFault& fault : test::DiskFaults()) {
            for (int n = 1; n <= operations; ++n) {
                SCOPED_TRACE(std::string(fault.name) + " at operation " + std::to_string(n));
                Reset();
                host.Answer({IDYES, IDNO, IDNO});  // overwrite what the last run wrote
                {
                    test::FaultPlan plan(n, fault.error);
                    dlg.ClickDlgItem(run.button);
                }
                host.ClearAnswers();
                const auto texts = host.MessageTexts();
                const bool saidDone =
                    std::find(texts.begin(), texts.end(), LoadString(run.done)) != texts.end();
                const bool reported =
                    std::any_of(host.Messages().begin(), host.Messages().end(),
                                [](const auto& m) { return m.type == (MB_OK | MB_ICONSTOP); });
                EXPECT_FALSE(saidDone && reported);
                ExpectAtRest();
                EXPECT_EQ(dlg.IsDlgItemEnabled(IDC_CUT), cutEnabled);
                EXPECT_EQ(dlg.IsDlgItemEnabled(IDC_JOIN), joinEnabled);
                EXPECT_EQ(inputs.Changed(), std::vector<std::string>{});
            }
        }
        // The next run reads what a run without failures writes.
        host.Answer({IDYES});
        dlg.ClickDlgItem(run.button);
        host.ClearAnswers();
    }
}

// A tag naming the pieces' own extension: the joined name is the first piece, so the
// questions are asked, and the copy name they lead to is joined.
TEST_F(SplitJoinTest, AFirstPieceWhoseTagNamesItsOwnExtensionJoinsUnderTheCopyName) {
    WriteFile(dir / "b.001", "001  002one");
    WriteFile(dir / "b.002", "two");
    Select(dir / "b.001");
    Reset();
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDC_JOIN);
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{
                  LoadString(IDS_OVERWRITE),
                  ReplacePathSlot(LoadString(IDS_OUTPUT_IS_PIECE), dir / "b.001")}));
    Reset();
    host.Answer({IDNO, IDYES});
    dlg.ClickDlgItem(IDC_JOIN);
    EXPECT_EQ(host.MessageTexts().back(), LoadString(IDS_JOIN_DONE));
    EXPECT_EQ(ReadFile(dir / "b_Copie.001"), "onetwo");
    EXPECT_EQ(ReadFile(dir / "b.001"), "001  002one");
    ExpectAtRest();
}

// A pipe among the pieces is counted (it exists) and refused by the join without waiting.
TEST_F(SplitJoinTest, APipeAmongThePiecesIsRefusedByName) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no named pipes among the files of a folder";
#else
    WriteFile(dir / "x.avi.001", "AAA");
    ASSERT_EQ(::mkfifo((dir / "x.avi.002").c_str(), 0600), 0);
    dlg.ClickDlgItem(IDC_HJSPLIT);
    Select(dir / "x.avi.001");
    EXPECT_EQ(Text(IDC_INFO2), "Nombres de fichiers à joindre :   2");
    Reset();
    dlg.ClickDlgItem(IDC_JOIN);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text,
              ReplacePathSlot(LoadString(IDS_FILE_NOT_REGULAR), dir / "x.avi.002"));
    ExpectAtRest();
#endif
}

TEST_F(SplitJoinTest, HJSplitJoinCountsThePiecesUpToTheFirstGap) {
    const std::string data = PatternBytes(3500);
    WriteFile(dir / "film.avi.001", data.substr(0, 1000));
    WriteFile(dir / "film.avi.002", data.substr(1000, 1000));
    WriteFile(dir / "film.avi.003", data.substr(2000, 1500));  // a longer last piece
    WriteFile(dir / "film.avi.005", "ignored");
    fs::create_directory(dir / "out");
    dlg.ClickDlgItem(IDC_HJSPLIT);
    Select(dir / "film.avi.001");
    Reset();
    dlg.ClickDlgItem(IDC_JOIN);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_JOIN_DONE)});
    EXPECT_EQ(ReadFile(dir / "film.avi"), data);
    EXPECT_EQ(captions, (std::vector<std::string>{"Scindarex (33%)", "Scindarex (66%)",
                                                  "Scindarex (99%)", "Scindarex"}));
    ExpectAtRest();

    host.Answer({IDNO, IDYES});
    dlg.ClickDlgItem(IDC_JOIN);
    EXPECT_EQ(ReadFile(dir / "Copie_de_film.avi"), data);
}

}  // namespace
}  // namespace scx
