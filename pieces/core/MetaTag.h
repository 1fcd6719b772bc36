#pragma once
// The META-TAG: the 8 bytes at the start of the first piece of a set cut by this program,
// and nowhere else. It has no magic number, version, length or terminator; the first
// piece's own name supplies the base name.
//
//   offset  size  contents
//   0       3     the source's extension, without its dot, padded with blanks
//   3       1     the extension's fourth byte when it has exactly four, otherwise a blank
//   4       1     a blank
//   5       3     the number of pieces N as three zero-padded decimal digits, "001"-"999"
//
//   film.avi in 3 pieces        61 76 69 20 20 30 30 33    "avi  003"
//   photo.jpeg in 12 pieces     6A 70 65 67 20 30 31 32    "jpeg 012"
//   notes.torrent in 120 pieces 74 6F 72 20 20 31 32 30    "tor  120"
//
// The extension is written in Windows-1252, one byte per character, as sets cut on French
// Windows machines hold it; an extension with a character that code page lacks is written
// as UTF-8, never cut inside a character. 3 or 4 bytes are stored whole; a longer one
// keeps the longest run of whole characters that fits in 3 bytes. Shorter ones, and no
// extension at all, are padded with blanks, which the readers drop again, so they come
// back intact; blanks inside the four bytes are part of the extension. The readers take
// valid UTF-8 as UTF-8 and anything else as Windows-1252.
//
// Two readers look at it. The panel reader, when a first piece is chosen, takes the first
// 8 bytes (zero bytes past the end of a shorter file) as text that ends at the first zero
// byte: characters 0-2 are the stored extension, character 3 completes it when present and
// not blank, characters 5-7 are the count, read like atoi. The join reader, when the join
// starts, reads byte 3 again and completes the stored extension with it; the data follow
// at offset 8.
//
// Nothing else identifies a first piece: any file whose bytes 5-7 start a positive number
// passes. A count below 1, or a file shorter than the tag, cannot be joined.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace scx {
class CFile;
}

namespace scx::pieces {

inline constexpr std::size_t kMetaTagSize = 8;
inline constexpr int kMaxTaggedPieceCount = 999;

using MetaTag = std::array<unsigned char, kMetaTagSize>;

// The tag of a set of `pieceCount` pieces cut from a file with `extension` (UTF-8, no dot).
// Throws std::invalid_argument unless 1 <= pieceCount <= kMaxTaggedPieceCount: the count
// field holds three digits.
MetaTag BuildMetaTag(std::string_view extension, int pieceCount);

// What the panel reader finds.
struct PanelTag {
    // Characters 0-2 as stored, blanks included (not decoded): kept by the main window and
    // completed by the join reader.
    std::string storedExtension;
    // The extension shown: the stored field and character 3, decoded to UTF-8.
    std::string extension;
    // 0 when the count field does not start with a number.
    int pieceCount = 0;
    // Bytes present in the file (up to the tag's size when read from bytes).
    std::uint64_t firstPieceLength = 0;
};

// `firstBytes` are the file's first bytes; only the first 8 are looked at.
PanelTag ReadPanelTag(std::span<const unsigned char> firstBytes);

// Opens the first piece for reading, reads its tag and closes it. File errors propagate
// as CFileException.
PanelTag ReadPanelTagFromFile(const std::string& firstPiecePath);

// The joined file's extension, decoded to UTF-8: the stored field followed by the tag's
// byte 3 (unless it is a zero byte, which no tag holds there), without the blanks that pad
// its end.
std::string JoinedExtension(std::string_view storedExtension, unsigned char tagByte3);

// The join reader: byte 3 of the open first piece completes `storedExtension`. Leaves the
// piece positioned at offset 8, where its data start.
std::string ReadJoinedExtension(CFile& firstPiece, std::string_view storedExtension);

// Whether an own-format join may go ahead. Besides a count of at least 1 and a first piece
// that holds the whole tag, the extension must not contain a path separator: no file name
// has one, and the joined file would land outside the destination folder; nor, on Windows,
// a character no name holds there (":" would write into a stream of another file).
bool IsJoinableTag(int pieceCount, std::uint64_t firstPieceLength,
                   std::string_view joinedExtension);

}  // namespace scx::pieces
