#include "QtDc.h"

#include <QPainter>

namespace scx {

using namespace win;

namespace {

QColor ToQColor(COLORREF color) {
    return QColor(static_cast<int>(GetRValue(color)), static_cast<int>(GetGValue(color)),
                  static_cast<int>(GetBValue(color)));
}

COLORREF ToColorRef(const QColor& color) {
    return RGB(static_cast<unsigned>(color.red()), static_cast<unsigned>(color.green()),
               static_cast<unsigned>(color.blue()));
}

}  // namespace

QtDc::QtDc(QPainter& painter, const QPalette& palette) : m_painter(painter), m_palette(palette) {}

COLORREF QtDc::GetSysColor(int index) const {
    switch (index) {
        case COLOR_WINDOW:
            return ToColorRef(m_palette.color(QPalette::Base));
        case COLOR_BTNFACE:
            return ToColorRef(m_palette.color(QPalette::Window));
        default:
            return ToColorRef(m_palette.color(QPalette::WindowText));
    }
}

void QtDc::SetPenColor(COLORREF color) {
    m_penColor = color;
}

void QtDc::SetTextColor(COLORREF color) {
    m_textColor = color;
}

void QtDc::SetBkMode(int mode) {
    m_painter.setBackgroundMode(mode == TRANSPARENT ? Qt::TransparentMode : Qt::OpaqueMode);
}

void QtDc::Polyline(const std::vector<CPoint>& points) {
    m_painter.setPen(QPen(ToQColor(m_penColor), 0));
    QPolygon polygon;
    for (const CPoint& point : points) {
        polygon << QPoint(point.x, point.y);
    }
    m_painter.drawPolyline(polygon);
}

void QtDc::DrawText(const std::string& text, const CRect& rect, UINT format) {
    const QRect box(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
    int flags = (format & DT_CENTER) != 0 ? Qt::AlignHCenter : Qt::AlignLeft;
    if ((format & DT_SINGLELINE) != 0) {
        flags |=
            Qt::TextSingleLine | ((format & DT_VCENTER) != 0 ? Qt::AlignVCenter : Qt::AlignTop);
    } else {
        flags |= Qt::AlignTop | ((format & DT_WORDBREAK) != 0 ? Qt::TextWordWrap : 0);
    }
    m_painter.save();
    m_painter.setPen(ToQColor(m_textColor));
    m_painter.setClipRect(box);
    m_painter.drawText(box, flags, QString::fromStdString(text));
    m_painter.restore();
}

}  // namespace scx
