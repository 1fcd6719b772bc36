// scindarex-cli compare and props, in process, on both systems. Files are set up and read
// back through the program's own status layer; what only POSIX has (the DOS attribute's
// record as Samba writes it, ramfs, another user) is in CliToolsPosixTest.cpp.

#include <string>
#include <vector>

#include "CliToolsFixture.h"
#include "LocalDates.h"
#include "ScratchMount.h"

namespace scx::test {
namespace {

using cli::kExitFileError;
using cli::kExitRefused;
using cli::kExitSuccess;
using cli::kExitUsage;

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
    const std::string path =
        NewFile("f", attr::readOnly | attr::hidden | attr::system | attr::archive);
    CliRun run = RunCliWith({"props", path});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.out.substr(0, run.out.find("Créé le")), "Modifié le : 07/12/2002 14:35:10\n");
    if (m_accessedKept) {
        EXPECT_NE(run.out.find("Accédé le : 08/12/2002 14:35:10\n"), std::string::npos);
    }
    EXPECT_NE(run.out.find("Attributs : Lecture Seule, Caché, Système, Archive\n"),
              std::string::npos);

    run = RunCliWith({"props", NewFile("plain")});
    EXPECT_NE(run.out.find(m_alwaysShown == 0 ? "Attributs : aucun\n" : "Attributs : Archive\n"),
              std::string::npos);
}

TEST_F(CliToolsTest, PropsAppliesAsTheWindowsYes) {
    const std::string path = NewFile("f", attr::system | attr::archive);
    const FileTime created = Status(path).m_ctime;
    CliRun run = RunCliWith({"props", path, "--modified", "7/12/2001", "--hidden=on"});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.out + run.err, "");
    const CFileStatus after = Status(path);
    // One year back, same time of day, fraction kept; the other dates untouched.
    EXPECT_EQ(after.m_mtime, (FileTime{kModified.seconds - 365 * 86400, kModified.nanoseconds}));
    if (m_accessedKept) {
        EXPECT_EQ(after.m_atime, kAccessed);
    }
    if (!(created == kModified)) {  // wine shows the last write as the creation
        EXPECT_EQ(after.m_ctime, created);
    }
    // Hidden added, archive kept, system cleared.
    EXPECT_EQ(after.m_attribute, attr::hidden | attr::archive);

    run = RunCliWith(
        {"props", path, "--modified", "31/02/2002", "--readonly", "on", "--archive", "off"});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(Status(path).m_mtime.seconds, 1015162510);  // 3 March 2002, 14:35:10
    EXPECT_EQ(Status(path).m_attribute, attr::readOnly | attr::hidden | m_alwaysShown);

    EXPECT_EQ(RunCliWith({"props", path, "--readonly", "off"}).code, kExitSuccess);
    EXPECT_EQ(Status(path).m_attribute, attr::hidden | m_alwaysShown);
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
        EXPECT_EQ(Status(path).m_attribute, step.attribute | m_alwaysShown) << step.options.front();
    }
    EXPECT_EQ(tools::ToLocal(Status(path).m_mtime)->date.year, 2001);
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
        if (m_accessedKept) {
            EXPECT_EQ(after.m_atime, kAccessed);
        }
    }
    EXPECT_EQ(RunCliWith({"props"}).code, kExitUsage);
    EXPECT_EQ(RunCliWith({"props", Path("missing")}).code, kExitFileError);
}

}  // namespace
}  // namespace scx::test
