#pragma once
// The rules behind the main window's source panel, without the window: the size text, the
// information lines and the analysis of a first piece (the piece count of a file to cut is
// the split's own, pieces::PieceCount). The command-line tool prints the same lines.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scx::app {

// The size in "   octets" below 1024 bytes, "   ko" below 1048576, "   Mo" from there,
// written with 8 significant digits rounded to nearest (halves up), zeros at the end of
// the fraction dropped and the point kept: 1500 -> "1.4648438   ko", 4294967295 ->
// "4096.   Mo". Sizes of 10^8 Mo and more show all their whole megabytes.
std::string FormatFileSize(std::uint64_t bytes);

// A partition size typed by the user, read like atoi into 64 bits, saturating.
std::int64_t ParseSizeText(std::string_view text);

// The two information lines; the prefixes are the string-table texts (121 and 122 for a
// first piece, 123 and 124 for a file to cut), whose trailing blanks belong to them.
struct InformationLines {
    std::string first;
    std::string second;
};

InformationLines FileToCutLines(std::string_view pieceCountPrefix, std::uint64_t pieceCount,
                                std::string_view partitionPrefix, std::int64_t partitionKb);

InformationLines FirstPieceLines(std::string_view extensionPrefix, std::string_view extension,
                                 std::string_view pieceCountPrefix, std::int64_t pieceCount);

// A first piece in HJSplit mode: the extension after the first dot of the base name and
// the number of consecutive pieces present (bounded, see CountHJSplitPieces). None when the
// base name has no dot.
struct HJSplitPanel {
    std::string extension;
    std::uint64_t pieceCount = 0;
};

std::optional<HJSplitPanel> DescribeHJSplitFirstPiece(std::string_view folder,
                                                      std::string_view baseName);

// The path members of the main window derived from a selected path and its extension
// (without dot): the folder keeps its final separator; the title is the name without "."
// and the extension, or the whole name when the extension is empty.
struct SourcePathParts {
    std::string folder;
    std::string title;
};

SourcePathParts SplitSourcePath(std::string_view path, std::string_view extension);

}  // namespace scx::app
