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

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "LocalDates.h"

namespace scx::cli {

struct CliArguments;

// "J/M/AAAA": one or two digits for the day and the month, four for the year.
std::optional<tools::LocalDate> ParsePropsDate(std::string_view text);

// The two tools, on arguments ParseArguments accepted; the exit statuses of RunCli. File
// errors propagate as CFileException.
int RunCompare(const CliArguments& arguments, std::ostream& out, std::ostream& err);
int RunProps(const CliArguments& arguments, std::ostream& out, std::ostream& err);

// The tools' part of the help: synopses, what they do, their exit statuses.
std::string ToolsHelpText();

}  // namespace scx::cli
