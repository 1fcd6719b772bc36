#pragma once
// HJSplit sets carry no marker: a file film.avi cut by HJSplit gives film.avi.001,
// film.avi.002, ... so the base name of its first piece (film.avi) is the joined file's
// whole name, and the pieces are found by their names alone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scx::pieces {

// The number of consecutive pieces folder + baseName + ".001", ".002", ... that exist.
// The count stops before the first number whose file is not found, and after the first
// number whose file exists but cannot be opened (held by another program, folder gone),
// which is counted so that the join then reports the failure for it: when the folder
// cannot be reached every name would "exist" and the count would never end.
std::uint64_t CountHJSplitPieces(std::string_view folder, std::string_view baseName);

// What follows the first dot of the base name ("mon.film.avi" -> "film.avi"); none when
// the base name holds no dot, which means it is not an HJSplit piece.
std::optional<std::string> HJSplitExtension(std::string_view baseName);

}  // namespace scx::pieces
