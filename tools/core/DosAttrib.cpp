#include "DosAttrib.h"

#include <charconv>
#include <utility>

namespace scx::dosattrib {

namespace {

constexpr std::uint32_t kValidAttributes = 0x01;
constexpr std::uint32_t kValidCreationTime = 0x10;

// 100 ns units between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kNtEpochOffset = 116444736000000000;
constexpr std::int64_t kNtUnitsPerSecond = 10000000;

// NDR aligns each field to its size, or to 4 bytes for 64-bit ones, counted from the
// value's start.
constexpr std::size_t Aligned(std::size_t offset, std::size_t size) {
    const std::size_t alignment = size < 4 ? size : 4;
    return (offset + alignment - 1) / alignment * alignment;
}

class Reader {
  public:
    Reader(std::string_view bytes, std::size_t offset) : m_bytes(bytes), m_offset(offset) {}

    // 0 past the end, which makes the reader incomplete.
    template <class T>
    T Next() {
        m_offset = Aligned(m_offset, sizeof(T));
        if (m_offset > m_bytes.size() || m_bytes.size() - m_offset < sizeof(T)) {
            m_complete = false;
            return 0;
        }
        T value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            value |= static_cast<T>(static_cast<unsigned char>(m_bytes[m_offset + i])) << (8 * i);
        }
        m_offset += sizeof(T);
        return value;
    }
    bool Complete() const { return m_complete; }

  private:
    std::string_view m_bytes;
    std::size_t m_offset;
    bool m_complete = true;
};

class Writer {
  public:
    template <class T>
    void Put(T value) {
        m_bytes.resize(Aligned(m_bytes.size(), sizeof(T)));
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            m_bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    }
    void Text(std::string_view text) {
        m_bytes += text;
        m_bytes.push_back('\0');
    }
    std::string Get() && { return std::move(m_bytes); }

  private:
    std::string m_bytes;
};

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

// The text of every version, which Wine reads. Zeros in front bring it to 2, 3, 6, 7 or
// 10 digits: the kernel's SMB server reads the union's level as 32 bits, which
// lands on the record only when the version falls 2 bytes past a multiple of 4. Samba
// and Wine read the number whatever its zeros.
std::string HexText(std::uint32_t attributes) {
    char digits[8];
    const std::size_t count = static_cast<std::size_t>(
        std::to_chars(digits, digits + sizeof digits, attributes, 16).ptr - digits);
    std::size_t width = count;
    while (width % 4 != 2 && width % 4 != 3) {
        ++width;
    }
    return "0x" + std::string(width - count, '0') + std::string(digits, count);
}

std::optional<DosInfo> DecodeRecord(Reader reader) {
    const auto version = reader.Next<std::uint16_t>();
    const auto level = reader.Next<std::uint16_t>();  // the union's, repeating the version
    if (!reader.Complete() || level != version || version == 2 || version < 1 || version > 5) {
        return std::nullopt;
    }
    DosInfo info;
    Record& record = info.record;
    record.version = version;
    if (version != 1) {
        record.validFlags = reader.Next<std::uint32_t>();
    }
    info.attributes = reader.Next<std::uint32_t>();
    if (version <= 3) {
        record.eaSize = reader.Next<std::uint32_t>();
        record.size = reader.Next<std::uint64_t>();
        record.allocationSize = reader.Next<std::uint64_t>();
    } else if (version == 4) {
        record.itime = reader.Next<std::uint64_t>();
    }
    record.creationTime = reader.Next<std::uint64_t>();
    if (version <= 3) {
        record.changeTime = reader.Next<std::uint64_t>();
    }
    if (!reader.Complete()) {
        return std::nullopt;  // cut short
    }
    // Version 1 has no valid flags: every field of it is.
    const bool creationValid = version == 1 || (record.validFlags & kValidCreationTime) != 0;
    if (creationValid && record.creationTime != 0) {
        info.creation = FromNtTime(record.creationTime);
    }
    return info;
}

}  // namespace

FileTime FromNtTime(std::uint64_t ntTime) {
    // Unsigned: a stored time may be anything.
    const auto units = static_cast<std::int64_t>(ntTime - std::uint64_t{kNtEpochOffset});
    std::int64_t seconds = units / kNtUnitsPerSecond;
    std::int64_t rest = units % kNtUnitsPerSecond;
    if (rest < 0) {
        --seconds;
        rest += kNtUnitsPerSecond;
    }
    return {seconds, static_cast<std::int32_t>(rest * 100)};
}

std::uint64_t ToNtTime(const FileTime& time) {
    // Unsigned, as FromNtTime: what it gives comes back unchanged.
    return static_cast<std::uint64_t>(time.seconds) * kNtUnitsPerSecond +
           static_cast<std::uint64_t>(time.nanoseconds / 100) + kNtEpochOffset;
}

std::optional<DosInfo> Decode(std::string_view value) {
    const std::size_t nul = value.find('\0');
    const std::string_view text = value.substr(0, nul);
    if (nul != std::string_view::npos) {
        if (auto info = DecodeRecord(Reader(value, nul + 1))) {
            return info;
        }
    }
    if (const auto attributes = ParseHexText(text)) {
        return DosInfo{*attributes, std::nullopt};
    }
    return std::nullopt;
}

// A value without a record we read becomes version 3, the one version that Samba (1
// to 5), the kernel's SMB server (3 and 4) and Wine (the text, which Samba writes only
// in versions 1 and 3) all read; so does version 1, whose fields version 3 all has.
// Samba 4.17 writes version 5 with an empty text, which neither of the others reads; a
// record of version 4 or 5 keeps its version all the same, and gains the text.
std::string Encode(const DosInfo& info) {
    Record record = info.record;
    if (record.version == 1) {
        record.version = 3;
    } else if (record.version < 3 || record.version > 5) {
        record = Record{};
        record.version = 3;
    }
    record.validFlags |= kValidAttributes;
    if (info.creation) {
        record.validFlags |= kValidCreationTime;
        record.creationTime = ToNtTime(*info.creation);
    } else {
        record.validFlags &= ~kValidCreationTime;
    }

    Writer out;
    out.Text(HexText(info.attributes));
    out.Put(record.version);
    out.Put(record.version);  // the union's level
    out.Put(record.validFlags);
    out.Put(info.attributes);
    if (record.version == 3) {
        out.Put(record.eaSize);
        out.Put(record.size);
        out.Put(record.allocationSize);
    } else if (record.version == 4) {
        out.Put(record.itime);
    }
    out.Put(record.creationTime);
    if (record.version == 3) {
        out.Put(record.changeTime);
    }
    return std::move(out).Get();
}

}  // namespace scx::dosattrib
