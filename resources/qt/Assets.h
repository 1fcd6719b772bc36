#pragma once
// The Qt side of the resources: what needs the compiled resource file.

#include <QString>

namespace scx::res {

// A local file of the user guide that a browser can open: the copy installed in
// `programDir` when there is one, otherwise the copy of the resource file written into
// `fallbackDir` (created when missing). Empty when neither can be had.
QString GuideFile(const QString& programDir, const QString& fallbackDir);

}  // namespace scx::res
