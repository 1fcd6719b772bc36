// scindarex-cli under a failing disk: every operation of a small split, of both joins, of
// an archive's creation and of its extraction fails in turn. A failure exits 3 with the French text
// of its cause, a refusal 1; a success is said only when the result is whole; the inputs are never
// modified. The archive's creation and extraction, which write a temporary file first, run again
// with its name already taken by a file, a folder and a link: none is written through or removed,
// no temporary file stays, and a file being replaced is either whole or as it was.

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
        WriteWholeFile(Path("out/new.pck"), "ancienne archive");
        WriteWholeFile(Path("out/film.avi"), "ancien film");
    }

    // The names in out that start like the program's temporary files, `planted` aside.
    std::vector<std::string> Temporaries(const std::string& planted) const {
        std::vector<std::string> found;
        for (const std::string& name : Files("out")) {
            if (name.starts_with(".scindarex-") && Path("out/" + name) != planted) {
                found.push_back(name);
            }
        }
        return found;
    }

    std::string data;
    std::string archive;  // holds film.avi and clip.avi.001, made once by pack
};

TEST_F(CliFaultTest, EveryFailureIsReportedAndNoInputIsTouched) {
    const std::string victim = "../victim.txt";
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string output;
        unsigned done;
        const char* temporary;  // the first name the temporary file would take, if any
        std::string before;     // what the output held before, kept by a failure
    } scenarios[] = {
        {"split",
         {"split", Path("in/film.avi"), "--size", "1", "--if-exists", "fail", "--dest",
          Path("out")},
         "out/film.005",
         res::IDS_CUT_DONE,
         nullptr,
         {}},
        {"own join",
         {"join", Path("in/set.001"), "--if-exists", "fail", "--dest", Path("out")},
         "out/set.avi",
         res::IDS_JOIN_DONE,
         nullptr,
         {}},
        {"HJSplit join",
         {"join", Path("in/clip.avi.001"), "--hjsplit", "--if-exists", "fail", "--dest",
          Path("out")},
         "out/clip.avi",
         res::IDS_JOIN_DONE,
         nullptr,
         {}},
        // pack replaces its archive, as the window does
        {"pack",
         {"pack", Path("out/new.pck"), Path("in/film.avi"), Path("in/set.002")},
         "out/new.pck",
         res::IDS_ARCHIVE_CREATED,
         ".scindarex-archive-1.tmp",
         "ancienne archive"},
        {"extract",
         {"extract", Path("in/archive.pck"), "--if-exists", "overwrite", "--dest", Path("out")},
         "out/film.avi",
         res::IDS_EXTRACT_DONE,
         ".scindarex-extraction-1.tmp",
         "ancien film"},
    };
    for (const auto& scenario : scenarios) {
        for (const Planted kind :
             {Planted::nothing, Planted::file, Planted::folder, Planted::link}) {
            if (scenario.temporary == nullptr && kind != Planted::nothing) {
                continue;
            }
            SCOPED_TRACE(std::string(scenario.name) + ", planted " +
                         std::to_string(static_cast<int>(kind)));
            const std::string planted =
                scenario.temporary != nullptr ? Path(std::string("out/") + scenario.temporary) : "";
            const auto prepare = [&] {
                Prepare();
                return Plant(kind, planted, victim);
            };
            if (!prepare()) {
                continue;  // Windows may refuse links to an ordinary user
            }
            const auto checkLeftovers = [&] {
                EXPECT_EQ(Temporaries(planted), std::vector<std::string>{});
                if (scenario.temporary != nullptr) {
                    EXPECT_TRUE(StillPlanted(kind, planted, victim));
                }
                EXPECT_FALSE(std::filesystem::exists(Utf8Path(Path("victim.txt"))));
            };
            int operations = 0;
            std::string whole;
            {
                FaultPlan counting(0, 0);
                ASSERT_EQ(RunCliWith(scenario.args).code, cli::kExitSuccess);
                operations = counting.Operations();
                whole = ReadWholeFile(Path(scenario.output));
            }
            checkLeftovers();
            ASSERT_GT(operations, 3);
            for (const DiskFault& fault : DiskFaults()) {
                for (int n = 1; n <= operations; ++n) {
                    SCOPED_TRACE(std::string(fault.name) + " at operation " + std::to_string(n));
                    prepare();
                    const FolderSnapshot inputs(Path("in"));
                    CliRun run;
                    {
                        FaultPlan plan(n, fault.error);
                        run = RunCliWith(scenario.args);
                        ASSERT_TRUE(plan.Failed());
                    }
                    const bool saidDone =
                        run.err.find(res::LoadString(scenario.done)) != std::string::npos;
                    const std::string output = ReadWholeFile(Path(scenario.output));
                    if (run.code == cli::kExitSuccess) {
                        EXPECT_TRUE(saidDone);
                        EXPECT_TRUE(output == whole);
                    } else {
                        EXPECT_FALSE(saidDone) << run.err;
                        EXPECT_TRUE(run.code == cli::kExitFileError ||
                                    run.code == cli::kExitRefused)
                            << run.code;
                        EXPECT_FALSE(run.err.empty());
                        EXPECT_TRUE(scenario.before.empty() || output == scenario.before ||
                                    output == whole);
                    }
                    EXPECT_EQ(inputs.Changed(), std::vector<std::string>{});
                    checkLeftovers();
                }
            }
        }
    }
}

}  // namespace
}  // namespace scx::test
