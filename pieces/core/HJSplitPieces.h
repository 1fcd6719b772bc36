#pragma once
// HJSplit sets carry no marker: a file film.avi cut by HJSplit gives film.avi.001,
// film.avi.002, ... so the base name of its first piece (film.avi) is the joined file's
// whole name, and the pieces are found by their names alone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scx::pieces {

// The number of consecutive pieces folder + baseName + ".001", ".002", ... that exist:
// the count stops before the first number whose file is not found. A piece that exists
// but cannot be opened (held by another program) counts and the count goes on, so that
// the join reports it rather than joining fewer pieces; after 64 such names in a row (a
// folder that cannot be reached, where every name "exists") only the first of them counts.
std::uint64_t CountHJSplitPieces(std::string_view folder, std::string_view baseName);

// What follows the first dot of the base name ("mon.film.avi" -> "film.avi"); none when
// the base name holds no dot, which means it is not an HJSplit piece.
std::optional<std::string> HJSplitExtension(std::string_view baseName);

}  // namespace scx::pieces
