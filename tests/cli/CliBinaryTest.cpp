// The real program, run as a shell would run it: standard streams redirected to files,
// so neither input nor error output is a terminal.

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "CliFixture.h"

#ifndef SCX_CLI_PATH
#error "SCX_CLI_PATH must name the scindarex-cli program"
#endif

namespace scx::test {
namespace {

class CliBinaryTest : public CliTest {
  protected:
    // Runs the program with `arguments` (already quoted for the shell), after `setup`.
    CliRun Run(const std::string& arguments, const std::string& setup = {}) {
        const std::string command = setup + "'" + SCX_CLI_PATH + "' " + arguments +
                                    " </dev/null >'" + Path("stdout.txt") + "' 2>'" +
                                    Path("stderr.txt") + "'";
        const int status = std::system(command.c_str());
        CliRun run;
        run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadWholeFile(Path("stdout.txt"));
        run.err = ReadWholeFile(Path("stderr.txt"));
        return run;
    }
    std::string Quoted(const std::string& name) { return "'" + Path(name) + "'"; }
};

TEST_F(CliBinaryTest, Version) {
    const CliRun run = Run("--version");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "scindarex-cli 2.01\n");
}

TEST_F(CliBinaryTest, RoundTripWithoutTerminal) {
    const std::string bytes = PatternBytes(3 << 20);
    std::filesystem::create_directory(Path("out dir"));
    WriteWholeFile(Path("film é.avi"), bytes);

    CliRun run = Run("split " + Quoted("film é.avi") + " --size 1000 --dest " + Quoted("out dir"));
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, Said(res::IDS_CUT_DONE));  // no progress drawn off a terminal
    run = Run("join " + Quoted("out dir/film é.001"));
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(ReadWholeFile(Path("out dir/film é.avi")) == bytes);

    // Joined once more: input is no terminal, so the taken name fails the join.
    run = Run("join " + Quoted("out dir/film é.001"));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find(Path("out dir/film é.avi")), std::string::npos);
}

TEST_F(CliBinaryTest, ExitStatuses) {
    EXPECT_EQ(Run("split").code, 2);
    EXPECT_EQ(Run("split " + Quoted("absent.avi")).code, 3);
    WriteWholeFile(Path("small.bin"), "12");
    EXPECT_EQ(Run("split " + Quoted("small.bin")).code, 1);
}

TEST_F(CliBinaryTest, APackOverTheFileSizeLimitFailsAndKeepsTheArchive) {
    WriteWholeFile(Path("good.pck"), "the archive that was there");
    WriteWholeFile(Path("big.bin"), PatternBytes(200000));
    // Files of at most 100 blocks of 512 bytes: the new archive cannot be written whole.
    const CliRun run =
        Run("pack " + Quoted("good.pck") + " " + Quoted("big.bin"), "ulimit -f 100; ");
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.err, Said(res::IDS_FILE_ERROR_GENERIC, Path("good.pck")));
    EXPECT_EQ(ReadWholeFile(Path("good.pck")), "the archive that was there");
    EXPECT_EQ(Files(),
              (std::vector<std::string>{"big.bin", "good.pck", "stderr.txt", "stdout.txt"}));
}

}  // namespace
}  // namespace scx::test
