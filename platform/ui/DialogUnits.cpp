#include "DialogUnits.h"

#include <cstdint>
#include <cstdlib>

namespace scx {

int MulDiv(int a, int b, int c) {
    if (c == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t divisor = std::llabs(c);
    const std::int64_t quotient = (std::llabs(product) + divisor / 2) / divisor;
    return static_cast<int>(negative ? -quotient : quotient);
}

PixelRect DialogUnitsToPixels(const Rect16& rect, BaseUnits units) {
    return {MulDiv(rect.x, units.x, 4), MulDiv(rect.y, units.y, 8), MulDiv(rect.cx, units.x, 4),
            MulDiv(rect.cy, units.y, 8)};
}

}  // namespace scx
