#pragma once
// Names of pieces and of the files that split and join write.
//
// Piece k (from 1) of a set is folder + base name + suffix of k, the suffix being "." and
// k in decimal padded with zeros to three digits: ".001" ... ".999", then ".1000" and up
// unpadded (reached only by HJSplit sets; the split stops at 999). The base name of a set
// cut by this program is the source's name without its last extension (film.avi ->
// film.001); the base name of an HJSplit set is the source's whole name (film.avi.001).
//
// When an output name is taken and the user declines to overwrite it, the copy name is:
//   split           every piece:  folder + base + "_Copie" + suffix   (film_Copie.001)
//   own join        folder + base + "_Copie" + "." + extension          (film_Copie.avi)
//   HJSplit join    folder + "Copie_de_" + base                         (Copie_de_film.avi)

#include <cstdint>
#include <string>
#include <string_view>

namespace scx::pieces {

inline constexpr std::string_view kCopySuffix = "_Copie";
inline constexpr std::string_view kCopyPrefix = "Copie_de_";

std::string PieceSuffix(std::uint64_t pieceNumber);

// folder + baseName + PieceSuffix(pieceNumber); the folder ends with its separator.
std::string PiecePath(std::string_view folder, std::string_view baseName,
                      std::uint64_t pieceNumber);

// Piece `pieceNumber` written by the split; the name tested for existence is piece 1
// without the copy form.
std::string SplitPiecePath(std::string_view folder, std::string_view baseName,
                           std::uint64_t pieceNumber, bool copyName);

// The file an own-format join writes. A set cut from a file without extension joins back
// into a name without a dot.
std::string OwnJoinOutputPath(std::string_view folder, std::string_view baseName,
                              std::string_view extension, bool copyName);

// The file an HJSplit join writes: the base name already holds the extension.
std::string HJSplitJoinOutputPath(std::string_view folder, std::string_view baseName,
                                  bool copyName);

}  // namespace scx::pieces
