#pragma once
// The command line of scindarex-cli:
//
//   scindarex-cli split FILE [--size KB] [--dest DIR] [--if-exists MODE] [--checksums]
//                 [--quiet]
//   scindarex-cli join FIRST_PIECE [--hjsplit] [--dest DIR] [--if-exists MODE] [--no-verify]
//                 [--quiet]
//   scindarex-cli verify FIRST_PIECE [--hjsplit] [--quiet]
//   scindarex-cli info FILE [--size KB] [--hjsplit]
//   scindarex-cli pack ARCHIVE [FILE...] [--author T] [--content T] [--comment T] [--quiet]
//   scindarex-cli list ARCHIVE
//   scindarex-cli extract ARCHIVE [MEMBER...] [--dest DIR] [--if-exists MODE] [--quiet]
//   scindarex-cli --help | --version
//
// Options may come before or after the file, as "--size 1400" or "--size=1400"; "--" ends
// the options, for a file whose name starts with "-". An option that the subcommand does
// not take is bad usage, as is an unknown one or one given twice.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scx::cli {

enum class Command {
    help,
    version,
    split,
    join,
    info,
    pack,
    list,
    extract,
    verify,
    compare,
    props
};

// What to do when the first name an operation writes is taken.
enum class IfExists {
    ask,        // the window's two questions, answered on the terminal
    overwrite,  // Yes to the first
    copy,       // No to the first, Yes to the second: the copy name
    fail,       // No to both: nothing is written
};

inline constexpr std::int64_t kDefaultPartitionKb = 1400;

struct CliArguments {
    Command command = Command::help;
    std::string file;
    std::int64_t partitionKb = kDefaultPartitionKb;
    std::string destFolder;            // empty: the file's own folder
    std::optional<IfExists> ifExists;  // none: ask on a terminal, fail otherwise
    bool hjsplit = false;
    bool quiet = false;
    bool checksums = false;  // split: write the set's checksum file
    bool noVerify = false;   // join: ignore the set's checksum file
    // pack: the files to gather; extract: the members to take out (none: all); compare:
    // the second file.
    std::vector<std::string> members;
    std::string author, content, comment;  // pack: the archive's properties
    // props: the dates ("J/M/AAAA", the form checked) and attributes to change.
    std::optional<std::string> modified, created, accessed;
    std::optional<bool> readOnly, hidden, archive;
};

struct ParsedArguments {
    std::optional<CliArguments> arguments;  // none: bad usage
    // Bad usage: the French lines that say what is wrong, the last one the usage line.
    std::string error;
};

ParsedArguments ParseArguments(const std::vector<std::string>& args);

// The one-line synopsis of `command` (every subcommand for help and version).
std::string UsageLine(Command command);

std::string HelpText();

// Digits only, at least one: the rule the window applies to the partition size, read into
// 64 bits (saturating). None for anything else.
std::optional<std::int64_t> ParsePartitionKb(std::string_view text);

}  // namespace scx::cli
