#pragma once
// What the program keeps in its toolkit's resources besides plain data: the user guide.
// Each backend stores it its own way (a Qt resource file, a Windows resource).

#include <string>

namespace scx::res {

// The bytes of the French user guide; empty when the resources lack it.
std::string GuideContent();

// A local file of the user guide that a browser can open: the copy installed in
// `programDir` when there is one, otherwise a copy of the resources' guide written into
// `fallbackDir` (created when missing). Empty when neither can be had.
std::string GuideFile(const std::string& programDir, const std::string& fallbackDir);

}  // namespace scx::res
