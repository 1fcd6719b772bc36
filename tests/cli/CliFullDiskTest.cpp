// A real full disk: a 1 MiB tmpfs (where the machine lets the tests mount one) receives
// a split and a join that do not fit. Each fails naming the file that filled it, says no
// success, and leaves its inputs as they were.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/mount.h>
#endif

#include <filesystem>
#include <string>

#include "CliFixture.h"
#include "FaultPlan.h"

namespace scx::test {
namespace {

#ifndef _WIN32
class SmallDisk {
  public:
    explicit SmallDisk(const std::string& folder) : m_folder(folder) {
        std::filesystem::create_directory(folder);
        m_mounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=1m") == 0;
    }
    ~SmallDisk() {
        if (m_mounted) {
            ::umount(m_folder.c_str());
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool Mounted() const { return m_mounted; }

  private:
    std::string m_folder;
    bool m_mounted = false;
};
#endif

TEST_F(CliTest, AFullDiskStopsSplitAndJoinNamingTheFile) {
#ifdef _WIN32
    GTEST_SKIP() << "no small file system can be mounted on Windows";
#else
    const SmallDisk disk(Path("petit"));
    if (!disk.Mounted()) {
        GTEST_SKIP() << "this machine does not let the tests mount a tmpfs (needs root)";
    }
    std::filesystem::create_directory(Path("in"));
    const std::string data = PatternBytes(3'000'000, 9);
    WriteWholeFile(Path("in/film.avi"), data);
    const FolderSnapshot inputs(Path("in"));

    CliRun run = RunCliWith({"split", Path("in/film.avi"), "--size", "700", "--dest", Path("petit"),
                             "--if-exists", "fail"});
    EXPECT_EQ(run.code, cli::kExitFileError);
    EXPECT_EQ(run.err, Said(res::IDS_FILE_DISK_FULL, Path("petit/film.002")));
    EXPECT_EQ(inputs.Changed(), std::vector<std::string>{});

    ASSERT_EQ(RunCliWith({"split", Path("in/film.avi"), "--size", "700"}).code, cli::kExitSuccess);
    std::filesystem::remove(Path("in/film.avi"));
    const FolderSnapshot pieces(Path("in"));
    run = RunCliWith({"join", Path("in/film.001"), "--dest", Path("petit"), "--if-exists", "fail"});
    EXPECT_EQ(run.code, cli::kExitFileError);
    EXPECT_EQ(run.err, Said(res::IDS_FILE_DISK_FULL, Path("petit/film.avi")));
    EXPECT_EQ(pieces.Changed(), std::vector<std::string>{});
#endif
}

}  // namespace
}  // namespace scx::test
