#pragma once
// File-dialog filters: the resource form "desc|pattern;pattern|…||", as each toolkit's
// file dialog takes it.

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

// One name filter per pair, "desc (p1 p2)", the description kept as written, for file
// dialogs on case-sensitive file systems: "*.*" becomes "*" so that it also matches
// names without a dot, and each extension pattern is offered in upper case as well.
std::vector<std::string> ToNameFilters(std::string_view resourceFilter);

}  // namespace scx
