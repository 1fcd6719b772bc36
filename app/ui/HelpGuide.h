#pragma once
// Where the French user guide opened by "Aide en ligne" is found.

#include <string>

namespace scx {

// The guide installed for the program in `programDir`: in the data folder found relative
// to it, else beside it; when neither has it, a copy written from the resources into the
// temporary folder.
std::string HelpGuideFile(const std::string& programDir);

}  // namespace scx
