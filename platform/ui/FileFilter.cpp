#include "FileFilter.h"

#include <algorithm>
#include <cctype>

namespace scx {

namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

std::vector<FilterPair> ParseFilter(std::string_view resourceFilter) {
    std::vector<FilterPair> pairs;
    const std::vector<std::string> fields = Split(resourceFilter, '|');
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].empty()) {
            break;  // the "||" that ends the list
        }
        FilterPair pair{fields[i], {}};
        for (std::string& pattern : Split(fields[i + 1], ';')) {
            if (!pattern.empty()) {
                pair.patterns.push_back(std::move(pattern));
            }
        }
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

std::vector<std::string> ToNameFilters(std::string_view resourceFilter) {
    std::vector<std::string> filters;
    for (const FilterPair& pair : ParseFilter(resourceFilter)) {
        std::vector<std::string> patterns;
        auto add = [&patterns](const std::string& pattern) {
            if (std::find(patterns.begin(), patterns.end(), pattern) == patterns.end()) {
                patterns.push_back(pattern);
            }
        };
        for (const std::string& pattern : pair.patterns) {
            if (pattern == "*.*" || pattern == "*") {
                add("*");
            } else {
                add(pattern);
                add(Upper(pattern));
            }
        }
        std::string filter = pair.description + " (";
        for (std::size_t i = 0; i < patterns.size(); ++i) {
            filter += (i == 0 ? "" : " ") + patterns[i];
        }
        filters.push_back(filter + ")");
    }
    return filters;
}

}  // namespace scx
