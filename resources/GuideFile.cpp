#include <filesystem>
#include <fstream>
#include <system_error>

#include "Assets.h"
#include "Resources.h"
#include "Utf8Path.h"

namespace scx::res {

namespace fs = std::filesystem;

std::string GuideFile(const std::string& programDir, const std::string& fallbackDir) {
    const fs::path relative = Utf8Path(std::string(kGuideFileName));
    const fs::path installed = Utf8Path(programDir) / relative;
    std::error_code error;
    if (fs::is_regular_file(installed, error)) {
        return Utf8Text(installed);
    }
    const std::string content = GuideContent();
    if (content.empty()) {
        return {};
    }
    // Rewritten every time: a stale copy from an older version must not be shown.
    const fs::path copy = fs::absolute(Utf8Path(fallbackDir) / relative, error);
    if (error || (fs::create_directories(copy.parent_path(), error), error)) {
        return {};
    }
    std::ofstream out(copy, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    return out ? Utf8Text(copy) : std::string();
}

}  // namespace scx::res
