#pragma once
// Dialog units to pixels, by the dialog manager's rule: a horizontal unit is a quarter of
// the font's average character width, a vertical unit an eighth of its height.

#include <QRect>

#include "DialogTemplate.h"

class QFont;

namespace scx {

struct BaseUnits {
    int x = 0;  // average character width in pixels
    int y = 0;  // character height in pixels
};

// a * b / c in 64 bits, rounded half away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// baseX = (width of "A..Za..z" / 26 + 1) / 2, baseY = the font's height.
BaseUnits ComputeBaseUnits(const QFont& font);

QRect DialogUnitsToPixels(const Rect16& rect, BaseUnits units);

}  // namespace scx
