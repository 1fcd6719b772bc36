#pragma once
// The package archive (".pck"): a text header readable in any editor, then the members'
// bytes one after the other.
//
//   @scindarexpack;@begin;@meta;{scindarex;2.01;1;AUTHOR;CONTENT;COMMENT;}
//   @struct;{#f(NAME;SIZE;POSITION;#f(NAME;SIZE;POSITION;...}@end;DATA
//
// ";" ends every field and section name and can occur in none of them. SIZE and POSITION
// are decimal, POSITION counted from the first byte of DATA (the first member is at 0,
// each next one at the previous position plus size). The header's length is stored
// nowhere: the data area starts after "@end;". Sizes are signed 32-bit in every reader of
// the format, so the data area holds at most 2 147 483 647 bytes.
//
// Texts are one byte per character in Windows-1252, as archives made on French Windows
// machines hold them, unless a character lacks there: the field is then UTF-8. A field
// that is valid UTF-8 is read as UTF-8, any other as Windows-1252. The comment's line
// breaks are CR LF pairs whatever the platform.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scx::archive {

inline constexpr std::string_view kFixedStart = "@scindarexpack;@begin;@meta;{scindarex;";
inline constexpr std::string_view kWrittenVersion = "2.01";
inline constexpr std::string_view kWrittenRevision = "1";
inline constexpr double kReaderVersion = 2.01;
inline constexpr double kReaderRevision = 1;
inline constexpr std::int64_t kMaxDataBytes = 2147483647;
// A field (property, name, number) longer than this, as stored, makes a header corrupt,
// so that the reader's memory and time stay bounded whatever the file. The writer refuses
// a property that long; no file system gives a name that long.
inline constexpr std::size_t kMaxFieldBytes = 65536;
// Longer names cannot take the "Copie_de_" prefix; counted in bytes of the stored name.
inline constexpr std::size_t kMaxPrefixableNameBytes = 117;

// The three properties, in UTF-8; the comment's line breaks as CR LF.
struct ArchiveProperties {
    std::string author;
    std::string content;
    std::string comment;
};

// One directory entry as stored: the name in UTF-8, the two numbers as their text.
struct ArchiveEntry {
    std::string name;
    std::string sizeText;
    std::string positionText;

    bool operator==(const ArchiveEntry&) const = default;
};

// The entry name of the file at `path`: its name without any folder.
std::string EntryNameOf(std::string_view path);

// A header text (a property or a name, UTF-8) as the header stores it.
std::string EncodeHeaderText(std::string_view text);
// The UTF-8 text of a stored field.
std::string DecodeHeaderText(std::string_view stored);

// Line feeds not already preceded by a carriage return become CR LF.
std::string WithCrLf(std::string_view text);
// CR LF pairs become line feeds.
std::string WithLineFeeds(std::string_view text);

// Whether a name can be extracted into a folder without leaving it or naming something
// else, judged the same on every platform so that an archive extracts alike everywhere:
// not empty; no "/", "\", zero byte or ":" (a drive or a stream on Windows); not ending
// in "." or a blank (Windows drops them, so "..." and ".. " name a folder there); not a
// device of Windows (CON, NUL, COM1, LPT1...) in any case, with or without an extension.
bool IsExtractableName(std::string_view name);

// Whether a file of this name can be a member: one that reads back as written (no ";")
// and that an extraction would write.
bool IsStorableName(std::string_view name);

// Digits only, at least one, within 64 bits: how a size or position must be stored.
std::optional<std::int64_t> ParsePlainDecimal(std::string_view text);

// The number at the start of `text` as the C library's atof reads it in the "C" locale
// (blanks, sign, decimal or hexadecimal digits, exponent, "inf", "nan"); 0 when none.
double ParseLeadingDouble(std::string_view text);

// The progress bar after `done` of `total` bytes: done / total * 100 in double precision,
// in that order, truncated; 100 when there is nothing to move.
int ProgressPercent(std::int64_t done, std::int64_t total);

}  // namespace scx::archive
