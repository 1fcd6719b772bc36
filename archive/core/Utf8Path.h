#pragma once
// Paths travel as UTF-8 text; std::filesystem reads a plain string in the ANSI code page on
// Windows, so the archive code hands it UTF-8 explicitly.

#include <filesystem>
#include <string>

namespace scx::archive {

inline std::filesystem::path Utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace scx::archive
