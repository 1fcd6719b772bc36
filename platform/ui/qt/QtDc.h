#pragma once
// The device context over a QPainter, with the widget's palette as the system colours.

#include <QPalette>

#include "Dc.h"

class QPainter;

namespace scx {

class QtDc : public CDC {
  public:
    QtDc(QPainter& painter, const QPalette& palette);

    COLORREF GetSysColor(int index) const override;
    void SetPenColor(COLORREF color) override;
    void SetTextColor(COLORREF color) override;
    void SetBkMode(int mode) override;
    void Polyline(const std::vector<CPoint>& points) override;
    void DrawText(const std::string& text, const CRect& rect, win::UINT format) override;

  private:
    QPainter& m_painter;
    QPalette m_palette;
    COLORREF m_penColor = 0;
    COLORREF m_textColor = 0;
};

}  // namespace scx
