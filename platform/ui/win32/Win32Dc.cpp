#include "Win32Dc.h"

#include "Win32Paths.h"

// After our headers: see SystemHeaders.h.
#include "SystemHeaders.h"

namespace scx::win32 {

Win32Dc::Win32Dc(Hdc dc, Hwnd dialog)
    : m_dc(dc),
      m_previousFont(
          SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)))) {}

Win32Dc::~Win32Dc() {
    SelectObject(m_dc, static_cast<HGDIOBJ>(m_previousFont));
}

COLORREF Win32Dc::GetSysColor(int index) const {
    return ::GetSysColor(index);
}

void Win32Dc::SetPenColor(COLORREF color) {
    m_penColor = color;
}

void Win32Dc::SetTextColor(COLORREF color) {
    ::SetTextColor(m_dc, color);
}

void Win32Dc::SetBkMode(int mode) {
    ::SetBkMode(m_dc, mode);
}

void Win32Dc::Polyline(const std::vector<CPoint>& points) {
    if (points.empty()) {
        return;
    }
    std::vector<POINT> system;
    for (const CPoint& point : points) {
        system.push_back({point.x, point.y});
    }
    HPEN pen = CreatePen(PS_SOLID, 1, m_penColor);
    HGDIOBJ previous = SelectObject(m_dc, pen);
    ::Polyline(m_dc, system.data(), static_cast<int>(system.size()));
    // The system leaves the last point out.
    SetPixelV(m_dc, system.back().x, system.back().y, m_penColor);
    SelectObject(m_dc, previous);
    DeleteObject(pen);
}

void Win32Dc::DrawText(const std::string& text, const CRect& rect, win::UINT format) {
    RECT box{rect.left, rect.top, rect.right, rect.bottom};
    std::wstring wide = Widen(text);
    DrawTextW(m_dc, wide.data(), static_cast<int>(wide.size()), &box, format);
}

}  // namespace scx::win32
