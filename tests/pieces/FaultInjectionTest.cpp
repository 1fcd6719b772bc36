// Every failure a disk can give, at every file operation of a small split and of both
// joins: each is reported naming a file and its cause, none ends as a success that is not
// one, and no input is ever modified. Transfers cut into short reads and writes still give the
// right bytes.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "EngineFixture.h"
#include "FaultPlan.h"
#include "PieceNames.h"

namespace scx::test {
namespace {

using pieces::EngineResult;

// The questions of a taken name are answered No: a probe that fails counts as a taken name.
class NoToEverything : public pieces::CUserPrompt {
  public:
    bool AskYesNo(unsigned, const std::string&) override { return false; }
};

struct Scenario {
    const char* name;
    std::function<void()> prepare;      // writes the inputs into src/
    std::function<EngineResult()> run;  // writes into dst/
    std::function<void()> checkOutput;  // after a successful run
};

class FaultInjectionTest : public EngineTest {
  protected:
    void Reset() {
        for (const std::string& folder : {SrcFolder(), DstFolder()}) {
            std::filesystem::remove_all(Utf8Path(folder));
            std::filesystem::create_directory(Utf8Path(folder));
        }
        log.clear();
    }

    std::vector<Scenario> Scenarios() {
        const std::string data = PatternBytes(5000, 11);
        return {
            {"split", [=, this] { WriteWholeFile(Src("film.avi"), data); },
             [this] {
                 pieces::SplitOptions options{
                     Src("film.avi"), "avi", "film", DstFolder(), 5000, 1, 5};
                 NoToEverything prompt;
                 return pieces::RunSplit(options, observer, prompt);
             },
             [=, this] {
                 EXPECT_TRUE(ReadWholeFile(Dst("film.005")) == data.substr(4096));
                 EXPECT_TRUE(ReadWholeFile(Dst("film.001")).substr(8) == data.substr(0, 1024));
             }},
            {"own join",
             [=, this] {
                 for (int k = 1; k <= 3; ++k) {
                     const std::string tag = k == 1 ? "avi  003" : "";
                     WriteWholeFile(pieces::PiecePath(SrcFolder(), "film", k),
                                    tag + data.substr((k - 1) * 2000, 2000));
                 }
             },
             [this] {
                 NoToEverything prompt;
                 return pieces::RunJoin(JoinOf(Src("film.001"), DstFolder(), false), observer,
                                        prompt);
             },
             [=, this] { EXPECT_TRUE(ReadWholeFile(Dst("film.avi")) == data.substr(0, 5000)); }},
            {"HJSplit join",
             [=, this] {
                 for (int k = 1; k <= 3; ++k) {
                     WriteWholeFile(pieces::PiecePath(SrcFolder(), "clip.avi", k),
                                    data.substr((k - 1) * 2000, 2000));
                 }
             },
             [this] {
                 NoToEverything prompt;
                 return pieces::RunJoin(JoinOf(Src("clip.avi.001"), DstFolder(), true), observer,
                                        prompt);
             },
             [=, this] { EXPECT_TRUE(ReadWholeFile(Dst("clip.avi")) == data); }},
        };
    }
};

TEST_F(FaultInjectionTest, EveryFailureIsReportedAndNoInputIsTouched) {
    for (const Scenario& scenario : Scenarios()) {
        SCOPED_TRACE(scenario.name);
        Reset();
        scenario.prepare();
        int operations = 0;
        {
            FaultPlan counting(0, 0);
            ASSERT_EQ(scenario.run(), EngineResult::done);
            operations = counting.Operations();
        }
        ASSERT_GT(operations, 5);
        for (const DiskFault& fault : DiskFaults()) {
            for (int n = 1; n <= operations; ++n) {
                SCOPED_TRACE(std::string(fault.name) + " at operation " + std::to_string(n));
                Reset();
                scenario.prepare();
                const FolderSnapshot inputs(SrcFolder());
                std::optional<CFileException> error;
                std::optional<EngineResult> result;
                {
                    FaultPlan plan(n, fault.error);
                    try {
                        result = scenario.run();
                    } catch (const CFileException& e) {
                        error = e;
                    }
                    ASSERT_TRUE(plan.Failed());
                    if (error) {
                        // A failed probe counts the name as taken: what is then reported is
                        // a piece that is not there.
                        const bool probe = plan.FailedOp() == CFile::Op::open &&
                                           error->m_cause == CFileException::fileNotFound;
                        if (!probe) {
                            EXPECT_EQ(error->m_strFileName, plan.FailedPath());
                            EXPECT_EQ(error->m_cause, fault.cause);
                        }
                    } else if (*result == EngineResult::done) {
                        // Only a probe may fail unseen (a name that cannot be opened counts
                        // as present); the success must then be real.
                        EXPECT_EQ(plan.FailedOp(), CFile::Op::open);
                        scenario.checkOutput();
                    }
                }
                EXPECT_EQ(inputs.Changed(), std::vector<std::string>{});
            }
        }
    }
}

TEST_F(FaultInjectionTest, ShortReadsAndWritesGiveTheSameBytes) {
    for (const Scenario& scenario : Scenarios()) {
        SCOPED_TRACE(scenario.name);
        Reset();
        scenario.prepare();
        FaultPlan shortTransfers(0, 0, true);
        ASSERT_EQ(scenario.run(), EngineResult::done);
        scenario.checkOutput();
    }
}

}  // namespace
}  // namespace scx::test
