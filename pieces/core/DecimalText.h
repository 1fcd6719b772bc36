#pragma once
// Numbers kept as decimal text (the tag's piece count, sizes typed by the user) are read
// the way the C library's atoi reads them, but into 64 bits and without its undefined
// overflow.

#include <cstdint>
#include <string_view>

namespace scx::pieces {

// Leading white space skipped, an optional sign, then digits up to the first other
// character; no digits give 0. Values beyond the 64-bit range saturate at its ends.
std::int64_t ParseLeadingDecimal(std::string_view text);

}  // namespace scx::pieces
