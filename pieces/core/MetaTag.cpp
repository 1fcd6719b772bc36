#include "MetaTag.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "DecimalText.h"
#include "File.h"
#include "TextEncoding.h"

namespace scx::pieces {

namespace {

constexpr unsigned char kBlank = 0x20;
constexpr std::size_t kExtensionField = 3;  // bytes 0-2
constexpr std::size_t kExtensionFourthByte = 3;
constexpr std::size_t kCountField = 5;  // bytes 5-7
constexpr std::size_t kCountDigits = 3;

// The longest prefix of whole characters that fits in `maxBytes`. A byte that starts no
// valid UTF-8 character counts as a character of its own.
std::string_view WholeCharacterPrefix(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t length = std::max<std::size_t>(Utf8CharacterLength(text, end), 1);
        if (end + length > maxBytes) {
            break;
        }
        end += length;
    }
    return text.substr(0, end);
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == static_cast<char>(kBlank)) {
        text.remove_suffix(1);
    }
    return text;
}

// One byte per character in Windows-1252, as sets cut on Windows hold, so that a three- or
// four-character extension such as "été" or "mp€" fits whole; four bytes are stored whole,
// anything longer is cut to three. UTF-8 for an extension that code page cannot hold, and
// wherever the stored Windows-1252 bytes would read back as other UTF-8 characters.
std::string StoredExtensionBytes(std::string_view extension) {
    if (const std::optional<std::string> windows1252 = Utf8ToWindows1252(extension)) {
        const std::string stored = windows1252->size() == kExtensionField + 1
                                       ? *windows1252
                                       : windows1252->substr(0, kExtensionField);
        if (!IsValidUtf8(stored) || Windows1252ToUtf8(stored) == stored) {
            return stored;
        }
    }
    return std::string(extension.size() == kExtensionField + 1
                           ? extension
                           : WholeCharacterPrefix(extension, kExtensionField));
}

}  // namespace

MetaTag BuildMetaTag(std::string_view extension, int pieceCount) {
    if (pieceCount < 1 || pieceCount > kMaxTaggedPieceCount) {
        throw std::invalid_argument("piece count outside 1..999 cannot be tagged");
    }
    MetaTag tag;
    tag.fill(kBlank);
    const std::string stored = StoredExtensionBytes(extension);
    std::copy(stored.begin(), stored.end(), tag.begin());
    tag[kCountField + 0] = static_cast<unsigned char>('0' + pieceCount / 100);
    tag[kCountField + 1] = static_cast<unsigned char>('0' + pieceCount / 10 % 10);
    tag[kCountField + 2] = static_cast<unsigned char>('0' + pieceCount % 10);
    return tag;
}

PanelTag ReadPanelTag(std::span<const unsigned char> firstBytes) {
    const std::span<const unsigned char> bytes =
        firstBytes.first(std::min(firstBytes.size(), kMetaTagSize));
    // Missing bytes count as zero bytes, so the text simply ends where the file does.
    const auto zero = std::find(bytes.begin(), bytes.end(), 0);
    const std::string text(bytes.begin(), zero);

    PanelTag tag;
    tag.firstPieceLength = bytes.size();
    tag.storedExtension = text.substr(0, std::min(text.size(), kExtensionField));
    const unsigned char fourth = text.size() > kExtensionFourthByte
                                     ? static_cast<unsigned char>(text[kExtensionFourthByte])
                                     : kBlank;
    tag.extension = JoinedExtension(tag.storedExtension, fourth);
    if (text.size() > kCountField) {
        tag.pieceCount = static_cast<int>(
            ParseLeadingDecimal(std::string_view(text).substr(kCountField, kCountDigits)));
    }
    return tag;
}

PanelTag ReadPanelTagFromFile(const std::string& firstPiecePath) {
    CFile file(firstPiecePath, CFile::modeRead | CFile::shareExclusive);
    MetaTag bytes{};
    const std::size_t got = file.Read(bytes.data(), bytes.size());
    PanelTag tag = ReadPanelTag(std::span<const unsigned char>(bytes.data(), got));
    tag.firstPieceLength = file.GetLength();
    file.Close();
    return tag;
}

std::string JoinedExtension(std::string_view storedExtension, unsigned char tagByte3) {
    std::string raw(storedExtension);
    if (tagByte3 != 0) {
        raw += static_cast<char>(tagByte3);
    }
    // Only the blanks that end the four extension bytes pad it; "tx t" keeps its inner one.
    return DecodeUtf8OrWindows1252(WithoutTrailingBlanks(raw));
}

std::string ReadJoinedExtension(CFile& firstPiece, std::string_view storedExtension) {
    firstPiece.Seek(static_cast<std::int64_t>(kExtensionFourthByte), CFile::begin);
    unsigned char fourth = kBlank;
    if (firstPiece.Read(&fourth, 1) == 0) {
        fourth = kBlank;
    }
    firstPiece.Seek(static_cast<std::int64_t>(kMetaTagSize), CFile::begin);
    return JoinedExtension(storedExtension, fourth);
}

bool IsJoinableTag(int pieceCount, std::uint64_t firstPieceLength,
                   std::string_view joinedExtension) {
    return pieceCount >= 1 && firstPieceLength >= kMetaTagSize &&
           joinedExtension.find_first_of(CFile::kPathSeparators) == std::string_view::npos &&
           joinedExtension.find_first_of(CFile::kForbiddenNameCharacters) == std::string_view::npos;
}

}  // namespace scx::pieces
