// The dates-and-attributes editor on the scripted host: fields, checks, arrows, the
// question and what reaches the file. Every test runs under TZ=Europe/Paris.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include "DosAttrib.h"
#include "File.h"
#include "FileErrorText.h"
#include "FilePropsDlg.h"
#include "Permissions.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "ScratchMount.h"
#include "ToolsUiFixture.h"
#include "UiDriver.h"

namespace scx {
namespace {

using namespace win;
using namespace res;

// 7 December 2002: 14:35:10 in Paris (modified), the next day (accessed), and a
// creation on 1 June 2002 at 02:30 summer time; fractions that a rewrite would lose.
constexpr FileTime kModified{1039268110, 123456789};
constexpr FileTime kAccessed{1039354510, 987654321};
constexpr FileTime kCreated{1022891400, 5000000};
constexpr std::int64_t kDay = 86400;

class FilePropsDlgTest : public testkit::ToolsUiTest {
  protected:
    std::string MakeFile(const std::string& name, std::uint32_t dosAttributes = 0,
                         mode_t mode = 0644) {
        const std::string path = NewFile(name, "data");
        const std::string value = dosattrib::Encode({dosAttributes, kCreated});
        ::setxattr(path.c_str(), dosattrib::kName, value.data(), value.size(), 0);
        const struct timespec times[2] = {{kAccessed.seconds, kAccessed.nanoseconds},
                                          {kModified.seconds, kModified.nanoseconds}};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
        ::chmod(path.c_str(), mode);
        return path;
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
    // Leaves field `id` after typing `text` in it.
    void TypeAndLeave(int id, const std::string& text) {
        dlg.SetDlgItemText(id, text);
        dlg.SendNotify(Notify::KillFocus, id);
    }

    CFilePropsDlg dlg;
    std::optional<test::ScratchMount> m_mount;
};

TEST_F(FilePropsDlgTest, TheSeventhOfDecemberAYearBack) {
    const std::string path = MakeFile("f");
    OpenOn(path);
    EXPECT_EQ(Text(IDC_MOD_DAY), "7");
    EXPECT_EQ(Text(IDC_MOD_MONTH), "12");
    EXPECT_EQ(Text(IDC_MOD_YEAR), "2002");
    EXPECT_EQ(Text(IDC_CRE_DAY), "1");
    EXPECT_EQ(Text(IDC_CRE_MONTH), "6");
    EXPECT_EQ(Text(IDC_ACC_DAY), "8");
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
    EXPECT_EQ(after.m_atime, kAccessed);
    EXPECT_EQ(after.m_ctime, kCreated);
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
        const std::string path = MakeFile(keep ? "kept" : "cleared", 0, 0444);
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
        struct stat info {};
        ::stat(path.c_str(), &info);
        EXPECT_EQ((info.st_mode & S_IWUSR) == 0, keep);
        EXPECT_EQ(Status(path).m_mtime.seconds, kModified.seconds - kDay);
    }
}

TEST_F(FilePropsDlgTest, AHiddenSystemFileLosesItsSystemAttribute) {
    const std::string path = MakeFile("f", attr::hidden | attr::system);
    OpenOn(path);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_SYSTEM_FILE)});
    EXPECT_EQ(host.Messages()[0].type, MB_OK);
    EXPECT_TRUE(dlg.IsDlgButtonChecked(IDC_ATTR_HIDDEN));
    EXPECT_FALSE(dlg.IsDlgButtonChecked(IDC_ATTR_ARCHIVE));
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDOK);
    const CFileStatus after = Status(path);
    EXPECT_EQ(after.m_attribute, attr::hidden);
    EXPECT_EQ(after.m_mtime, kModified);
    EXPECT_EQ(after.m_ctime, kCreated);
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
    EXPECT_EQ(Status(path).m_atime, kAccessed);
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
    const struct timespec times[2] = {{kAccessed.seconds, kAccessed.nanoseconds},
                                      {kModified.seconds, kModified.nanoseconds}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
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

// A time beyond any calendar the C library knows (ramfs keeps any): its fields stay
// empty, and the rest of the file changes as asked.
TEST_F(FilePropsDlgTest, ADateItCannotShowStaysAsItIs) {
    const std::string path = ScratchFile(test::ScratchMount::Kind::ramfs);
    if (path.empty()) {
        GTEST_SKIP() << m_mount->Refusal();
    }
    constexpr FileTime kBeyond{std::int64_t{1} << 62, 0};
    const struct timespec times[2] = {{kAccessed.seconds, 0}, {kBeyond.seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    OpenOn(path);
    EXPECT_EQ(Text(IDC_MOD_DAY) + Text(IDC_MOD_MONTH) + Text(IDC_MOD_YEAR), "");
    dlg.ClickDlgItem(IDC_ATTR_READONLY);
    dlg.SetDlgItemText(IDC_ACC_YEAR, "2001");
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDOK);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_APPLY_CHANGES)});
    EXPECT_TRUE(dlg.IsEnded());
    const CFileStatus after = Status(path);
    EXPECT_EQ(after.m_attribute, attr::readOnly);
    EXPECT_EQ(after.m_mtime, kBeyond);
    EXPECT_EQ(tools::ToLocal(after.m_atime)->date, (tools::LocalDate{8, 12, 2001}));
}

// A date outside the fields' range, which the file may bear, is the user's to change.
TEST_F(FilePropsDlgTest, AnUntouchedDateStaysOutsideTheRange) {
    constexpr FileTime k1965{-143461490, 123456789};  // 15 June 1965, 14:35:10 in Paris
    const std::string path = MakeFile("f");
    const struct timespec times[2] = {{k1965.seconds, k1965.nanoseconds},
                                      {k1965.seconds, k1965.nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    struct statx before {};
    ::statx(AT_FDCWD, path.c_str(), 0, STATX_CTIME, &before);

    OpenOn(path);
    EXPECT_EQ(Text(IDC_MOD_YEAR), "1965");
    // Passing through the field is not changing it.
    dlg.GotoDlgCtrl(IDC_MOD_YEAR);
    dlg.GotoDlgCtrl(IDC_ACC_YEAR);
    dlg.GotoDlgCtrl(IDOK);
    EXPECT_TRUE(host.Messages().empty());
    host.Answer({IDYES});
    testkit::PressKey(dlg, IDOK, testkit::Key::Return);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_APPLY_CHANGES)});
    EXPECT_TRUE(dlg.IsEnded());
    CFileStatus after = Status(path);
    EXPECT_EQ(after.m_mtime, k1965);
    EXPECT_EQ(after.m_atime, k1965);
    EXPECT_EQ(after.m_ctime, kCreated);
    // Not even rewritten as they were.
    struct statx now {};
    ::statx(AT_FDCWD, path.c_str(), 0, STATX_CTIME, &now);
    EXPECT_EQ(now.stx_ctime.tv_sec, before.stx_ctime.tv_sec);
    EXPECT_EQ(now.stx_ctime.tv_nsec, before.stx_ctime.tv_nsec);

    // A changed field is checked; the rest of its date stays in 1965.
    CFilePropsDlg again;
    again.m_strPath = path;
    Open(again);
    again.SetDlgItemText(IDC_ACC_YEAR, "1966");
    again.SendNotify(Notify::KillFocus, IDC_ACC_YEAR);
    EXPECT_EQ(again.GetDlgItemText(IDC_ACC_YEAR), "1980");
    again.SetDlgItemText(IDC_ACC_YEAR, "1965");
    again.SetDlgItemText(IDC_MOD_DAY, "16");
    host.ClearMessages();
    host.Answer({IDYES});
    again.ClickDlgItem(IDOK);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_APPLY_CHANGES)});
    after = Status(path);
    EXPECT_EQ(after.m_mtime, (FileTime{k1965.seconds + kDay, k1965.nanoseconds}));
    EXPECT_EQ(after.m_atime, k1965);
}

// A read-only file of the user's own, then the file of another user.
class FilePropsDlgPermissionTest : public FilePropsDlgTest {};

TEST_F(FilePropsDlgPermissionTest, TheOwnerOfAReadOnlyFile) {
    const std::string path = MakeFile("f", attr::hidden, 0444);
    OpenOn(path);
    dlg.ClickDlgItem(IDC_ATTR_HIDDEN);
    dlg.SetDlgItemText(IDC_CRE_YEAR, "2001");
    host.Answer({IDYES});
    dlg.ClickDlgItem(IDOK);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{LoadString(IDS_APPLY_CHANGES)});
    EXPECT_TRUE(dlg.IsEnded());
    const CFileStatus after = Status(path);
    EXPECT_EQ(after.m_attribute, attr::readOnly);
    EXPECT_EQ(after.m_ctime.seconds, kCreated.seconds - 365 * kDay);
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
}

TEST_F(FilePropsDlgPermissionTest, AnotherUsersFileTakesWhatItLets) {
    const std::string path = MakeFile("g", 0, 0666);
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
    const CFileStatus after = Status(path);
    EXPECT_EQ(after.m_attribute, attr::archive);
    EXPECT_EQ(after.m_mtime, kModified);
}

}  // namespace
}  // namespace scx
