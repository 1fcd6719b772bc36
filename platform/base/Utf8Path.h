#pragma once
// Paths travel as UTF-8 text; std::filesystem reads a plain string in the ANSI code page on
// Windows, so UTF-8 is handed to it, and taken back from it, explicitly.

#include <filesystem>
#include <string>

namespace scx {

inline std::filesystem::path Utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace scx
