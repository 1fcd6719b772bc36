#include "CommandLine.h"

namespace scx::app {

namespace {

constexpr std::size_t kPathStart = 2;
constexpr std::size_t kExtensionLength = 3;

}  // namespace

std::string JoinArguments(const std::vector<std::string>& arguments) {
    std::string text;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += arguments[i];
    }
    return text;
}

std::optional<CommandLineFile> ParseCommandLineText(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    text.remove_prefix(start == std::string_view::npos ? text.size() : start);
    if (text.empty() || text.front() != 'l') {
        return std::nullopt;
    }
    // "l" alone names no file: there is nothing to select, and nothing to report.
    if (text.size() <= kPathStart) {
        return std::nullopt;
    }
    CommandLineFile file;
    file.path = std::string(text.substr(kPathStart));
    if (text.size() > kExtensionLength && text[text.size() - kExtensionLength - 1] == '.') {
        file.extension = std::string(text.substr(text.size() - kExtensionLength));
    }
    return file;
}

}  // namespace scx::app
