// Folders and files the user may not write: each command says so, naming the file, and
// leaves nothing behind and nothing changed.

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "CliFixture.h"
#include "Permissions.h"

namespace scx::test {
namespace {

class CliPermissionTest : public CliTest {
  protected:
    void SetUp() override {
        if (RunningAsRoot()) {
            GTEST_SKIP() << kRootPassesChecks;
        }
    }
    // Every file under the folder with its bytes, to show that nothing changed.
    std::vector<std::pair<std::string, std::string>> Snapshot() const {
        std::vector<std::pair<std::string, std::string>> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(Folder())) {
            if (entry.is_regular_file()) {
                files.emplace_back(entry.path().string(), ReadWholeFile(entry.path().string()));
            }
        }
        std::sort(files.begin(), files.end());
        return files;
    }
};

TEST_F(CliPermissionTest, OutputsThatCannotBeWritten) {
    WriteWholeFile(Path("film.avi"), PatternBytes(3000));
    ASSERT_EQ(RunCliWith({"split", Path("film.avi"), "--size", "1", "--quiet"}).code, 0);
    ASSERT_EQ(RunCliWith({"pack", Path("x.pck"), Path("film.avi"), "--quiet"}).code, 0);
    std::filesystem::create_directory(Path("locked"));
    std::filesystem::create_directory(Path("kept"));
    WriteWholeFile(Path("kept/film.avi"), "keep");
    WriteWholeFile(Path("kept/film.001"), "keep");
    ::chmod(Path("kept/film.avi").c_str(), 0444);
    ::chmod(Path("kept/film.001").c_str(), 0444);
    ::chmod(Path("locked").c_str(), 0555);

    const std::string locked = Path("locked") + "/";
    const std::string kept = Path("kept") + "/";
    const struct {
        std::vector<std::string> args;
        std::string refused;  // what the message names, from its start
    } cases[] = {
        {{"split", Path("film.avi"), "--size", "1", "--dest", locked}, locked + "film.001"},
        {{"join", Path("film.001"), "--dest", locked}, locked + "film.avi"},
        {{"pack", locked + "x.pck", Path("film.avi")}, locked + "x.pck"},
        {{"extract", Path("x.pck"), "--dest", locked}, locked + "film.avi"},
        // A read-only file is not overwritten.
        {{"split", Path("film.avi"), "--size", "1", "--dest", kept, "--if-exists", "overwrite"},
         kept + "film.001"},
        {{"join", Path("film.001"), "--dest", kept, "--if-exists", "overwrite"}, kept + "film.avi"},
        {{"pack", kept + "film.001", Path("film.avi")}, kept + "film.001"},
        {{"extract", Path("x.pck"), "--dest", kept, "--if-exists", "overwrite"}, kept + "film.avi"},
    };
    const auto before = Snapshot();
    for (const auto& c : cases) {
        const CliRun run = RunCliWith(c.args);
        EXPECT_EQ(run.code, cli::kExitFileError) << c.args[0] << " " << c.refused;
        const std::string said =
            ReplacePathSlot(res::LoadString(res::IDS_FILE_ACCESS_DENIED), c.refused);
        EXPECT_EQ(run.err.substr(0, said.size()), said);
        EXPECT_EQ(Snapshot(), before) << c.args[0] << " " << c.refused;
    }
    ::chmod(Path("locked").c_str(), 0755);
}

// Another user's set, readable by all, in their folder: joined into a folder of one's own,
// not split beside it.
class CliOtherOwnerPermissionTest : public CliTest {};

TEST_F(CliOtherOwnerPermissionTest, JoinedElsewhereNotSplitBeside) {
    const std::string bytes = PatternBytes(3000);
    WriteWholeFile(Path("film.avi"), bytes);
    ASSERT_EQ(RunCliWith({"split", Path("film.avi"), "--size", "1", "--quiet"}).code, 0);
    std::filesystem::create_directory(Path("mine"));
    ::chmod(Path("mine").c_str(), 0777);
    AsAnotherUser other;
    if (!other.Active()) {
        GTEST_SKIP() << AsAnotherUser::kSkipReason;
    }
    CliRun run = RunCliWith({"join", Path("film.001"), "--dest", Path("mine"), "--quiet"});
    EXPECT_EQ(run.code, cli::kExitSuccess) << run.err;
    EXPECT_TRUE(ReadWholeFile(Path("mine/film.avi")) == bytes);

    run = RunCliWith({"split", Path("film.avi"), "--size", "2", "--if-exists", "overwrite"});
    EXPECT_EQ(run.code, cli::kExitFileError);
    EXPECT_EQ(run.err, Said(res::IDS_FILE_ACCESS_DENIED, Path("film.001")));
    EXPECT_EQ(std::filesystem::file_size(Path("film.001")), 8u + 1024);
}

}  // namespace
}  // namespace scx::test
