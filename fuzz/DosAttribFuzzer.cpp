// libFuzzer target: the "user.DOSATTRIB" reader on any value. Besides crashes and
// sanitizer reports it checks that whatever it reads is written back and read again
// unchanged: the attributes, the creation time and every field of the record it keeps.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "DosAttrib.h"

namespace {

using namespace scx::dosattrib;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto info = Decode(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!info) {
        return 0;
    }
    const auto again = Decode(Encode(*info));
    Check(again.has_value());
    Check(again->attributes == info->attributes && again->creation == info->creation);
    Record kept = info->record;
    if (kept.version == 0 || kept.version == 1) {
        kept.version = 3;  // the text alone, a version not read, or version 1 becomes 3
    }
    // Flags for what the value now holds.
    kept.validFlags |= 0x01;
    if (info->creation) {
        kept.validFlags |= 0x10;
    } else {
        kept.validFlags &= ~std::uint32_t{0x10};
    }
    Check(again->record == kept);
    return 0;
}
