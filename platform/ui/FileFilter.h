#pragma once
// File-dialog filters: the resource form "desc|pattern;pattern|…||" and Qt's name filters.

#include <string>
#include <string_view>
#include <vector>

namespace scx {

struct FilterPair {
    std::string description;
    std::vector<std::string> patterns;
};

// Pairs in order; an unpaired trailing description is dropped.
std::vector<FilterPair> ParseFilter(std::string_view resourceFilter);

// One Qt name filter per pair, "desc (p1 p2)", the description kept as written. "*.*"
// becomes "*" so that it also matches names without a dot, and each extension pattern
// is offered in upper case as well, since the platform's names are case-sensitive.
std::vector<std::string> ToQtNameFilters(std::string_view resourceFilter);

}  // namespace scx
