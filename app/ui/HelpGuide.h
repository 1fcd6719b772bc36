#pragma once
// Where the French user guide opened by "Aide en ligne" is found.

#include <string>

namespace scx {

// A file URL of the guide installed beside the program, or of a copy written from the
// resources into the temporary folder when the installed one is missing.
std::string HelpGuideLocation();

}  // namespace scx
