#include "HelpGuide.h"

#include <filesystem>
#include <system_error>

#include "Assets.h"
#include "Resources.h"
#include "Utf8Path.h"

namespace scx {

std::string HelpGuideFile(const std::string& programDir) {
    namespace fs = std::filesystem;
    const fs::path installed = (Utf8Path(programDir) / SCX_DATA_FROM_BIN).lexically_normal();
    std::error_code error;
    const bool isInstalled =
        fs::is_regular_file(installed / Utf8Path(std::string(res::kGuideFileName)), error);
    const fs::path fallback = fs::temp_directory_path(error) / "scindarex";
    return res::GuideFile(isInstalled ? Utf8Text(installed) : programDir, Utf8Text(fallback));
}

}  // namespace scx
