#include "DosAttrib.h"

#include <charconv>

namespace scx::dosattrib {

namespace {

constexpr std::uint32_t kValidAttributes = 0x01;
constexpr std::uint32_t kValidCreationTime = 0x10;

// 100 ns units between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kNtEpochOffset = 116444736000000000;
constexpr std::int64_t kNtUnitsPerSecond = 10000000;

class Reader {
  public:
    Reader(std::string_view bytes, std::size_t offset) : m_bytes(bytes), m_offset(offset) {}

    template <class T>
    std::optional<T> Next() {
        if (m_offset + sizeof(T) > m_bytes.size()) {
            return std::nullopt;
        }
        T value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            value |= static_cast<T>(static_cast<unsigned char>(m_bytes[m_offset + i])) << (8 * i);
        }
        m_offset += sizeof(T);
        return value;
    }

  private:
    std::string_view m_bytes;
    std::size_t m_offset;
};

template <class T>
void Append(std::string& out, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::optional<std::uint32_t> ParseHexText(std::string_view text) {
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 2, end, value, 16);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<DosInfo> DecodeBinary(Reader reader) {
    const auto version = reader.Next<std::uint16_t>();
    const auto repeated = reader.Next<std::uint32_t>();
    if (!version || !repeated || *repeated != *version) {
        return std::nullopt;
    }
    if (*version < 3 || *version > 5) {
        return std::nullopt;
    }
    const auto flags = reader.Next<std::uint32_t>();
    const auto attributes = reader.Next<std::uint32_t>();
    std::optional<std::uint64_t> creation;
    if (*version == 3) {
        const bool sizes = reader.Next<std::uint32_t>() && reader.Next<std::uint64_t>() &&
                           reader.Next<std::uint64_t>();
        creation = sizes ? reader.Next<std::uint64_t>() : std::nullopt;
    } else if (*version == 4) {
        creation = reader.Next<std::uint64_t>() ? reader.Next<std::uint64_t>() : std::nullopt;
    } else {
        creation = reader.Next<std::uint64_t>();
    }
    if (!creation) {
        return std::nullopt;  // cut short
    }
    DosInfo info;
    if (*flags & kValidAttributes) {
        info.attributes = *attributes;
    }
    if ((*flags & kValidCreationTime) && *creation != 0) {
        info.creation = FromNtTime(*creation);
    }
    return info;
}

}  // namespace

FileTime FromNtTime(std::uint64_t ntTime) {
    const std::int64_t units = static_cast<std::int64_t>(ntTime) - kNtEpochOffset;
    std::int64_t seconds = units / kNtUnitsPerSecond;
    std::int64_t rest = units % kNtUnitsPerSecond;
    if (rest < 0) {
        --seconds;
        rest += kNtUnitsPerSecond;
    }
    return {seconds, static_cast<std::int32_t>(rest * 100)};
}

std::uint64_t ToNtTime(const FileTime& time) {
    return static_cast<std::uint64_t>(time.seconds * kNtUnitsPerSecond + time.nanoseconds / 100 +
                                      kNtEpochOffset);
}

std::optional<DosInfo> Decode(std::string_view value) {
    const std::size_t nul = value.find('\0');
    const std::string_view text = value.substr(0, nul);
    if (nul != std::string_view::npos) {
        const std::size_t binary = (nul + 1 + 1) & ~std::size_t{1};
        if (auto info = DecodeBinary(Reader(value, binary))) {
            return info;
        }
    }
    // The text alone: old writers, or a binary record of a version we do not read.
    if (const auto attributes = ParseHexText(text)) {
        return DosInfo{*attributes, std::nullopt};
    }
    return std::nullopt;
}

std::string Encode(const DosInfo& info) {
    constexpr std::uint16_t kVersion = 3;
    char text[16];
    const auto [end, error] = std::to_chars(text, text + sizeof text, info.attributes, 16);
    std::string out = "0x" + std::string(text, error == std::errc() ? end : text);
    out.push_back('\0');
    if (out.size() % 2 != 0) {
        out.push_back('\0');
    }
    Append(out, kVersion);
    Append(out, std::uint32_t{kVersion});
    Append(out, kValidAttributes | (info.creation ? kValidCreationTime : 0));
    Append(out, info.attributes);
    Append(out, std::uint32_t{0});  // EA size
    Append(out, std::uint64_t{0});  // size
    Append(out, std::uint64_t{0});  // allocation size
    Append(out, info.creation ? ToNtTime(*info.creation) : std::uint64_t{0});
    Append(out, std::uint64_t{0});  // change time
    return out;
}

}  // namespace scx::dosattrib
