#include "ChecksumFile.h"

#include <algorithm>
#include <set>

#include "File.h"
#include "Sha256.h"

namespace scx::pieces {

namespace {

constexpr std::string_view kSeparator = "  ";

bool IsLowerHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// Whether the name stays inside the folder it is read from.
bool IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

ChecksumListing Fault(ChecksumListing listing, ChecksumFault fault, std::size_t line) {
    listing.fault = fault;
    listing.faultLine = line;
    return listing;
}

}  // namespace

const ChecksumEntry* ChecksumListing::Find(std::string_view name) const {
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [&](const ChecksumEntry& entry) { return entry.name == name; });
    return it == entries.end() ? nullptr : &*it;
}

std::string ChecksumFilePath(std::string_view folder, std::string_view baseName) {
    std::string path(folder);
    path += baseName;
    path += kChecksumExtension;
    return path;
}

bool IsListableName(std::string_view name) {
    return IsPlainName(name) && std::none_of(name.begin(), name.end(), IsControl);
}

std::string FormatChecksumLines(const std::vector<ChecksumEntry>& entries) {
    std::string text;
    for (const ChecksumEntry& entry : entries) {
        text += entry.digest;
        text += kSeparator;
        text += entry.name;
        text += '\n';
    }
    return text;
}

ChecksumListing ParseChecksumText(std::string_view text) {
    ChecksumListing listing;
    std::set<std::string_view> names;
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        const bool shaped =
            line.size() > kSha256HexLength + kSeparator.size() &&
            std::all_of(line.begin(), line.begin() + kSha256HexLength, IsLowerHex) &&
            line.substr(kSha256HexLength, kSeparator.size()) == kSeparator;
        const std::string_view name =
            shaped ? line.substr(kSha256HexLength + kSeparator.size()) : std::string_view();
        if (!shaped || std::any_of(name.begin(), name.end(), IsControl)) {
            return Fault(std::move(listing), ChecksumFault::malformedLine, number);
        }
        if (!IsPlainName(name)) {
            return Fault(std::move(listing), ChecksumFault::unsafeName, number);
        }
        if (!names.insert(name).second) {
            return Fault(std::move(listing), ChecksumFault::duplicateName, number);
        }
        listing.entries.push_back(
            {std::string(line.substr(0, kSha256HexLength)), std::string(name)});
    }
    return listing;
}

ChecksumListing ReadChecksumFile(const std::string& path) {
    CFile file(path, CFile::modeRead | CFile::shareExclusive);
    const std::uint64_t length = file.GetLength();
    if (length > kMaxChecksumFileBytes) {
        return Fault({}, ChecksumFault::tooLarge, 0);
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    file.ReadExact(text.data(), text.size());
    file.Close();
    return ParseChecksumText(text);
}

void WriteChecksumFile(const std::string& path, const std::vector<ChecksumEntry>& entries) {
    const std::string text = FormatChecksumLines(entries);
    CFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    file.Write(text.data(), text.size());
    file.Close();
}

}  // namespace scx::pieces
