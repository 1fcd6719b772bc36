#pragma once
// The one command line the program understands, written by the archive dialog when it
// starts a new instance with an archive to cut: "l " followed by the file's full path.
//
// The text examined is the arguments joined by single blanks (leading blanks dropped, as
// on Windows after the program's name). It is ignored unless its first character is a
// lower-case "l"; the path is the text from its third character on, unchanged (quotes and
// inner blanks belong to it; the second character is skipped whatever it is). The
// extension is the text's last three characters when the fourth from the end is a ".",
// otherwise empty, so "film.mpeg" is loaded as a file without extension. A command line
// that names no path ("l" alone, or "l" and one more character) selects nothing.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scx::app {

struct CommandLineFile {
    std::string path;       // never empty: "l" alone selects nothing
    std::string extension;  // without the dot

    bool operator==(const CommandLineFile&) const = default;
};

std::string JoinArguments(const std::vector<std::string>& arguments);

std::optional<CommandLineFile> ParseCommandLineText(std::string_view text);

}  // namespace scx::app
