#include "EscapedText.h"

namespace scx {

namespace {

void AppendByteEscape(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

std::string Escape(std::string_view text, bool doubleBackslash) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F in UTF-8.
        const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                        (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80;
        if (byte == '\\' && doubleBackslash) {
            out += "\\\\";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7F) {
            AppendByteEscape(out, byte);
        } else if (c1) {
            AppendByteEscape(out, byte);
            AppendByteEscape(out, static_cast<unsigned char>(text[++i]));
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string EscapeControlCharacters(std::string_view text) {
    return Escape(text, false);
}

std::string EscapeForListing(std::string_view text) {
    return Escape(text, true);
}

}  // namespace scx
