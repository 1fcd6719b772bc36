#include "SourcePanel.h"

#include "DecimalText.h"
#include "File.h"
#include "HJSplitPieces.h"

namespace scx::app {

namespace {

constexpr int kSignificantDigits = 8;

struct SizeUnit {
    unsigned shift;  // the unit is 2^shift bytes
    std::string_view text;
};

SizeUnit UnitFor(std::uint64_t bytes) {
    if (bytes < (std::uint64_t{1} << 10)) {
        return {0, "   octets"};
    }
    if (bytes < (std::uint64_t{1} << 20)) {
        return {10, "   ko"};
    }
    return {20, "   Mo"};
}

std::uint64_t PowerOfTen(int exponent) {
    std::uint64_t value = 1;
    while (exponent-- > 0) {
        value *= 10;
    }
    return value;
}

}  // namespace

std::string FormatFileSize(std::uint64_t bytes) {
    const SizeUnit unit = UnitFor(bytes);
    // Exact arithmetic on whole units and the remainder: the value is whole + rest / 2^shift,
    // and rest < 2^20 times at most 10^7 stays far inside 64 bits.
    std::uint64_t whole = bytes >> unit.shift;
    const std::uint64_t rest = bytes & ((std::uint64_t{1} << unit.shift) - 1);
    const int wholeDigits = static_cast<int>(std::to_string(whole).size());
    const int decimals = wholeDigits < kSignificantDigits ? kSignificantDigits - wholeDigits : 0;
    const std::uint64_t scale = PowerOfTen(decimals);

    std::uint64_t fraction = 0;
    if (unit.shift > 0) {
        const std::uint64_t half = std::uint64_t{1} << (unit.shift - 1);
        fraction = (rest * scale + half) >> unit.shift;
    }
    if (fraction == scale) {  // rounded up into the next whole unit: 1023.99999 -> 1024.
        ++whole;
        fraction = 0;
    }

    std::string text = std::to_string(whole) + ".";
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, static_cast<std::size_t>(decimals) - digits.size(), '0');
        digits.erase(digits.find_last_not_of('0') + 1);
        text += digits;
    }
    text += unit.text;
    return text;
}

std::int64_t ParseSizeText(std::string_view text) {
    return pieces::ParseLeadingDecimal(text);
}

InformationLines FileToCutLines(std::string_view pieceCountPrefix, std::uint64_t pieceCount,
                                std::string_view partitionPrefix, std::int64_t partitionKb) {
    return {std::string(pieceCountPrefix) + std::to_string(pieceCount),
            std::string(partitionPrefix) + std::to_string(partitionKb)};
}

InformationLines FirstPieceLines(std::string_view extensionPrefix, std::string_view extension,
                                 std::string_view pieceCountPrefix, std::int64_t pieceCount) {
    return {std::string(extensionPrefix) + std::string(extension),
            std::string(pieceCountPrefix) + std::to_string(pieceCount)};
}

std::optional<HJSplitPanel> DescribeHJSplitFirstPiece(std::string_view folder,
                                                      std::string_view baseName) {
    std::optional<std::string> extension = pieces::HJSplitExtension(baseName);
    if (!extension) {
        return std::nullopt;
    }
    return HJSplitPanel{std::move(*extension), pieces::CountHJSplitPieces(folder, baseName)};
}

SourcePathParts SplitSourcePath(std::string_view path, std::string_view extension) {
    const std::size_t separator = path.find_last_of(CFile::kPathSeparators);
    const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    SourcePathParts parts{std::string(path.substr(0, nameStart)),
                          std::string(path.substr(nameStart))};
    const std::size_t suffixLength = extension.size() + 1;
    if (!extension.empty() && parts.title.size() >= suffixLength &&
        parts.title.compare(parts.title.size() - suffixLength, suffixLength,
                            "." + std::string(extension)) == 0) {
        parts.title.erase(parts.title.size() - suffixLength);
    }
    return parts;
}

}  // namespace scx::app
