// The creation and extraction dialogs and the wizard, driven on the scripted host.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "ArchiveCreateDlg.h"
#include "ArchiveExtractDlg.h"
#include "ArchiveWizardDlg.h"
#include "Cli.h"
#include "File.h"
#include "FileErrorText.h"
#include "MainWindowFixture.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace scx {
namespace {

using namespace win;
using namespace res;
using testkit::MainWindowTest;
using testkit::PatternBytes;
using testkit::ReadFile;
using testkit::WriteFile;
namespace fs = std::filesystem;

std::string Said(unsigned id, const std::string& detail = {}) {
    return ReplacePathSlot(LoadString(id), detail);
}

int RunCli(const std::vector<std::string>& args, std::string* out = nullptr) {
    std::istringstream in;
    std::ostringstream o, e;
    const int code = cli::RunCli(args, in, o, e, {});
    if (out != nullptr) {
        *out = o.str();
    }
    return code;
}

class ArchiveDialogTest : public MainWindowTest {
  protected:
    std::string Path(const std::string& name) const { return dir / name; }

    // Chooses `path` in the dialog of "&Ajouter un fichier".
    void Add(CArchiveCreateDlg& create, const std::string& path) {
        host.ChooseFile(path);
        create.ClickDlgItem(IDC_ADD_FILE);
    }

    // Creates the archive at `path`; the restart that follows ends the handler.
    void Create(CArchiveCreateDlg& create, const std::string& path) {
        host.ChooseFile(path);
        try {
            create.ClickDlgItem(IDC_CREATE);
            ADD_FAILURE() << "no restart";
        } catch (const ProcessExit& exit) {
            EXPECT_EQ(exit.status, 0);
        }
    }

    // The progress bar each time the dialog let events run.
    void WatchProgress(CDialog& dialog, int barId) {
        host.OnPump([&dialog, barId, this] {
            const int position = dialog.GetProgressCtrl(barId).GetPos();
            if (m_positions.empty() || m_positions.back() != position) {
                m_positions.push_back(position);
            }
        });
    }

    void LoadInto(CArchiveExtractDlg& extract, const std::string& path) {
        host.ChooseFile(path);
        extract.ClickDlgItem(IDC_BROWSE);
    }

    // Loads `path`, selects every member and extracts, answering `answers`.
    void ExtractAll(CArchiveExtractDlg& extract, const std::string& path,
                    std::initializer_list<int> answers = {}) {
        LoadInto(extract, path);
        extract.GetListCtrl(IDC_CONTENT_LIST).SetItemSelected(-1, true);
        extract.ClickDlgItem(IDC_ADD_SELECTION);
        host.Answer(answers);
        host.ClearMessages();
        extract.ClickDlgItem(IDC_EXTRACT);
    }

    // An archive at `name` of members (name, bytes) written by the command line.
    void Pack(const std::string& name, const std::vector<std::pair<std::string, std::string>>& m) {
        fs::create_directories(Path("src"));
        std::vector<std::string> args = {"pack", Path(name)};
        for (const auto& [member, bytes] : m) {
            WriteFile(Path("src/" + member), bytes);
            args.push_back(Path("src/" + member));
        }
        ASSERT_EQ(RunCli(args), 0);
    }

    std::vector<int> m_positions;
};

TEST_F(ArchiveDialogTest, CreationListRefusesDuplicatesAndRemovesSelectedRows) {
    fs::create_directories(Path("other"));
    for (const char* name : {"x.txt", "other/x.txt", "X.txt", "a;b"}) {
        WriteFile(Path(name), "12345");
    }
    CArchiveCreateDlg create;
    Open(create);
    EXPECT_EQ(create.GetDlgItemText(IDC_STATUS), LoadString(IDS_STATUS_NO_FILE));
    EXPECT_FALSE(create.IsDlgItemEnabled(IDC_CREATE));
    for (const char* name : {"x.txt", "x.txt", "other/x.txt", "X.txt", "a;b"}) {
        Add(create, Path(name));
    }
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{Said(IDS_ALREADY_IN_LIST), Said(IDS_ALREADY_IN_LIST),
                                        Said(IDS_NAME_NOT_STORABLE, Path("a;b"))}));
    CListCtrl list = create.GetListCtrl(IDC_FILE_LIST);
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(1, 0), "X.txt");
    EXPECT_EQ(list.GetItemText(1, 1), Path("X.txt"));
    EXPECT_EQ(list.GetItemText(1, 2), "5");
    EXPECT_EQ(create.GetDlgItemText(IDC_STATUS),
              LoadString(IDS_STATUS_ADD) + " \r\n" + LoadString(IDS_STATUS_CREATE));
    EXPECT_TRUE(create.IsDlgItemEnabled(IDC_CREATE));

    host.ClearMessages();
    create.ClickDlgItem(IDC_REMOVE_FILE);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{Said(IDS_NOTHING_SELECTED)});
    list.SetItemSelected(-1, true);
    create.ClickDlgItem(IDC_REMOVE_FILE);
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_TRUE(create.IsDlgItemEnabled(IDC_CREATE));

#ifndef _WIN32  // no such name there
    WriteFile(Path("aux.c"), "x");
    Add(create, Path("aux.c"));
    EXPECT_EQ(host.MessageTexts().back(), Said(IDS_NAME_NOT_STORABLE, Path("aux.c")));
    EXPECT_EQ(list.GetItemCount(), 0);
#endif

    // An empty list still makes an archive, and the program restarts without arguments.
    Create(create, Path("empty.pck"));
    EXPECT_EQ(ReadFile(Path("empty.pck")),
              "@scindarexpack;@begin;@meta;{scindarex;2.01;1;;;;}@struct;{}@end;");
    ASSERT_EQ(host.ProgramStarts().size(), 1u);
    EXPECT_TRUE(host.ProgramStarts()[0].arguments.empty());
}

TEST_F(ArchiveDialogTest, SemicolonInAnyPropertyIsRefusedBeforeTheSaveDialog) {
    CArchiveCreateDlg create;
    Open(create);
    for (const int id : {IDC_AUTHOR, IDC_CONTENT, IDC_COMMENT}) {
        create.SetDlgItemText(id, "a;b");
        create.SendCommand(IDC_CREATE);
        create.SetDlgItemText(id, "");
    }
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>(3, Said(IDS_INVALID_CHARACTER)));
    EXPECT_TRUE(host.FileRequests().empty());
}

TEST_F(ArchiveDialogTest, ProgressAfterEachMemberAndTheRestartWithTheArchive) {
    struct Row {
        std::size_t first, second;
        std::vector<int> positions;
    };
    for (const Row& row :
         std::vector<Row>{{1000, 3000, {0, 25, 100}}, {29, 71, {0, 28, 100}}, {0, 0, {0, 100}}}) {
        WriteFile(Path("one"), PatternBytes(row.first));
        WriteFile(Path("two"), PatternBytes(row.second));
        fs::create_directories(Path("with spaces  here"));
        const std::string archivePath = Path("with spaces  here/a b.pck");
        CArchiveCreateDlg create;
        Open(create);
        Add(create, Path("one"));
        Add(create, Path("two"));
        create.SetDlgItemText(IDC_COMMENT, "ligne 1\nligne 2");
        create.CheckDlgButton(IDC_CUT_AFTER, true);
        m_positions = {create.GetProgressCtrl(IDC_CREATE_PROGRESS).GetPos()};
        WatchProgress(create, IDC_CREATE_PROGRESS);
        host.ClearMessages();
        Create(create, archivePath);
        EXPECT_EQ(m_positions, row.positions) << row.first;
        const FileDialogRequest& save = host.FileRequests().back();
        EXPECT_FALSE(save.open || save.overwritePrompt);
        EXPECT_EQ(save.defaultExt, "pck");
        EXPECT_EQ(save.filter, "Fichiers Scindarex Package(*.pck)|*.pck||");
        EXPECT_EQ(host.Messages().back().text, Said(IDS_ARCHIVE_CREATED));
        EXPECT_EQ(host.Messages().back().type, MB_OK | MB_ICONINFORMATION);
        EXPECT_EQ(create.GetDlgItemText(IDC_STATUS), Said(IDS_ARCHIVE_CREATED));
        ASSERT_FALSE(host.ProgramStarts().empty());
#ifdef _WIN32
        EXPECT_EQ(host.ProgramStarts().back().program, "/opt/scindarex/bin/scindarex.exe");
#else
        EXPECT_EQ(host.ProgramStarts().back().program, "/opt/scindarex/bin/scindarex");
#endif
        EXPECT_EQ(host.ProgramStarts().back().arguments,
                  (std::vector<std::string>{"l", archivePath}));
        std::string listing;
        EXPECT_EQ(RunCli({"list", archivePath}, &listing), 0);
        EXPECT_NE(listing.find("Commentaire : ligne 1\\nligne 2\n"), std::string::npos);
        host.OnPump({});
    }
}

TEST_F(ArchiveDialogTest, ArchiveUnderAMembersPathIsRefusedAndNothingIsCreated) {
    WriteFile(Path("m.pck"), "member");
    CArchiveCreateDlg create;
    Open(create);
    Add(create, Path("m.pck"));
    host.ChooseFile(Path("m.pck"));
    create.ClickDlgItem(IDC_CREATE);
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{Said(IDS_ARCHIVE_IS_MEMBER, Path("m.pck"))});
    EXPECT_EQ(ReadFile(Path("m.pck")), "member");
    EXPECT_TRUE(host.ProgramStarts().empty());
}

TEST_F(ArchiveDialogTest, ExtractionBeepsWithoutRowsAndEndsWithAnEmptySelection) {
    CArchiveExtractDlg extract;
    Open(extract);
    extract.ClickDlgItem(IDC_EXTRACT);
    EXPECT_EQ(host.Beeps(), 1);
    EXPECT_TRUE(host.Messages().empty());

    Pack("x.pck", {{"a", "1"}, {"b", "22"}, {"c", "333"}});
    LoadInto(extract, Path("x.pck"));
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{Said(IDS_ARCHIVE_LOADED)});
    EXPECT_EQ(extract.GetDlgItemText(IDC_ARCHIVE_PATH), Path("x.pck"));
    host.ClearMessages();
    extract.ClickDlgItem(IDC_EXTRACT);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{Said(IDS_EXTRACT_DONE)});

    // Three rows of which one is already selected: one 136, two rows added.
    CListCtrl content = extract.GetListCtrl(IDC_CONTENT_LIST);
    content.SetItemSelected(1, true);
    extract.ClickDlgItem(IDC_ADD_SELECTION);
    content.SetItemSelected(-1, true);
    host.ClearMessages();
    extract.ClickDlgItem(IDC_ADD_SELECTION);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{Said(IDS_ALREADY_IN_LIST)});
    CListCtrl selection = extract.GetListCtrl(IDC_SELECTION_LIST);
    ASSERT_EQ(selection.GetItemCount(), 3);
    EXPECT_EQ(selection.GetItemText(1, 0), "a");
    EXPECT_EQ(selection.GetItemText(2, 2), "3");
    host.ClearMessages();
    extract.ClickDlgItem(IDC_REMOVE_SELECTION);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{Said(IDS_NOTHING_SELECTED)});
    EXPECT_EQ(host.Beeps(), 1);

    // An archive without members: the beep again, and no message.
    Pack("none.pck", {});
    LoadInto(extract, Path("none.pck"));
    host.ClearMessages();
    extract.ClickDlgItem(IDC_EXTRACT);
    EXPECT_EQ(host.Beeps(), 2);
    EXPECT_TRUE(host.Messages().empty());
}

// Adding many rows takes time in proportion to their number: 20 000 rows once took
// over a minute. A name held twice in the archive is refused the second time.
TEST_F(ArchiveDialogTest, AddingManyRowsToTheSelectionIsQuick) {
    constexpr int kRows = 20000;
    std::string header = "@scindarexpack;@begin;@meta;{scindarex;2.01;1;;;;}@struct;{";
    for (int i = 0; i < kRows; ++i) {
        header += "#f(member-" + std::to_string(i) + ".bin;0;0;";
    }
    WriteFile(Path("many.pck"), header + "#f(member-7.bin;0;0;}@end;");
    CArchiveExtractDlg extract;
    Open(extract);
    LoadInto(extract, Path("many.pck"));
    extract.GetListCtrl(IDC_CONTENT_LIST).SetItemSelected(-1, true);
    host.ClearMessages();
    const auto start = std::chrono::steady_clock::now();
    extract.ClickDlgItem(IDC_ADD_SELECTION);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{Said(IDS_ALREADY_IN_LIST)});
    const CListCtrl selection = extract.GetListCtrl(IDC_SELECTION_LIST);
    ASSERT_EQ(selection.GetItemCount(), kRows);
    EXPECT_EQ(selection.GetItemText(kRows - 1, 0), "member-" + std::to_string(kRows - 1) + ".bin");
}

TEST_F(ArchiveDialogTest, TakenNamesAskAndTheBarCountsWhatWasWritten) {
    struct Row {
        std::size_t first, second;
        std::initializer_list<int> answers;
        bool firstTaken;
        std::vector<int> positions;
    };
    const std::vector<Row> rows = {
        {1000, 3000, {}, false, {0, 25, 100}},
        {1000, 3000, {IDNO, IDNO}, true, {0, 75}},
        {57, 43, {}, false, {0, 56, 100}},
    };
    for (const Row& row : rows) {
        // The file dialog made "out" the current folder, which Windows cannot remove.
        fs::current_path(Path(""));
        fs::remove_all(Path("out"));
        fs::create_directories(Path("out"));
        Pack("out/x.pck",
             {{"first", PatternBytes(row.first)}, {"second", PatternBytes(row.second)}});
        if (row.firstTaken) {
            WriteFile(Path("out/first"), "old");
        }
        CArchiveExtractDlg extract;
        Open(extract);
        m_positions = {0};
        WatchProgress(extract, IDC_EXTRACT_PROGRESS);
        ExtractAll(extract, Path("out/x.pck"), row.answers);
        host.OnPump({});
        EXPECT_EQ(m_positions, row.positions) << row.first;
        EXPECT_EQ(host.MessageTexts().back(), Said(IDS_EXTRACT_DONE));
        EXPECT_TRUE(ReadFile(Path("out/second")) == PatternBytes(row.second));
        if (row.firstTaken) {
            EXPECT_EQ(host.MessageTexts().front(), LoadString(IDS_OVERWRITE) + "\n\"first\"");
            EXPECT_EQ(ReadFile(Path("out/first")), "old");
        }
    }
}

TEST_F(ArchiveDialogTest, OverwriteOrCopyNameAndTheLengthLimit) {
    const std::string n117(117, 'n');
    const std::string n118(118, 'm');
    fs::create_directories(Path("out"));
    Pack("out/x.pck", {{"a", "new a"}, {n117, "new 117"}, {n118, "new 118"}});
    for (const std::string& name : {std::string("a"), n117, n118}) {
        WriteFile(Path("out/" + name), "old");
    }
    CArchiveExtractDlg extract;
    Open(extract);
    ExtractAll(extract, Path("out/x.pck"), {IDYES, IDNO, IDYES, IDNO, IDYES});
    EXPECT_EQ(ReadFile(Path("out/a")), "new a");
    EXPECT_EQ(ReadFile(Path("out/Copie_de_" + n117)), "new 117");
    EXPECT_EQ(ReadFile(Path("out/" + n117)), "old");
    EXPECT_EQ(ReadFile(Path("out/" + n118)), "old");
    EXPECT_FALSE(fs::exists(Path("out/Copie_de_" + n118)));
    const auto texts = host.MessageTexts();
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[5], Said(IDS_NAME_TOO_LONG));
    EXPECT_EQ(texts[6], Said(IDS_EXTRACT_DONE));
}

TEST_F(ArchiveDialogTest, HostileNamesAreSkippedAndNothingIsWrittenOutsideTheFolder) {
    fs::create_directories(Path("out"));
    const std::string header =
        "@scindarexpack;@begin;@meta;{scindarex;2.01;1;;;;}@struct;{"
        "#f(../evil;1;0;#f(/tmp/abs;1;0;#f(C:x;1;0;#f(sub\\x;1;0;#f(good;1;0;}@end;";
    WriteFile(Path("out/x.pck"), header + "G");
    CArchiveExtractDlg extract;
    Open(extract);
    ExtractAll(extract, Path("out/x.pck"));
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{
                  Said(IDS_UNSAFE_ENTRY_NAME, "../evil"), Said(IDS_UNSAFE_ENTRY_NAME, "/tmp/abs"),
                  Said(IDS_UNSAFE_ENTRY_NAME, "C:x"), Said(IDS_UNSAFE_ENTRY_NAME, "sub\\x"),
                  Said(IDS_EXTRACT_DONE)}));
    EXPECT_EQ(ReadFile(Path("out/good")), "G");
    EXPECT_FALSE(fs::exists(Path("evil")));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Path("out"))) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"good", "x.pck"}));
}

TEST_F(ArchiveDialogTest, TruncatedArchiveAndFailedLoadWriteNothing) {
    fs::create_directories(Path("out"));
    Pack("out/x.pck", {{"a", "aaaa"}, {"b", PatternBytes(100)}});
    fs::resize_file(Path("out/x.pck"), fs::file_size(Path("out/x.pck")) - 50);
    CArchiveExtractDlg extract;
    Open(extract);
    ExtractAll(extract, Path("out/x.pck"));
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{DescribeFileError(CFileException(
                                       CFileException::endOfFile, Path("out/x.pck")))});
    EXPECT_FALSE(fs::exists(Path("out/b")));

    // A load that fails keeps its rows in view, but they are not extracted.
    fs::remove(Path("out/a"));
    const std::string cut = ReadFile(Path("out/x.pck")).substr(0, 80);
    WriteFile(Path("out/cut.pck"), cut);
    LoadInto(extract, Path("out/cut.pck"));
    extract.GetListCtrl(IDC_CONTENT_LIST).SetItemSelected(-1, true);
    extract.ClickDlgItem(IDC_ADD_SELECTION);
    host.ClearMessages();
    extract.ClickDlgItem(IDC_EXTRACT);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{Said(IDS_ARCHIVE_CORRUPT)});
    EXPECT_FALSE(fs::exists(Path("out/a")));
}

TEST_F(ArchiveDialogTest, ArchivesOfTheDialogAndOfTheCommandLineAreTheSame) {
    WriteFile(Path("a.txt"), "hello");
    WriteFile(Path("b.jpg"), PatternBytes(1200));
    CArchiveCreateDlg create;
    Open(create);
    Add(create, Path("a.txt"));
    Add(create, Path("b.jpg"));
    create.SetDlgItemText(IDC_AUTHOR, "anon é");
    create.SetDlgItemText(IDC_CONTENT, "Photos");
    create.SetDlgItemText(IDC_COMMENT, "un\ndeux");
    Create(create, Path("dialog.pck"));
    ASSERT_EQ(RunCli({"pack", Path("cli.pck"), Path("a.txt"), Path("b.jpg"), "--author", "anon é",
                      "--content", "Photos", "--comment", "un\ndeux"}),
              0);
    EXPECT_TRUE(ReadFile(Path("dialog.pck")) == ReadFile(Path("cli.pck")));
    EXPECT_EQ(ReadFile(Path("cli.pck")).substr(46, 24), "anon \xe9;Photos;un\r\ndeux;}");

    CArchiveExtractDlg extract;
    Open(extract);
    LoadInto(extract, Path("cli.pck"));
    EXPECT_EQ(extract.GetDlgItemText(IDC_INFO_AUTHOR), "anon é");
    EXPECT_EQ(extract.GetDlgItemText(IDC_INFO_COMMENT), "un\r\ndeux");
    EXPECT_EQ(extract.m_nDataStart, 114u);
}

TEST_F(ArchiveDialogTest, WizardNestsTheDialogsSoThatClosingLeadsBackToTheMainWindow) {
    OpenMain();
    // Next at once: the creation; back to a new wizard; cancel there.
    host.OnModal(IDD_ARCHIVE_WIZARD, [](CDialog& d) {
        EXPECT_TRUE(d.IsDlgButtonChecked(IDC_NEW_ARCHIVE));
        d.ClickDlgItem(IDC_NEXT);
    });
    host.OnModal(IDD_ARCHIVE_CREATE, [](CDialog& d) { d.ClickDlgItem(IDC_CREATE_BACK); });
    host.OnModal(IDD_ARCHIVE_WIZARD, [](CDialog& d) {
        d.ClickDlgItem(IDC_EXISTING_ARCHIVE);
        d.ClickDlgItem(IDC_NEXT);
    });
    host.OnModal(IDD_ARCHIVE_EXTRACT, [](CDialog& d) { d.ClickDlgItem(IDC_EXTRACT_BACK); });
    host.OnModal(IDD_ARCHIVE_WIZARD, [](CDialog& d) { d.ClickDlgItem(IDCANCEL); });
    dlg.SendCommand(ID_TOOLS_ARCHIVE_WIZARD);
    EXPECT_EQ(host.ModalRuns(),
              (std::vector<int>{IDD_ARCHIVE_WIZARD, IDD_ARCHIVE_CREATE, IDD_ARCHIVE_WIZARD,
                                IDD_ARCHIVE_EXTRACT, IDD_ARCHIVE_WIZARD}));
    EXPECT_FALSE(dlg.IsEnded());

    // Cancel in the creation dialog ends everything.
    host.OnModal(IDD_ARCHIVE_WIZARD, [](CDialog& d) { d.ClickDlgItem(IDC_NEXT); });
    host.OnModal(IDD_ARCHIVE_CREATE, [](CDialog& d) { d.ClickDlgItem(IDCANCEL); });
    dlg.SendCommand(ID_TOOLS_ARCHIVE_WIZARD);
    EXPECT_EQ(host.ModalRuns().size(), 7u);
}

TEST_F(ArchiveDialogTest, ExtractionAsksTheMainWindowWhetherANameIsTaken) {
    OpenMain();
    fs::create_directories(Path("out"));
    Pack("out/x.pck", {{"a", "new"}});
    WriteFile(Path("out/a"), "old");
    host.OnModal(IDD_ARCHIVE_WIZARD, [](CDialog& d) {
        d.ClickDlgItem(IDC_EXISTING_ARCHIVE);
        d.ClickDlgItem(IDC_NEXT);
    });
    host.OnModal(IDD_ARCHIVE_EXTRACT, [this](CDialog& d) {
        ExtractAll(static_cast<CArchiveExtractDlg&>(d), Path("out/x.pck"), {IDYES});
        d.ClickDlgItem(IDCANCEL);
    });
    dlg.SendCommand(ID_TOOLS_ARCHIVE_WIZARD);
    EXPECT_EQ(host.MessageTexts().front(), LoadString(IDS_OVERWRITE) + "\n\"a\"");
    EXPECT_EQ(ReadFile(Path("out/a")), "new");
}

TEST_F(ArchiveDialogTest, ExtractionWritesNeitherThroughALinkNorOverTheArchive) {
    fs::create_directories(Path("out"));
    fs::create_directories(Path("outside"));
    Pack("out/self.pck", {{"self.pck", "member self"}, {"m", "member m"}});
    const std::string archive = ReadFile(Path("out/self.pck"));
    const std::string planted = Path("out/.scindarex-extraction-1.tmp");
#ifdef _WIN32
    // Symbolic links need a privilege there: a file takes the temporary name instead.
    WriteFile(planted, "planted");
#else
    fs::create_symlink("../outside/victim.txt", planted);
#endif
    CArchiveExtractDlg extract;
    Open(extract);
    ExtractAll(extract, Path("out/self.pck"));
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{Said(IDS_OUTPUT_IS_ARCHIVE, Path("out/self.pck")),
                                        Said(IDS_EXTRACT_DONE)}));
    EXPECT_TRUE(ReadFile(Path("out/self.pck")) == archive);
    EXPECT_EQ(fs::symlink_status(Path("out/m")).type(), fs::file_type::regular);
    EXPECT_EQ(ReadFile(Path("out/m")), "member m");
    EXPECT_TRUE(fs::is_empty(Path("outside")));
#ifdef _WIN32
    EXPECT_EQ(ReadFile(planted), "planted");
#else
    EXPECT_EQ(fs::read_symlink(planted), "../outside/victim.txt");
#endif
}

TEST_F(ArchiveDialogTest, ATakenCopyNameIsAskedAbout) {
    fs::create_directories(Path("out"));
    Pack("out/x.pck", {{"a.txt", "member"}});
    WriteFile(Path("out/a.txt"), "user's a");
    for (const int answer : {IDYES, IDNO}) {
        WriteFile(Path("out/Copie_de_a.txt"), "notes");
        CArchiveExtractDlg extract;
        Open(extract);
        ExtractAll(extract, Path("out/x.pck"), {IDNO, IDYES, answer});
        EXPECT_EQ(host.MessageTexts(),
                  (std::vector<std::string>{
                      LoadString(IDS_OVERWRITE) + "\n\"a.txt\"", Said(IDS_ADD_COPY),
                      LoadString(IDS_OVERWRITE) + "\n\"Copie_de_a.txt\"", Said(IDS_EXTRACT_DONE)}));
        EXPECT_EQ(ReadFile(Path("out/Copie_de_a.txt")), answer == IDYES ? "member" : "notes");
        EXPECT_EQ(ReadFile(Path("out/a.txt")), "user's a");
    }
}

TEST_F(ArchiveDialogTest, AFailedCreationKeepsTheArchiveItWouldReplaceAndDoesNotRestart) {
    WriteFile(Path("good.pck"), "the archive that was there");
    WriteFile(Path("m1.bin"), PatternBytes(5000));
    CArchiveCreateDlg create;
    Open(create);
    Add(create, Path("m1.bin"));
    host.ClearMessages();
    // The disk fills once the header is written.
    CFile::SetFaultHook(
        [this](CFile::Op op, const std::string& path, std::uint64_t position, std::size_t&) {
            return op == CFile::Op::write && path == Path("good.pck") && position > 0 ? ENOSPC : 0;
        });
    host.ChooseFile(Path("good.pck"));
    create.ClickDlgItem(IDC_CREATE);
    CFile::SetFaultHook(nullptr);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{DescribeFileError(CFileException(
                                       CFileException::diskFull, Path("good.pck")))});
    EXPECT_EQ(ReadFile(Path("good.pck")), "the archive that was there");
    EXPECT_TRUE(host.ProgramStarts().empty());
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"good.pck", "m1.bin"}));
}

}  // namespace
}  // namespace scx
