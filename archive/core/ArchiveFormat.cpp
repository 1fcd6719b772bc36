#include "ArchiveFormat.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "File.h"
#include "TextEncoding.h"

namespace scx::archive {

namespace {

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Windows opens the device whatever the folder and whatever follows the first "." (blanks
// before it are dropped too).
bool IsWindowsDeviceName(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    stem = stem.substr(0, stem.find_last_not_of(' ') + 1);
    std::string upper(stem);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL" || upper == "CONIN$" ||
        upper == "CONOUT$") {
        return true;
    }
    if (!upper.starts_with("COM") && !upper.starts_with("LPT")) {
        return false;
    }
    // A digit, or the superscripts one to three that Windows takes for digits here.
    const std::string_view number = std::string_view(upper).substr(3);
    return (number.size() == 1 && IsDigit(number[0])) || number == "¹" || number == "²" ||
           number == "³";
}

}  // namespace

std::string EntryNameOf(std::string_view path) {
    const std::size_t separator = path.find_last_of(CFile::kPathSeparators);
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string EncodeHeaderText(std::string_view text) {
    // Windows-1252 only where a reader cannot take the bytes for UTF-8: "Ã©" would
    // otherwise come back as "é".
    if (const auto windows1252 = pieces::Utf8ToWindows1252(text)) {
        if (IsAscii(*windows1252) || !pieces::IsValidUtf8(*windows1252)) {
            return *windows1252;
        }
    }
    return std::string(text);
}

std::string DecodeHeaderText(std::string_view stored) {
    return pieces::DecodeUtf8OrWindows1252(stored);
}

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out += '\r';
        }
        out += text[i];
    }
    return out;
}

std::string WithLineFeeds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            out += text[i];
        }
    }
    return out;
}

bool IsExtractableName(std::string_view name) {
    return !name.empty() &&
           name.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos &&
           name.back() != '.' && name.back() != ' ' && !IsWindowsDeviceName(name);
}

bool IsStorableName(std::string_view name) {
    // Judged as read back: a name that is not UTF-8 comes back as Windows-1252.
    return name.find(';') == std::string_view::npos &&
           IsExtractableName(DecodeHeaderText(EncodeHeaderText(name)));
}

std::optional<std::int64_t> ParsePlainDecimal(std::string_view text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

double ParseLeadingDouble(std::string_view text) {
    // Blanks as isspace knows them in the "C" locale, then an optional sign.
    std::size_t i = std::min(text.find_first_not_of(" \t\n\v\f\r"), text.size());
    const bool negative = i < text.size() && text[i] == '-';
    i += i < text.size() && (text[i] == '+' || text[i] == '-') ? 1 : 0;
    std::chars_format format = std::chars_format::general;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        format = std::chars_format::hex;
        i += 2;
    }
    double value = 0;
    const char* first = text.data() + i;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value, format);
    if (end == first) {
        // "0x" without hexadecimal digits is the number 0 followed by an "x".
        return 0;
    }
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone; atof gives HUGE_VAL on overflow, 0 on underflow.
        const std::string_view number(first, static_cast<std::size_t>(end - first));
        const std::size_t exponent = number.find_first_of(
            format == std::chars_format::hex ? std::string_view("pP") : std::string_view("eE"));
        const bool negativeExponent = exponent != std::string_view::npos &&
                                      exponent + 1 < number.size() && number[exponent + 1] == '-';
        const std::string_view whole = number.substr(0, number.find_first_of(".eEpP"));
        const bool wholePart = whole.find_first_not_of('0') != std::string_view::npos;
        value = wholePart && !negativeExponent ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

int ProgressPercent(std::int64_t done, std::int64_t total) {
    if (total <= 0) {
        return 100;
    }
    return static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * 100);
}

}  // namespace scx::archive
