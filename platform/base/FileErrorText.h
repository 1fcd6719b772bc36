#pragma once
// The French text that reports a file failure to the user, the same in a message box and
// on a terminal: the string of the failure's cause, naming the file.

#include <string>
#include <string_view>

#include "File.h"

namespace scx {

// The string id (200-207) that describes `cause`; any cause without a text of its own
// gets the generic one.
unsigned FileErrorStringId(CFileException::Cause cause);

// `text` with its "%1" replaced by `path`; unchanged when it holds no "%1".
std::string ReplacePathSlot(std::string text, std::string_view path);

std::string DescribeFileError(const CFileException& error);

// The text that reports a defect caught before it could end the program: `detail` is what
// the exception said, none when it said nothing.
std::string DescribeUnexpectedError(const char* detail);

}  // namespace scx
