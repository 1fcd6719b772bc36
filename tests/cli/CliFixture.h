#pragma once
// Runs scindarex-cli in process on string streams, in a private folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"
#include "File.h"
#include "FileErrorText.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "StagedFile.h"
#include "TestFiles.h"

namespace scx::test {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

inline CliRun RunCliWith(const std::vector<std::string>& args, const std::string& input = {},
                         const cli::CliEnvironment& environment = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.code = cli::RunCli(args, in, out, err, environment);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// A message of the string table as the tool prints it: its own lines, the path in "%1".
inline std::string Said(unsigned stringId, const std::string& path = {}) {
    return ReplacePathSlot(res::LoadString(stringId), path) + "\n";
}

#ifndef _WIN32
// Runs scindarex-cli with `args` as its main does and ends the process with its exit
// status, raising `signal` (when not 0) as the first byte is written: for EXPECT_EXIT.
[[noreturn]] inline void ExitFromCliInterruptedAtFirstWrite(const std::vector<std::string>& args,
                                                            int signal) {
    RemoveStagedFilesOnInterrupt();
    CFile::SetFaultHook([signal](CFile::Op op, const std::string&, std::uint64_t, std::size_t&) {
        if (op == CFile::Op::write && signal != 0) {
            std::raise(signal);
        }
        return 0;
    });
    std::exit(RunCliWith(args).code);
}
#endif

class CliTest : public ::testing::Test {
  protected:
    // The folder as the file layer resolves it, which is how the tool names files.
    std::string Folder() const { return Utf8Text(std::filesystem::canonical(m_tmp.Folder()) / ""); }
    std::string Path(const std::string& name) const {
        return Utf8Text(Utf8Path(Folder() + name).make_preferred());
    }

    std::vector<std::string> Files(const std::string& subfolder = {}) const {
        std::vector<std::string> names;
        for (const auto& entry :
             std::filesystem::directory_iterator(Utf8Path(Folder() + subfolder))) {
            names.push_back(Utf8Text(entry.path().filename()));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder m_tmp;
};

}  // namespace scx::test
