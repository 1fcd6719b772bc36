// libFuzzer target: the META-TAG readers on any first bytes, and the writer on any
// extension. Besides crashes and sanitizer reports it checks that every extension the
// readers give is valid UTF-8 (it becomes part of a file name), that a count is read from
// three characters at most, and that whatever the writer stores reads back as a prefix of
// what it was given.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "MetaTag.h"
#include "TextEncoding.h"

namespace {

using namespace scx::pieces;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const PanelTag panel = ReadPanelTag(std::span<const unsigned char>(data, size));
    Check(IsValidUtf8(panel.extension));
    Check(panel.pieceCount >= -99 && panel.pieceCount <= 999);
    Check(panel.storedExtension.size() <= 3);
    const unsigned char fourth = size > 3 ? data[3] : 0;
    Check(IsValidUtf8(JoinedExtension(panel.storedExtension, fourth)));

    // The bytes as an extension: a zero byte or a blank never comes from a file name's
    // extension, and blanks at its end would be taken for padding.
    const std::string_view extension(reinterpret_cast<const char*>(data), size);
    if (!IsValidUtf8(extension) || extension.find('\0') != std::string_view::npos ||
        extension.ends_with(' ')) {
        return 0;
    }
    const MetaTag tag = BuildMetaTag(extension, 1 + static_cast<int>(size % 999));
    const PanelTag back = ReadPanelTag(tag);
    Check(back.pieceCount == 1 + static_cast<int>(size % 999));
    Check(extension.starts_with(back.extension));
    Check(JoinedExtension(back.storedExtension, tag[3]) == back.extension);
    return 0;
}
