#pragma once
// The device context over a window's HDC, in the dialog's font.

#include "Dc.h"
#include "Handles.h"

namespace scx::win32 {

class Win32Dc : public CDC {
  public:
    // Selects `dialog`'s font into `dc` for the life of this object.
    Win32Dc(Hdc dc, Hwnd dialog);
    ~Win32Dc() override;
    Win32Dc(const Win32Dc&) = delete;
    Win32Dc& operator=(const Win32Dc&) = delete;

    COLORREF GetSysColor(int index) const override;
    void SetPenColor(COLORREF color) override;
    void SetTextColor(COLORREF color) override;
    void SetBkMode(int mode) override;
    void Polyline(const std::vector<CPoint>& points) override;
    void DrawText(const std::string& text, const CRect& rect, win::UINT format) override;

  private:
    Hdc m_dc;
    void* m_previousFont;
    COLORREF m_penColor = 0;
};

}  // namespace scx::win32
