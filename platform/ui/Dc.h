#pragma once
// A device context: what a dialog's OnPaint draws with. Coordinates are client-area
// pixels; each backend implements it over its own painter.

#include <cstdint>
#include <string>
#include <vector>

#include "WinDefs.h"

namespace scx {

using COLORREF = std::uint32_t;  // 0x00BBGGRR, as the platform packs it

constexpr COLORREF RGB(unsigned red, unsigned green, unsigned blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}
constexpr unsigned GetRValue(COLORREF c) {
    return c & 0xFF;
}
constexpr unsigned GetGValue(COLORREF c) {
    return (c >> 8) & 0xFF;
}
constexpr unsigned GetBValue(COLORREF c) {
    return (c >> 16) & 0xFF;
}

struct CPoint {
    int x = 0;
    int y = 0;
};

// Right and bottom lie just outside, as the platform counts them.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

namespace win {
// System colours.
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_BTNFACE = 15;

// DrawText formats.
inline constexpr UINT DT_TOP = 0x0;
inline constexpr UINT DT_CENTER = 0x1;
inline constexpr UINT DT_VCENTER = 0x4;
inline constexpr UINT DT_WORDBREAK = 0x10;
inline constexpr UINT DT_SINGLELINE = 0x20;

// Background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
}  // namespace win

class CDC {
  public:
    virtual ~CDC() = default;

    // The desktop theme's colour `index` (COLOR_*).
    virtual COLORREF GetSysColor(int index) const = 0;
    // Lines are one pixel wide, in this colour.
    virtual void SetPenColor(COLORREF color) = 0;
    virtual void SetTextColor(COLORREF color) = 0;
    // TRANSPARENT leaves what lies behind text; OPAQUE fills its box first.
    virtual void SetBkMode(int mode) = 0;
    // Straight lines through `points`, both ends included.
    virtual void Polyline(const std::vector<CPoint>& points) = 0;
    // `text` (UTF-8) laid out in `rect` by DT_* `format`, clipped to `rect`.
    virtual void DrawText(const std::string& text, const CRect& rect, win::UINT format) = 0;
};

}  // namespace scx
