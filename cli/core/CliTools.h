#pragma once
// scindarex-cli's file tools, the window's comparison and dates-and-attributes editor:
//
//   scindarex-cli compare FILE1 FILE2
//   scindarex-cli props FILE [--modified JJ/MM/AAAA] [--created JJ/MM/AAAA]
//                 [--accessed JJ/MM/AAAA] [--readonly on|off] [--hidden on|off]
//                 [--archive on|off]
//
// compare prints the window's result on standard output and exits 0 when the files are
// identical, 1 when they differ. props without options prints the three dates and the
// attributes; with options it applies them as the window's Yes does and prints nothing.

#include <ostream>
#include <string>
#include <vector>

namespace scx::cli {

// Whether `args` (without the program's name) name one of the tools.
bool IsToolCommand(const std::vector<std::string>& args);

// Runs the tool `args` names; the exit statuses of RunCli.
int RunToolCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The tools' part of the help: synopses, what they do, their exit statuses.
std::string ToolsHelpText();

}  // namespace scx::cli
