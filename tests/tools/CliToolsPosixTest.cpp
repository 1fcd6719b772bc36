// scindarex-cli props on what only POSIX has: the DOS attribute's record as Samba writes
// it, read-only given by the mode alone, ramfs, and a user who does not own the file.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <string>
#include <vector>

#include "CliToolsFixture.h"
#include "DosAttrib.h"
#include "LocalDates.h"
#include "Permissions.h"
#include "ScratchMount.h"

namespace scx::test {
namespace {

using cli::kExitFileError;
using cli::kExitRefused;
using cli::kExitSuccess;

class CliToolsPosixTest : public CliToolsTest {
  protected:
    static std::uint32_t DosAttributes(const std::string& path) {
        char value[256];
        const ssize_t n = ::getxattr(path.c_str(), dosattrib::kName, value, sizeof value);
        const auto info = n < 0 ? std::nullopt : dosattrib::Decode(std::string(value, n));
        return info ? info->attributes : 0;
    }
};

TEST_F(CliToolsPosixTest, PropsKeepsReadOnlyAsSambaSetsIt) {
    const std::string path = NewFile("f", attr::archive);
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

TEST_F(CliToolsPosixTest, PropsKeepsTheRecordsOtherFields) {
    dosattrib::DosInfo stored(attr::archive, FileTime{1000000000, 0});
    stored.record.version = 4;
    stored.record.itime = 0x01D0A0B0C0D0E0F0;
    const std::string path = NewFile("f");
    const std::string encoded = dosattrib::Encode(stored);
    ::setxattr(path.c_str(), dosattrib::kName, encoded.data(), encoded.size(), 0);
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

// A file made read-only by its mode alone, as chmod leaves it.
TEST_F(CliToolsPermissionTest, TheOwnerChangesAFileReadOnlyByItsMode) {
    const std::string other = NewFile("other");
    ::chmod(other.c_str(), 0444);
    EXPECT_EQ(RunCliWith({"props", other, "--hidden", "on"}).code, kExitSuccess);
    EXPECT_EQ(Status(other).m_attribute, attr::readOnly | attr::hidden);
}

// A time beyond any calendar the C library knows (ramfs keeps any): it is left as it is,
// and the rest of the file changes as asked.
TEST_F(CliToolsPosixTest, PropsLeavesADateItCannotShow) {
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

// A name's control characters reach the terminal escaped, in the remarks as in errors.
TEST_F(CliToolsPosixTest, PropsRemarksEscapeTheName) {
    ScratchMount ramfs(Path("ramfs"), ScratchMount::Kind::ramfs);
    if (!ramfs.Refusal().empty()) {
        GTEST_SKIP() << ramfs.Refusal();
    }
    const std::string path = Path("ramfs/\x1b[31mred");
    WriteWholeFile(path, "data");
    const CliRun run = RunCliWith({"props", path, "--hidden", "on"});
    EXPECT_EQ(run.code, kExitRefused);
    EXPECT_EQ(
        run.err,
        res::FormatString(res::IDS_NO_EXTENDED_ATTRIBUTES, {Path("ramfs/\\x1b[31mred")}) + "\n");
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

TEST_F(CliToolsPermissionTest, APartialWriteEscapesTheName) {
    const std::string path = NewFile("\x1b[31mred");
    ::chmod(path.c_str(), 0666);
    AsAnotherUser other;
    if (!other.Active()) {
        GTEST_SKIP() << AsAnotherUser::kSkipReason;
    }
    const CliRun run = RunCliWith({"props", path, "--hidden", "on", "--modified", "1/1/2001"});
    EXPECT_EQ(run.code, kExitFileError);
    EXPECT_EQ(run.err, Said(res::IDS_FILE_ACCESS_DENIED, Path("\\x1b[31mred")) +
                           res::FormatString(res::IDS_STATUS_PARTLY_WRITTEN,
                                             {"attributs", "date de modification"}) +
                           "\n");
}

}  // namespace
}  // namespace scx::test
