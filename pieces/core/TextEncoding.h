#pragma once
// The two encodings a piece's extension field can hold: UTF-8, which this program writes,
// and Windows-1252, the ANSI code page of the French Windows machines that cut older sets.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace scx::pieces {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Length of the well-formed UTF-8 character starting at `bytes[at]`, or 0 when none starts
// there.
std::size_t Utf8CharacterLength(std::string_view bytes, std::size_t at);

// Every byte as its Windows-1252 character. The five bytes that code page leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same value, as
// Windows converts them.
std::string Windows1252ToUtf8(std::string_view bytes);

// The Windows-1252 bytes of valid UTF-8 `text`, one per character; none when `text` is not
// valid UTF-8 or holds a character that code page lacks (its five unassigned bytes
// included, which no text means).
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

// UTF-8 as it is; anything else taken as Windows-1252.
std::string DecodeUtf8OrWindows1252(std::string_view bytes);

}  // namespace scx::pieces
