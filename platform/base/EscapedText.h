#pragma once
// Stored text made safe to show: nothing an archive holds may move a terminal's cursor,
// recolour or clear it, or start a line of its own.

#include <string>
#include <string_view>

namespace scx {

// `text` (UTF-8) with its control characters (C0, DEL and C1) written as escapes: "\t",
// "\n", "\r", and "\x" with two lowercase hexadecimal digits for each byte of any other.
// Backslashes stay as they are, so that Windows paths read as paths: for rows of a list.
std::string EscapeControlCharacters(std::string_view text);

// The same with each backslash doubled, so that the result reads back to one text only:
// for listings that programs read.
std::string EscapeForListing(std::string_view text);

}  // namespace scx
