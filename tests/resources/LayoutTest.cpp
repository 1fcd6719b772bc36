// The texts of the dialogs laid out here fit their controls at 8 points, measured with
// the font that stands in for "MS Sans Serif" and the dialog-unit rule of the dialogs.

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

#include "Resources.h"

namespace scx::res {
namespace {

using namespace scx::win;

struct Units {
    int x;
    int y;
};

Units BaseUnits(const QFontMetrics& metrics) {
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(width / 26 + 1) / 2, metrics.height()};
}

int Scale(int value, int base, int divisor) {
    return (value * base + divisor / 2) / divisor;
}

// Room taken beside the text: a button's frame, a check box's box, a group box's margins.
constexpr int kButtonFrame = 8;
constexpr int kIndicator = 18;
constexpr int kGroupMargins = 16;

// The overflow of control `c` in pixels, as "width x height"; empty when the text fits.
QString Overflow(const ControlTemplate& c, const QFontMetrics& metrics, Units units) {
    const int width = Scale(c.rect.cx, units.x, 4);
    const int height = Scale(c.rect.cy, units.y, 8);
    const QString text = QString::fromUtf8(c.text.data(), static_cast<qsizetype>(c.text.size()));
    int room = width;
    bool wrap = false;
    switch (c.kind) {
        case ControlKind::Text:
            wrap = true;
            break;
        case ControlKind::PushButton:
            room -= kButtonFrame;
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            room -= kIndicator;
            wrap = (c.style & BS_MULTILINE) != 0;
            break;
        case ControlKind::GroupBox:
            room -= kGroupMargins;
            break;
        default:
            return {};
    }
    const int flags = Qt::TextShowMnemonic | (wrap ? Qt::TextWordWrap : 0);
    const QRect needed = metrics.boundingRect(QRect(0, 0, room, 100000), flags, text);
    const bool tooTall = wrap && needed.height() > height;
    if (needed.width() <= room && !tooTall) {
        return {};
    }
    return QStringLiteral("%1x%2 in %3x%4")
        .arg(needed.width())
        .arg(needed.height())
        .arg(room)
        .arg(height);
}

TEST(Layout, TextsFitTheirControls) {
    for (int id : {IDD_ABOUTBOX, IDD_ARCHIVE_CREATE, IDD_ARCHIVE_WIZARD, IDD_ARCHIVE_EXTRACT}) {
        const DialogTemplate& dlg = *FindDialog(id);
        QFont font(QString::fromUtf8(dlg.fontName.data(), qsizetype(dlg.fontName.size())),
                   dlg.fontPoints);
        font.setStyleHint(QFont::SansSerif);
        const QFontMetrics metrics(font);
        const Units units = BaseUnits(metrics);
        for (const ControlTemplate& c : dlg.controls) {
            const QString overflow = Overflow(c, metrics, units);
            EXPECT_TRUE(overflow.isEmpty())
                << "dialog " << id << ", \"" << c.text << "\": " << overflow.toStdString();
        }
    }
}

}  // namespace
}  // namespace scx::res
