#include "DialogUnits.h"

#include <QFont>
#include <QFontMetrics>
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

BaseUnits ComputeBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(width / 26 + 1) / 2, metrics.height()};
}

QRect DialogUnitsToPixels(const Rect16& rect, BaseUnits units) {
    return QRect(MulDiv(rect.x, units.x, 4), MulDiv(rect.y, units.y, 8),
                 MulDiv(rect.cx, units.x, 4), MulDiv(rect.cy, units.y, 8));
}

}  // namespace scx
