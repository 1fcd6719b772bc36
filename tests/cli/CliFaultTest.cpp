// scindarex-cli under a failing disk: every operation of a small split, of both joins, of
// an archive's creation and of its extraction fails in turn. A failure exits 3 with the French text
// of its cause, a refusal 1; a success is said only when the result is whole; the inputs are never
// modified.

#include <filesystem>
#include <string>
#include <vector>

#include "CliFixture.h"
#include "FaultPlan.h"

namespace scx::test {
namespace {

class CliFaultTest : public CliTest {
  protected:
    void SetUp() override {
        data = PatternBytes(5000, 5);
        Prepare();
        ASSERT_EQ(RunCliWith({"pack", Path("out/archive.pck"), Path("in/film.avi"),
                              Path("in/clip.avi.001"), "--quiet"})
                      .code,
                  cli::kExitSuccess);
        archive = ReadWholeFile(Path("out/archive.pck"));
    }
    void Prepare() {
        for (const char* folder : {"in", "out"}) {
            std::filesystem::remove_all(Utf8Path(Path(folder)));
            std::filesystem::create_directory(Utf8Path(Path(folder)));
        }
        WriteWholeFile(Path("in/film.avi"), data);
        WriteWholeFile(Path("in/set.001"), "avi  003" + data.substr(0, 2000));
        WriteWholeFile(Path("in/set.002"), data.substr(2000, 2000));
        WriteWholeFile(Path("in/set.003"), data.substr(4000));
        for (int k = 1; k <= 3; ++k) {
            WriteWholeFile(Path("in/clip.avi.00" + std::to_string(k)),
                           data.substr((k - 1) * 2000, 2000));
        }
        WriteWholeFile(Path("in/archive.pck"), archive);
    }

    std::string data;
    std::string archive;  // holds film.avi and clip.avi.001, made once by pack
};

TEST_F(CliFaultTest, EveryFailureIsReportedAndNoInputIsTouched) {
    const std::vector<std::string> common = {"--if-exists", "fail", "--dest", Path("out")};
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string output;
        unsigned done;
    } scenarios[] = {
        {"split", {"split", Path("in/film.avi"), "--size", "1"}, "out/film.005", res::IDS_CUT_DONE},
        {"own join", {"join", Path("in/set.001")}, "out/set.avi", res::IDS_JOIN_DONE},
        {"HJSplit join",
         {"join", Path("in/clip.avi.001"), "--hjsplit"},
         "out/clip.avi",
         res::IDS_JOIN_DONE},
        {"pack",
         {"pack", Path("out/new.pck"), Path("in/film.avi"), Path("in/set.002")},
         "out/new.pck",
         res::IDS_ARCHIVE_CREATED},
        {"extract", {"extract", Path("in/archive.pck")}, "out/film.avi", res::IDS_EXTRACT_DONE},
    };
    for (const auto& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        std::vector<std::string> args = scenario.args;
        if (args[0] != "pack") {  // pack replaces its archive, as the window does
            args.insert(args.end(), common.begin(), common.end());
        }
        Prepare();
        int operations = 0;
        std::string whole;
        {
            FaultPlan counting(0, 0);
            ASSERT_EQ(RunCliWith(args).code, cli::kExitSuccess);
            operations = counting.Operations();
            whole = ReadWholeFile(Path(scenario.output));
        }
        ASSERT_GT(operations, 3);
        for (const DiskFault& fault : DiskFaults()) {
            for (int n = 1; n <= operations; ++n) {
                SCOPED_TRACE(std::string(fault.name) + " at operation " + std::to_string(n));
                Prepare();
                const FolderSnapshot inputs(Path("in"));
                CliRun run;
                {
                    FaultPlan plan(n, fault.error);
                    run = RunCliWith(args);
                    ASSERT_TRUE(plan.Failed());
                }
                const bool saidDone =
                    run.err.find(res::LoadString(scenario.done)) != std::string::npos;
                if (run.code == cli::kExitSuccess) {
                    EXPECT_TRUE(saidDone);
                    EXPECT_TRUE(ReadWholeFile(Path(scenario.output)) == whole);
                } else {
                    EXPECT_FALSE(saidDone) << run.err;
                    EXPECT_TRUE(run.code == cli::kExitFileError || run.code == cli::kExitRefused)
                        << run.code;
                    EXPECT_FALSE(run.err.empty());
                }
                EXPECT_EQ(inputs.Changed(), std::vector<std::string>{});
            }
        }
    }
}

}  // namespace
}  // namespace scx::test
