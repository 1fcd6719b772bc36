// The dates-and-attributes editor on the scripted host: fields, checks, arrows, the
// question and what reaches the file. Every test runs under TZ=Europe/Paris. Files are
// set up and read back through the program's own status layer, on both systems.

#include "File.h"
#include "FileChecks.h"
#include "FileErrorText.h"
#include "FilePropsDlg.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "ScratchMount.h"
#include "StatusEdit.h"
#include "ToolsUiFixture.h"
#include "UiDriver.h"
#ifndef _WIN32
#include <sys/stat.h>

#include "Permissions.h"
#endif

namespace scx {
namespace {

using namespace win;
using namespace res;

// 7 December 2002: 14:35:10 in Paris (modified), the next day (accessed), and a
// creation on 1 June 2002 at 02:30 summer time; fractions that a rewrite would lose, in
// the 100 ns steps that Windows keeps.
constexpr FileTime kModified{1039268110, 123456700};
constexpr FileTime kAccessed{1039354510, 987654300};
constexpr FileTime kCreated{1022891400, 5000000};
constexpr std::int64_t kDay = 86400;

class FilePropsDlgTest : public testkit::ToolsUiTest {
  protected:
    // A file with the three dates above and `attributes`. What its file system kept of
    // them is noted: wine shows the last write as the creation time, sets the access time
    // as the file is opened (its C runtime touches it when it takes the file's handle),
    // and shows the archive attribute on every file.
    std::string MakeFile(const std::string& name, std::uint8_t attributes = 0) {
        const std::string path = NewFile(name, "data");
        CFileStatus status;
        status.m_ctime = kCreated;
        status.m_mtime = kModified;
        status.m_atime = kAccessed;
        status.m_attribute = attributes;
        SetFileStatus(path, status, part::all);
        const CFileStatus kept = Status(path);
        m_createdKept = kept.m_ctime == kCreated;
        m_accessedKept = kept.m_atime == kAccessed;
        m_alwaysShown = static_cast<std::uint8_t>(kept.m_attribute & ~attributes);
        return path;
    }
    static void SetTimes(const std::string& path, FileTime modified, FileTime accessed) {
        CFileStatus status;
        status.m_mtime = modified;
        status.m_atime = accessed;
        SetFileStatus(path, status, part::modified | part::accessed);
    }
    void OpenOn(const std::string& path) {
        dlg.m_strPath = path;
        Open(dlg);
    }
    static CFileStatus Status(const std::string& path) {
        CFile file(path, CFile::modeRead);
        return GetFileStatus(file);
    }
    // The file "f" on a file system of `kind` mounted for the case; empty, and the case
    // should skip with m_mount's refusal, where it cannot be mounted.
    std::string ScratchFile(test::ScratchMount::Kind kind) {
        const std::string mount = dir / "mount";
        m_mount.emplace(mount, kind);
        if (!m_mount->Refusal().empty()) {
            return {};
        }
        testkit::WriteFile(mount + "/f", "data");
        return mount + "/f";
    }
    std::string Text(int id) const { return dlg.GetDlgItemText(id); }
    // The date the fields of a group show, with the year `year`.
    tools::LocalDate ShownWithYear(int dayId, int monthId, int year) const {
        return {std::stoi(Text(dayId)), std::stoi(Text(monthId)), year};
    }
    // What the user reads after Yes about a date (`partName`) that the file did not keep.
    static std::string NotKept(const std::string& path, unsigned partName,
                               const tools::LocalDate& asked, const FileTime& stored) {
        return FormatString(IDS_DATE_NOT_KEPT, {path, LoadString(partName), tools::DateText(asked),
                                                tools::DateText(tools::ToLocal(stored)->date)});
    }
    // Leaves field `id` after typing `text` in it.
    void TypeAndLeave(int id, const std::string& text) {
        dlg.SetDlgItemText(id, text);
        dlg.SendNotify(Notify::KillFocus, id);
    }

    CFilePropsDlg dlg;
    std::optional<test::ScratchMount> m_mount;
    bool m_createdKept = true;
    bool m_accessedKept = true;
    std::uint8_t m_alwaysShown = 0;
};

TEST_F(FilePropsDlgTest, TheSeventhOfDecemberAYearBack) {
    const std::string path = MakeFile("f");
    OpenOn(path);
    EXPECT_EQ(Text(IDC_MOD_DAY), "7");
    EXPECT_EQ(Text(IDC_MOD_MONTH), "12");
    EXPECT_EQ(Text(IDC_MOD_YEAR), "2002");
    if (m_createdKept) {
        EXPECT_EQ(Text(IDC_CRE_DAY), "1");
        EXPECT_EQ(Text(IDC_CRE_MONTH), "6");
    }
    if (m_accessedKept) {
        EXPECT_EQ(Text(IDC_ACC_DAY), "8");
    }
    EXPECT_EQ(dlg.GetFocusId(), IDOK);
    EXPECT_TRUE(host.Messages().empty());

    dlg.SetDlgItemText(IDC_MOD_YEAR, "2001");
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDOK);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, LoadString(IDS_APPLY_CHANGES));
    EXPECT_EQ(host.Messages()[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_TRUE(dlg.IsEnded());
    EXPECT_EQ(dlg.Result(), IDOK);

    const CFileStatus after = Status(path);
    // 7 December 2001 at 14:35:10 local time, its fraction kept; the dates the user did
    // not change come back exactly as they were.
    EXPECT_EQ(after.m_mtime, (FileTime{kModified.seconds - 365 * kDay, kModified.nanoseconds}));
    if (m_accessedKept) {
        EXPECT_EQ(after.m_atime, kAccessed);
    }
    if (m_createdKept) {
        EXPECT_EQ(after.m_ctime, kCreated);
    }
}

TEST_F(FilePropsDlgTest, LeavingAFieldChecksItsRange) {
    OpenOn(MakeFile("f"));
    const struct {
        int id;
        std::string typed;
        unsigned message;
        std::string shown;
    } cases[] = {
        {IDC_MOD_DAY, "45", IDS_VALUE_TOO_HIGH, "31"},
        {IDC_CRE_DAY, "0", IDS_VALUE_TOO_LOW, "1"},
        {IDC_ACC_MONTH, "13", IDS_VALUE_TOO_HIGH, "12"},
        {IDC_MOD_YEAR, "1979", IDS_VALUE_TOO_LOW, "1980"},
        {IDC_ACC_YEAR, "2101", IDS_VALUE_TOO_HIGH, "2100"},
        {IDC_CRE_MONTH, "", IDS_VALUE_TOO_LOW, "1"},
        {IDC_CRE_YEAR, "", IDS_VALUE_TOO_LOW, "1980"},
        {IDC_MOD_DAY, "31", 0, "31"},
    };
    for (const auto& c : cases) {
        host.ClearMessages();
        TypeAndLeave(c.id, c.typed);
        if (c.message == 0) {
            EXPECT_TRUE(host.Messages().empty()) << c.typed;
        } else {
            ASSERT_EQ(host.Messages().size(), 1u) << c.typed;
            EXPECT_EQ(host.Messages()[0].text, LoadString(c.message)) << c.typed;
            EXPECT_EQ(host.Messages()[0].type, MB_OK) << c.typed;
        }
        EXPECT_EQ(Text(c.id), c.shown) << c.typed;
    }
    // The focus really moving away runs the check as well.
    host.ClearMessages();
    dlg.GotoDlgCtrl(IDC_MOD_MONTH);
    dlg.SetDlgItemText(IDC_MOD_MONTH, "20");
    dlg.GotoDlgCtrl(IDC_MOD_DAY);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_VALUE_TOO_HIGH)});
    EXPECT_EQ(Text(IDC_MOD_MONTH), "12");
}

// The keyboard types digits only in a field.
TEST_F(FilePropsDlgTest, FieldsTakeDigitsOnly) {
    OpenOn(MakeFile("f"));
    dlg.SetDlgItemText(IDC_ACC_YEAR, "");
    dlg.GotoDlgCtrl(IDC_ACC_YEAR);
    testkit::TypeText(dlg, IDC_ACC_YEAR, "2a0-0 1.");
    EXPECT_EQ(Text(IDC_ACC_YEAR), "2001");
}

TEST_F(FilePropsDlgTest, ArrowsStopAtTheBounds) {
    OpenOn(MakeFile("f"));
    const struct {
        int id;
        std::string start;
        testkit::Key key;
        std::string shown;
    } cases[] = {
        {IDC_MOD_DAY, "31", testkit::Key::Up, "31"},
        {IDC_MOD_DAY, "1", testkit::Key::Down, "1"},
        {IDC_CRE_MONTH, "12", testkit::Key::Up, "12"},
        {IDC_CRE_MONTH, "1", testkit::Key::Down, "1"},
        {IDC_ACC_YEAR, "2100", testkit::Key::Up, "2100"},
        {IDC_ACC_YEAR, "1980", testkit::Key::Down, "1980"},
        {IDC_MOD_YEAR, "2099", testkit::Key::Up, "2100"},
        {IDC_ACC_DAY, "30", testkit::Key::Up, "31"},
    };
    for (const auto& c : cases) {
        dlg.SetDlgItemText(c.id, c.start);
        dlg.GotoDlgCtrl(c.id);
        testkit::PressKey(dlg, c.id, c.key);
        EXPECT_EQ(Text(c.id), c.shown) << c.start;
    }
    int lower = 0;
    int upper = 0;
    dlg.GetSpinButtonCtrl(IDC_CRE_YEAR_SPIN).GetRange(lower, upper);
    EXPECT_EQ(lower, 1980);
    EXPECT_EQ(upper, 2100);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(FilePropsDlgTest, ADayBeyondTheMonthRollsOver) {
    const std::string path = MakeFile("f");
    OpenOn(path);
    dlg.SetDlgItemText(IDC_MOD_DAY, "31");
    dlg.SetDlgItemText(IDC_MOD_MONTH, "2");
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDOK);
    EXPECT_EQ(Status(path).m_mtime.seconds, 1015162510);  // 3 March 2002, 14:35:10
}

TEST_F(FilePropsDlgTest, ReadOnlyKeptOrCleared) {
    for (const bool keep : {true, false}) {
        const std::string path = MakeFile(keep ? "kept" : "cleared", attr::readOnly);
        CFilePropsDlg props;
        props.m_strPath = path;
        Open(props);
        EXPECT_TRUE(props.IsDlgButtonChecked(IDC_ATTR_READONLY));
        if (!keep) {
            props.ClickDlgItem(IDC_ATTR_READONLY);
        }
        props.SetDlgItemText(IDC_MOD_DAY, "6");
        host.Answer({IDYES});
        props.ClickDlgItem(IDOK);
        EXPECT_EQ(test::ReadOnlyForTheSystem(path), keep);
        EXPECT_EQ(Status(path).m_mtime.seconds, kModified.seconds - kDay);
    }
}

TEST_F(FilePropsDlgTest, AHiddenSystemFileLosesItsSystemAttribute) {
    const std::string path = MakeFile("f", attr::hidden | attr::system);
    OpenOn(path);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_SYSTEM_FILE)});
    EXPECT_EQ(host.Messages()[0].type, MB_OK);
    EXPECT_TRUE(dlg.IsDlgButtonChecked(IDC_ATTR_HIDDEN));
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_ATTR_ARCHIVE), m_alwaysShown == attr::archive);
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDOK);
    const CFileStatus after = Status(path);
    EXPECT_EQ(after.m_attribute, attr::hidden | m_alwaysShown);
    EXPECT_EQ(after.m_mtime, kModified);
    if (m_createdKept) {
        EXPECT_EQ(after.m_ctime, kCreated);
    }
}

TEST_F(FilePropsDlgTest, NoAndCancelWriteNothing) {
    const std::string path = MakeFile("f", attr::archive);
    OpenOn(path);
    dlg.SetDlgItemText(IDC_MOD_YEAR, "1999");
    dlg.ClickDlgItem(IDC_ATTR_HIDDEN);
    host.Answer({IDCANCEL});
    dlg.ClickDlgItem(IDOK);
    EXPECT_FALSE(dlg.IsEnded());
    EXPECT_EQ(Text(IDC_MOD_YEAR), "1999");
    EXPECT_TRUE(dlg.IsDlgButtonChecked(IDC_ATTR_HIDDEN));
    EXPECT_EQ(Status(path).m_mtime, kModified);

    host.Answer({IDNO});
    dlg.ClickDlgItem(IDOK);
    EXPECT_TRUE(dlg.IsEnded());
    EXPECT_EQ(dlg.Result(), IDOK);
    const CFileStatus after = Status(path);
    EXPECT_EQ(after.m_mtime, kModified);
    EXPECT_EQ(after.m_attribute, attr::archive);
}

TEST_F(FilePropsDlgTest, EnterCancelsInAFieldAndAsksOnOk) {
    const std::string path = MakeFile("f");
    OpenOn(path);
    host.Answer({IDNO});
    testkit::PressKey(dlg, IDOK, testkit::Key::Return);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_APPLY_CHANGES)});
    EXPECT_TRUE(dlg.IsEnded());

    CFilePropsDlg again;
    again.m_strPath = path;
    Open(again);
    again.SetDlgItemText(IDC_MOD_YEAR, "1999");
    again.GotoDlgCtrl(IDC_MOD_YEAR);
    testkit::PressKey(again, IDC_MOD_YEAR, testkit::Key::Return);
    EXPECT_TRUE(again.IsEnded());
    EXPECT_EQ(again.Result(), IDCANCEL);
    EXPECT_EQ(Status(path).m_mtime, kModified);
}

TEST_F(FilePropsDlgTest, OkChecksFieldsFilledWithoutTheKeyboard) {
    const std::string path = MakeFile("f");
    OpenOn(path);
    dlg.SetDlgItemText(IDC_ACC_DAY, "45");
    dlg.ClickDlgItem(IDOK);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_VALUE_TOO_HIGH)});
    EXPECT_EQ(Text(IDC_ACC_DAY), "31");
    EXPECT_FALSE(dlg.IsEnded());
    if (m_accessedKept) {
        EXPECT_EQ(Status(path).m_atime, kAccessed);
    }
}

TEST_F(FilePropsDlgTest, AnUnreadableFileClosesTheDialog) {
    const std::string missing = dir / "missing";
    OpenOn(missing);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_NE(host.Messages()[0].text.find(missing), std::string::npos);
    EXPECT_EQ(host.Messages()[0].type & MB_ICONSTOP, MB_ICONSTOP);
    EXPECT_TRUE(dlg.IsEnded());
    EXPECT_FALSE(testkit::PathExists(missing));
}

TEST_F(FilePropsDlgTest, AFileSystemWithoutExtendedAttributes) {
    const std::string path = ScratchFile(test::ScratchMount::Kind::ramfs);
    if (path.empty()) {
        GTEST_SKIP() << m_mount->Refusal();
    }
    OpenOn(path);
    dlg.ClickDlgItem(IDC_ATTR_ARCHIVE);
    dlg.SetDlgItemText(IDC_MOD_YEAR, "2001");
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDOK);
    const std::vector<std::string> expected{
        LoadString(IDS_APPLY_CHANGES),
        ReplacePathSlot(LoadString(IDS_NO_EXTENDED_ATTRIBUTES), path)};
    EXPECT_EQ(host.MessageTexts(), expected);
    EXPECT_TRUE(dlg.IsEnded());
    const CFileStatus after = Status(path);
    EXPECT_EQ(after.m_attribute, 0);
    EXPECT_EQ(tools::ToLocal(after.m_mtime)->date.year, 2001);
}

TEST_F(FilePropsDlgTest, ADateTheFileSystemCannotHold) {
    const std::string path = ScratchFile(test::ScratchMount::Kind::smallInodeExt4);
    if (path.empty()) {
        GTEST_SKIP() << m_mount->Refusal();
    }
    SetTimes(path, kModified, kAccessed);
    OpenOn(path);
    dlg.SetDlgItemText(IDC_MOD_YEAR, "2100");
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDOK);
    ASSERT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(host.Messages()[1].text,
              FormatString(IDS_DATE_NOT_KEPT,
                           {path, "date de modification", "07/12/2100", "19/01/2038"}));
    EXPECT_EQ(host.Messages()[1].type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_TRUE(dlg.IsEnded());
}

// A time beyond any calendar the C library knows: its fields stay empty, and the rest of
// the file changes as asked. ramfs keeps any time; Windows' C runtime knows none before
// 1970, which its file systems keep.
TEST_F(FilePropsDlgTest, ADateItCannotShowStaysAsItIs) {
#ifdef _WIN32
    constexpr FileTime kBeyond{-143461490, 0};  // 15 June 1965
    const std::string path = MakeFile("f");
#else
    constexpr FileTime kBeyond{std::int64_t{1} << 62, 0};
    const std::string path = ScratchFile(test::ScratchMount::Kind::ramfs);
    if (path.empty()) {
        GTEST_SKIP() << m_mount->Refusal();
    }
#endif
    SetTimes(path, kBeyond, {kAccessed.seconds, 0});
    OpenOn(path);
    EXPECT_EQ(Text(IDC_MOD_DAY) + Text(IDC_MOD_MONTH) + Text(IDC_MOD_YEAR), "");
    dlg.ClickDlgItem(IDC_ATTR_READONLY);
    dlg.SetDlgItemText(IDC_ACC_YEAR, "2001");
    const tools::LocalDate asked = ShownWithYear(IDC_ACC_DAY, IDC_ACC_MONTH, 2001);
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDOK);
    const CFileStatus after = Status(path);
    std::vector<std::string> expected{LoadString(IDS_APPLY_CHANGES)};
    if (m_accessedKept) {
        EXPECT_EQ(tools::ToLocal(after.m_atime)->date, (tools::LocalDate{8, 12, 2001}));
    } else {
        expected.push_back(NotKept(path, IDS_PART_ACCESSED, asked, after.m_atime));
    }
    EXPECT_EQ(host.MessageTexts(), expected);
    EXPECT_TRUE(dlg.IsEnded());
    EXPECT_EQ(after.m_attribute, attr::readOnly | m_alwaysShown);
    EXPECT_EQ(after.m_mtime, kBeyond);
}

// A date outside the fields' range, which the file may bear, is the user's to change.
TEST_F(FilePropsDlgTest, AnUntouchedDateStaysOutsideTheRange) {
    const struct {
        FileTime time;  // 15 June, 14:35:10 in Paris
        std::string year, nextYear;
        unsigned message;
        std::string bound;
    } dates[] = {
    // Windows' C runtime shows no date before 1970.
#ifndef _WIN32
        {{-143461490, 123456700}, "1965", "1966", IDS_VALUE_TOO_LOW, "1980"},
#endif
        {{5694582910, 123456700}, "2150", "2151", IDS_VALUE_TOO_HIGH, "2100"},
    };
    for (const auto& date : dates) {
        const std::string path = MakeFile(date.year);
        SetTimes(path, date.time, date.time);
        const FileTime changed = test::ChangeTime(path);

        CFilePropsDlg props;
        props.m_strPath = path;
        Open(props);
        EXPECT_EQ(props.GetDlgItemText(IDC_MOD_YEAR), date.year);
        // Passing through the field is not changing it.
        props.GotoDlgCtrl(IDC_MOD_YEAR);
        props.GotoDlgCtrl(IDC_ACC_YEAR);
        props.GotoDlgCtrl(IDOK);
        EXPECT_TRUE(host.Messages().empty()) << date.year;
        host.Answer({IDYES});
        testkit::PressKey(props, IDOK, testkit::Key::Return);
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_APPLY_CHANGES)});
        EXPECT_TRUE(props.IsEnded());
        CFileStatus after = Status(path);
        EXPECT_EQ(after.m_mtime, date.time);
        if (m_accessedKept) {
            EXPECT_EQ(after.m_atime, date.time);
        }
        if (m_createdKept) {
            EXPECT_EQ(after.m_ctime, kCreated);
        }
        // Not even rewritten as they were.
        EXPECT_EQ(test::ChangeTime(path), changed) << date.year;

        // A changed field is checked; the rest of its date stays outside the range.
        CFilePropsDlg again;
        again.m_strPath = path;
        Open(again);
        again.SetDlgItemText(IDC_MOD_YEAR, date.nextYear);
        again.SendNotify(Notify::KillFocus, IDC_MOD_YEAR);
        EXPECT_EQ(again.GetDlgItemText(IDC_MOD_YEAR), date.bound);
        again.SetDlgItemText(IDC_MOD_YEAR, date.year);
        again.SetDlgItemText(IDC_MOD_DAY, "16");
        host.ClearMessages();
        host.Answer({IDYES});
        again.ClickDlgItem(IDOK);
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_APPLY_CHANGES)});
        after = Status(path);
        EXPECT_EQ(after.m_mtime, (FileTime{date.time.seconds + kDay, date.time.nanoseconds}));
        if (m_accessedKept) {
            EXPECT_EQ(after.m_atime, date.time);
        }
        host.ClearMessages();
    }
}

// A read-only file of the user's own, then the file of another user.
class FilePropsDlgPermissionTest : public FilePropsDlgTest {};

TEST_F(FilePropsDlgPermissionTest, TheOwnerOfAReadOnlyFile) {
    const std::string path = MakeFile("f", attr::readOnly | attr::hidden);
    OpenOn(path);
    dlg.ClickDlgItem(IDC_ATTR_HIDDEN);
    dlg.SetDlgItemText(IDC_CRE_YEAR, "2001");
    const tools::LocalDate asked = ShownWithYear(IDC_CRE_DAY, IDC_CRE_MONTH, 2001);
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDOK);
    const CFileStatus after = Status(path);
    std::vector<std::string> expected{LoadString(IDS_APPLY_CHANGES)};
    if (m_createdKept) {
        EXPECT_EQ(after.m_ctime.seconds, kCreated.seconds - 365 * kDay);
    } else {
        // The user is told that the new creation date did not take.
        expected.push_back(NotKept(path, IDS_PART_CREATED, asked, after.m_ctime));
    }
    EXPECT_EQ(host.MessageTexts(), expected);
    EXPECT_TRUE(dlg.IsEnded());
    EXPECT_EQ(after.m_attribute, attr::readOnly | m_alwaysShown);
    EXPECT_TRUE(test::ReadOnlyForTheSystem(path));
}

TEST_F(FilePropsDlgPermissionTest, AnotherUsersFileTakesWhatItLets) {
#ifdef _WIN32
    GTEST_SKIP() << "a file open to all and a process that changes its user are POSIX's";
#else
    const std::string path = MakeFile("g");
    ::chmod(path.c_str(), 0666);
    test::AsAnotherUser other;
    if (!other.Active()) {
        GTEST_SKIP() << test::AsAnotherUser::kSkipReason;
    }
    OpenOn(path);
    dlg.ClickDlgItem(IDC_ATTR_ARCHIVE);
    dlg.SetDlgItemText(IDC_MOD_YEAR, "2001");
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDOK);
    ASSERT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(host.Messages()[1].text,
              ReplacePathSlot(LoadString(IDS_FILE_ACCESS_DENIED), path) + "\n" +
                  FormatString(IDS_STATUS_PARTLY_WRITTEN, {"attributs", "date de modification"}));
    EXPECT_EQ(host.Messages()[1].type & MB_ICONSTOP, MB_ICONSTOP);
    // Open, to try again or cancel, as after any failed write.
    EXPECT_FALSE(dlg.IsEnded());
    EXPECT_EQ(Status(path).m_attribute, attr::archive);
    EXPECT_EQ(Status(path).m_mtime, kModified);

    // The user takes the change back: the attribute that was applied is cleared again.
    host.ClearMessages();
    dlg.ClickDlgItem(IDC_ATTR_ARCHIVE);
    dlg.SetDlgItemText(IDC_MOD_YEAR, "2002");
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDOK);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_APPLY_CHANGES)});
    EXPECT_TRUE(dlg.IsEnded());
    EXPECT_EQ(Status(path).m_attribute, 0);
    EXPECT_EQ(Status(path).m_mtime, kModified);
#endif
}

}  // namespace
}  // namespace scx
