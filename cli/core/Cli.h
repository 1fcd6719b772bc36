#pragma once
// scindarex-cli: the window's split, join and source panel for shells and scripts. The
// whole tool runs in RunCli, on whatever streams it is given, so that tests drive it in
// process; main only hands it the process's streams.
//
// Exit statuses: 0 success; 1 refused by a check or by the user at a question; 2 bad
// usage; 3 file-system error. Messages (the program's French texts) go to `err`; only
// info's lines, the help and the version go to `out`.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "TerminalProgress.h"

namespace scx::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFileError = 3;

struct CliEnvironment {
    bool inIsTerminal = false;   // decides the default --if-exists
    bool errIsTerminal = false;  // the progress bar is drawn only on a terminal
    Clock clock;                 // steady_clock's when empty
};

// The folder an operation writes into, ending with its separator: `given` (--dest),
// which must be an existing folder (else a file error), or `fallback` when none was given.
std::string DestinationFolder(const std::string& given, const std::string& fallback);

// `args` are the arguments without the program's name.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, const CliEnvironment& environment);

}  // namespace scx::cli
