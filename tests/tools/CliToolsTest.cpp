// scindarex-cli compare and props, in process.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <string>
#include <vector>

#include "CliFixture.h"
#include "DosAttrib.h"
#include "FileStatus.h"
#include "LocalDates.h"
#include "Permissions.h"
#include "ScratchMount.h"

namespace scx::test {
namespace {

using cli::kExitFileError;
using cli::kExitRefused;
using cli::kExitSuccess;
using cli::kExitUsage;

// 7 December 2002, 14:35:10 in Paris, and a fraction that a rewrite would lose.
constexpr FileTime kModified{1039268110, 123456789};
constexpr FileTime kAccessed{1039354510, 987654321};  // the next day, same hour

class CliToolsTest : public CliTest {
  protected:
    std::string NewFile(const std::string& name, const std::string& dos = {}) {
        const std::string path = Path(name);
        WriteWholeFile(path, "data");
        const struct timespec times[2] = {{kAccessed.seconds, kAccessed.nanoseconds},
                                          {kModified.seconds, kModified.nanoseconds}};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
        if (!dos.empty()) {
            ::setxattr(path.c_str(), dosattrib::kName, dos.data(), dos.size(), 0);
        }
        return path;
    }
    static CFileStatus Status(const std::string& path) {
        CFile file(path, CFile::modeRead);
        return GetFileStatus(file);
    }
    static std::uint32_t DosAttributes(const std::string& path) {
        char value[256];
        const ssize_t n = ::getxattr(path.c_str(), dosattrib::kName, value, sizeof value);
        const auto info = n < 0 ? std::nullopt : dosattrib::Decode(std::string(value, n));
        return info ? info->attributes : 0;
    }
};

TEST_F(CliToolsTest, CompareResultsAndStatuses) {
    const std::string identical = res::LoadString(res::IDS_FILES_IDENTICAL) + "\n";
    const struct {
        std::string first, second, out;
        int code;
    } cases[] = {
        {"abc", "abd", "3\n", kExitRefused},     {"abc", "abcd", "3\n", kExitRefused},
        {"", "x", "0\n", kExitRefused},          {"", "", identical, kExitSuccess},
        {"abc", "abc", identical, kExitSuccess},
    };
    for (const auto& c : cases) {
        WriteWholeFile(Path("a"), c.first);
        WriteWholeFile(Path("b"), c.second);
        const CliRun run = RunCliWith({"compare", Path("a"), Path("b")});
        EXPECT_EQ(run.out, c.out) << c.first << " / " << c.second;
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(CliToolsTest, CompareRefusals) {
    WriteWholeFile(Path("a"), "abc");
    // The same path twice: nothing is opened, so a missing file is not reported.
    CliRun run = RunCliWith({"compare", Path("missing"), Path("missing")});
    EXPECT_EQ(run.code, kExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, Said(res::IDS_SAME_FILE));

    run = RunCliWith({"compare", Path("a"), Path("missing")});
    EXPECT_EQ(run.code, kExitFileError);
    EXPECT_EQ(run.err, Said(res::IDS_FILE_NOT_FOUND, Path("missing")));

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"compare", Path("a")},
          std::vector<std::string>{"compare", Path("a"), Path("a"), Path("a")},
          std::vector<std::string>{"compare", "--quiet", Path("a"), Path("b")}}) {
        run = RunCliWith(args);
        EXPECT_EQ(run.code, kExitUsage) << args.size();
        EXPECT_NE(run.err.find("Utilisation : scindarex-cli compare"), std::string::npos);
    }
}

TEST_F(CliToolsTest, PropsPrintsDatesAndAttributes) {
    const std::string path = NewFile("f", "0x26");
    ::chmod(path.c_str(), 0444);
    CliRun run = RunCliWith({"props", path});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.out.substr(0, run.out.find("Créé le")), "Modifié le : 07/12/2002 14:35:10\n");
    EXPECT_NE(run.out.find("Accédé le : 08/12/2002 14:35:10\n"), std::string::npos);
    EXPECT_NE(run.out.find("Attributs : Lecture Seule, Caché, Système, Archive\n"),
              std::string::npos);

    run = RunCliWith({"props", NewFile("plain")});
    EXPECT_NE(run.out.find("Attributs : aucun\n"), std::string::npos);
}

TEST_F(CliToolsTest, PropsAppliesAsTheWindowsYes) {
    const std::string path = NewFile("f", "0x24");  // system and archive
    const FileTime created = Status(path).m_ctime;
    CliRun run = RunCliWith({"props", path, "--modified", "7/12/2001", "--hidden=on"});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.out + run.err, "");
    const CFileStatus after = Status(path);
    // One year back, same time of day, fraction kept; the other dates untouched.
    EXPECT_EQ(after.m_mtime, (FileTime{kModified.seconds - 365 * 86400, kModified.nanoseconds}));
    EXPECT_EQ(after.m_atime, kAccessed);
    EXPECT_EQ(after.m_ctime, created);
    // Hidden added, archive kept, system cleared.
    EXPECT_EQ(after.m_attribute, attr::hidden | attr::archive);

    run = RunCliWith(
        {"props", path, "--modified", "31/02/2002", "--readonly", "on", "--archive", "off"});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(Status(path).m_mtime.seconds, 1015162510);  // 3 March 2002, 14:35:10
    EXPECT_EQ(Status(path).m_attribute, attr::readOnly | attr::hidden);

    EXPECT_EQ(RunCliWith({"props", path, "--readonly", "off"}).code, kExitSuccess);
    EXPECT_EQ(Status(path).m_attribute, attr::hidden);
}

TEST_F(CliToolsTest, PropsKeepsReadOnlyAsSambaSetsIt) {
    const std::string path = NewFile("f", "0x20");
    ::chmod(path.c_str(), 0644);
    // Samba's "setmode +r" sets the attribute's bit and leaves the mode.
    ::setxattr(path.c_str(), dosattrib::kName, "0x21", 4, 0);
    EXPECT_NE(RunCliWith({"props", path}).out.find("Attributs : Lecture Seule, Archive\n"),
              std::string::npos);
    ASSERT_EQ(RunCliWith({"props", path, "--hidden", "on"}).code, kExitSuccess);
    EXPECT_EQ(DosAttributes(path), 0x23u);
    EXPECT_EQ(Status(path).m_attribute, attr::readOnly | attr::hidden | attr::archive);
    ASSERT_EQ(RunCliWith({"props", path, "--readonly", "off"}).code, kExitSuccess);
    EXPECT_EQ(DosAttributes(path), 0x22u);
}

TEST_F(CliToolsTest, PropsKeepsTheRecordsOtherFields) {
    dosattrib::DosInfo stored(attr::archive, FileTime{1000000000, 0});
    stored.record.version = 4;
    stored.record.itime = 0x01D0A0B0C0D0E0F0;
    const std::string path = NewFile("f", dosattrib::Encode(stored));
    ASSERT_EQ(RunCliWith({"props", path, "--hidden", "on", "--created", "2/2/2003"}).code,
              kExitSuccess);
    char value[256];
    const ssize_t n = ::getxattr(path.c_str(), dosattrib::kName, value, sizeof value);
    const auto after = dosattrib::Decode(std::string(value, n > 0 ? n : 0));
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->attributes, attr::hidden | attr::archive);
    EXPECT_EQ(after->record.version, 4);
    EXPECT_EQ(after->record.itime, stored.record.itime);
    EXPECT_EQ(tools::ToLocal(*after->creation)->date, (tools::LocalDate{2, 2, 2003}));
}

TEST_F(CliToolsTest, PropsSaysWhichDateTheFileSystemDidNotKeep) {
    ScratchMount ext4(Path("ext4"), ScratchMount::Kind::smallInodeExt4);
    if (!ext4.Refusal().empty()) {
        GTEST_SKIP() << ext4.Refusal();
    }
    const std::string path = Path("ext4/f");
    WriteWholeFile(path, "data");
    const CliRun run = RunCliWith({"props", path, "--modified", "01/01/2100", "--hidden", "on"});
    EXPECT_EQ(run.code, kExitRefused);
    EXPECT_EQ(run.err, res::FormatString(res::IDS_DATE_NOT_KEPT, {path, "date de modification",
                                                                  "01/01/2100", "19/01/2038"}) +
                           "\n");
    EXPECT_EQ(Status(path).m_attribute, attr::hidden);
    // A date it can hold is written as before.
    EXPECT_EQ(RunCliWith({"props", path, "--modified", "01/01/2030"}).code, kExitSuccess);
}

// A time beyond any calendar the C library knows (ramfs keeps any): it is left as it is,
// and the rest of the file changes as asked.
TEST_F(CliToolsTest, PropsLeavesADateItCannotShow) {
    ScratchMount ramfs(Path("ramfs"), ScratchMount::Kind::ramfs);
    if (!ramfs.Refusal().empty()) {
        GTEST_SKIP() << ramfs.Refusal();
    }
    const std::string path = Path("ramfs/f");
    WriteWholeFile(path, "data");
    constexpr FileTime kBeyond{std::int64_t{1} << 62, 0};
    const struct timespec times[2] = {{kAccessed.seconds, 0}, {kBeyond.seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    ASSERT_FALSE(tools::ToLocal(kBeyond).has_value());

    CliRun run = RunCliWith({"props", path, "--readonly", "on", "--accessed", "1/1/2001"});
    EXPECT_EQ(run.code, kExitSuccess) << run.err;
    CFileStatus after = Status(path);
    EXPECT_EQ(after.m_attribute, attr::readOnly);
    EXPECT_EQ(tools::ToLocal(after.m_atime)->date, (tools::LocalDate{1, 1, 2001}));
    EXPECT_EQ(after.m_mtime, kBeyond);

    // Its date asked: there is no time of day to keep, and nothing is written.
    run = RunCliWith({"props", path, "--modified", "1/1/2001", "--readonly", "off"});
    EXPECT_EQ(run.code, kExitRefused);
    EXPECT_EQ(run.err, Said(res::IDS_DATE_NOT_REPRESENTABLE, "01/01/2001"));
    after = Status(path);
    EXPECT_EQ(after.m_mtime, kBeyond);
    EXPECT_EQ(after.m_attribute, attr::readOnly);
}

// As the owner of a read-only file, then as a user who does not own the file.
class CliToolsPermissionTest : public CliToolsTest {};

TEST_F(CliToolsPermissionTest, TheOwnerChangesAReadOnlyFile) {
    const std::string path = NewFile("r");
    const struct {
        std::vector<std::string> options;
        std::uint8_t attribute;
    } steps[] = {
        {{"--readonly", "on", "--archive", "on"}, attr::readOnly | attr::archive},
        {{"--hidden", "on", "--modified", "1/1/2001"},
         attr::readOnly | attr::hidden | attr::archive},
        {{"--readonly", "off", "--archive", "off"}, attr::hidden},
        {{"--readonly", "on"}, attr::readOnly | attr::hidden},
        {{"--hidden", "off", "--readonly", "off"}, 0},
    };
    for (const auto& step : steps) {
        std::vector<std::string> args{"props", path};
        args.insert(args.end(), step.options.begin(), step.options.end());
        const CliRun run = RunCliWith(args);
        EXPECT_EQ(run.code, kExitSuccess) << step.options.front() << run.err;
        EXPECT_EQ(Status(path).m_attribute, step.attribute) << step.options.front();
    }
    EXPECT_EQ(tools::ToLocal(Status(path).m_mtime)->date.year, 2001);

    // A file made read-only elsewhere.
    const std::string other = NewFile("other");
    ::chmod(other.c_str(), 0444);
    EXPECT_EQ(RunCliWith({"props", other, "--hidden", "on"}).code, kExitSuccess);
    EXPECT_EQ(Status(other).m_attribute, attr::readOnly | attr::hidden);
}

TEST_F(CliToolsPermissionTest, AnotherUsersFileTakesWhatItLets) {
    const std::string path = NewFile("g");
    ::chmod(path.c_str(), 0666);
    AsAnotherUser other;
    if (!other.Active()) {
        GTEST_SKIP() << AsAnotherUser::kSkipReason;
    }
    // Anyone may write the attribute of a 0666 file; the times are the owner's.
    CliRun run = RunCliWith({"props", path, "--hidden", "on"});
    EXPECT_EQ(run.code, kExitSuccess) << run.err;
    EXPECT_EQ(Status(path).m_attribute, attr::hidden);

    run = RunCliWith({"props", path, "--archive", "on", "--modified", "1/1/2001"});
    EXPECT_EQ(run.code, kExitFileError);
    EXPECT_EQ(run.err, Said(res::IDS_FILE_ACCESS_DENIED, path) +
                           res::FormatString(res::IDS_STATUS_PARTLY_WRITTEN,
                                             {"attributs", "date de modification"}) +
                           "\n");
    const CFileStatus after = Status(path);
    EXPECT_EQ(after.m_attribute, attr::hidden | attr::archive);
    EXPECT_EQ(after.m_mtime, kModified);

    // Nothing written: the plain refusal.
    run = RunCliWith({"props", path, "--readonly", "on"});
    EXPECT_EQ(run.code, kExitFileError);
    EXPECT_EQ(run.err, Said(res::IDS_FILE_ACCESS_DENIED, path));
    EXPECT_EQ(Status(path).m_attribute, attr::hidden | attr::archive);
}

TEST_F(CliToolsTest, PropsRefusals) {
    const std::string path = NewFile("f");
    const struct {
        std::vector<std::string> options;
        int code;
        unsigned message;  // 0: bad usage
    } cases[] = {
        {{"--modified", "32/12/2002"}, kExitRefused, res::IDS_VALUE_TOO_HIGH},
        {{"--created", "00/12/2002"}, kExitRefused, res::IDS_VALUE_TOO_LOW},
        {{"--accessed", "1/13/2002"}, kExitRefused, res::IDS_VALUE_TOO_HIGH},
        {{"--modified", "1/00/2002"}, kExitRefused, res::IDS_VALUE_TOO_LOW},
        {{"--modified", "1/1/1979"}, kExitRefused, res::IDS_VALUE_TOO_LOW},
        {{"--modified", "1/1/2101"}, kExitRefused, res::IDS_VALUE_TOO_HIGH},
        {{"--modified", "1/2/02"}, kExitUsage, 0},
        {{"--modified", "123/1/2002"}, kExitUsage, 0},
        {{"--modified", "1/1/2002/"}, kExitUsage, 0},
        {{"--modified", "a/b/cdef"}, kExitUsage, 0},
        {{"--modified", "-1/1/2002"}, kExitUsage, 0},
        {{"--modified"}, kExitUsage, 0},
        {{"--hidden", "yes"}, kExitUsage, 0},
        {{"--system", "on"}, kExitUsage, 0},
        {{"--modified", "1/1/2001", "--modified", "2/2/2002"}, kExitUsage, 0},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"props", path};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun run = RunCliWith(args);
        EXPECT_EQ(run.code, c.code) << c.options.front() << " " << c.options.back();
        if (c.message != 0) {
            EXPECT_EQ(run.err, Said(c.message));
        } else {
            EXPECT_NE(run.err.find("Utilisation : scindarex-cli props"), std::string::npos);
        }
        const CFileStatus after = Status(path);
        EXPECT_EQ(after.m_mtime, kModified) << "written despite the refusal";
        EXPECT_EQ(after.m_atime, kAccessed);
    }
    EXPECT_EQ(RunCliWith({"props"}).code, kExitUsage);
    EXPECT_EQ(RunCliWith({"props", Path("missing")}).code, kExitFileError);
}

}  // namespace
}  // namespace scx::test
