#pragma once
// Paths travel as UTF-8 text; std::filesystem reads a plain string in the ANSI code page on
// Windows, so the archive code hands it UTF-8 explicitly.

#include <filesystem>
#include <string>
#include <system_error>

namespace scx::archive {

inline std::filesystem::path Utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The UTF-8 text of `path`.
inline std::string Utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Whether both paths name one existing file, through any spelling, link or hard link.
inline bool IsSameExistingFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(Utf8Path(a), Utf8Path(b), error) && !error;
}

}  // namespace scx::archive
