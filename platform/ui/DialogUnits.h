#pragma once
// Dialog units to pixels, by the dialog manager's rule: a horizontal unit is a quarter of
// the font's average character width, a vertical unit an eighth of its height. Each
// backend measures the base units of its font.

#include "DialogTemplate.h"

namespace scx {

struct BaseUnits {
    int x = 0;  // average character width in pixels: (width of "A..Za..z" / 26 + 1) / 2
    int y = 0;  // character height in pixels
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// a * b / c in 64 bits, rounded half away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

PixelRect DialogUnitsToPixels(const Rect16& rect, BaseUnits units);

}  // namespace scx
