#include "DialogBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include "AccessibleWidgets.h"
#include "AnimationWidget.h"
#include "Dialog.h"
#include "DialogUnits.h"
#include "DialogWindow.h"
#include "GroupBoxWidget.h"
#include "ListViewWidget.h"
#include "QtText.h"
#include "Resources.h"
#include "UpDownWidget.h"

namespace scx {

using namespace win;

namespace {

constexpr double kSmallestTextPoints = 6.5;

bool Has(DWORD style, DWORD bits) {
    return (style & bits) == bits;
}

QPixmap RenderImage(int imageId) {
    QSvgRenderer renderer(ToQString(res::ImagePath(imageId)));
    if (!renderer.isValid()) {
        return {};
    }
    QPixmap pixmap(renderer.defaultSize());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

// Read-only edits take the colour of what lies behind them, as the platform draws them:
// without a border they are plain text on the dialog.
void ShowAsReadOnly(QWidget* edit, bool bordered) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base,
                     bordered ? palette.color(QPalette::Window) : QColor(Qt::transparent));
    edit->setPalette(palette);
}

QWidget* MakeEdit(const ControlTemplate& c, DialogWindow& window, QWidget* parent) {
    const bool readOnly = Has(c.style, ES_READONLY);
    if (Has(c.style, ES_MULTILINE)) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setReadOnly(readOnly);
        const bool scrollsSideways = Has(c.style, WS_HSCROLL) || Has(c.style, ES_AUTOHSCROLL);
        edit->setLineWrapMode(scrollsSideways ? QPlainTextEdit::NoWrap
                                              : QPlainTextEdit::WidgetWidth);
        edit->setHorizontalScrollBarPolicy(Has(c.style, WS_HSCROLL) ? Qt::ScrollBarAlwaysOn
                                                                    : Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy(Has(c.style, WS_VSCROLL) ? Qt::ScrollBarAlwaysOn
                                                                  : Qt::ScrollBarAlwaysOff);
        edit->setTabChangesFocus(true);
        if (!Has(c.style, WS_BORDER)) {
            edit->setFrameShape(QFrame::NoFrame);
        }
        if (readOnly) {
            ShowAsReadOnly(edit, Has(c.style, WS_BORDER));
        }
        window.WatchEdit(edit, Has(c.style, ES_WANTRETURN));
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(readOnly);
    edit->setFrame(Has(c.style, WS_BORDER));
    if (Has(c.style, ES_RIGHT)) {
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (Has(c.style, ES_NUMBER)) {
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    }
    if (readOnly) {
        ShowAsReadOnly(edit, Has(c.style, WS_BORDER));
    }
    window.WatchEdit(edit, false);
    return edit;
}

QWidget* MakeControl(CDialog& owner, DialogWindow& window, const ControlTemplate& c,
                     QWidget* parent) {
    const QString text = ToQString(c.text);
    switch (c.kind) {
        case ControlKind::PushButton: {
            auto* button = new QPushButton(text, parent);
            button->setAutoDefault(false);
            if ((c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                button->setDefault(true);
            }
            return button;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(text, parent);
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(text, parent);
            radio->setAutoExclusive(false);  // groups follow WS_GROUP, see CDialog::RadioGroupOf
            radio->installEventFilter(&window);  // arrow keys move within the group
            return radio;
        }
        case ControlKind::GroupBox:
            return new GroupBoxWidget(text, parent);
        case ControlKind::Text: {
            auto* label = new QLabel(text, parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            const DWORD kind = c.style & SS_TYPEMASK;
            const Qt::Alignment horizontal = kind == SS_CENTER  ? Qt::AlignHCenter
                                             : kind == SS_RIGHT ? Qt::AlignRight
                                                                : Qt::AlignLeft;
            label->setAlignment(horizontal | Qt::AlignTop);
            return label;
        }
        case ControlKind::Picture: {
            auto* picture = new QLabel(parent);
            picture->setPixmap(RenderImage(c.image));
            return picture;
        }
        case ControlKind::Edit:
            return MakeEdit(c, window, parent);
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(false);
            for (std::string_view item : c.items) {
                combo->addItem(ToQString(item));
            }
            combo->setCurrentIndex(-1);
            const int id = c.id;
            QObject::connect(combo, &QComboBox::activated, combo,
                             [&owner, id](int) { owner.SendNotify(Notify::SelChange, id); });
            return combo;
        }
        case ControlKind::ListView:
            return new ListViewWidget(Has(c.style, LVS_SINGLESEL), parent);
        case ControlKind::Progress: {
            auto* bar = new QProgressBar(parent);
            bar->setRange(0, 100);
            bar->setValue(0);
            bar->setTextVisible(false);
            return bar;
        }
        case ControlKind::Animation:
            return new AnimationWidget(Has(c.style, ACS_CENTER), parent);
        case ControlKind::UpDown:
            if (UpDown* updown = owner.FindUpDown(c.id)) {
                return new UpDownWidget(*updown, parent);
            }
            break;
    }
    return new QWidget(parent);
}

Qt::FocusPolicy FocusPolicyFor(const ControlTemplate& c) {
    if (!TakesFocus(c.kind)) {
        return Qt::NoFocus;
    }
    return Has(c.style, WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus;
}

QRect ToQRect(const PixelRect& rect) {
    return QRect(rect.x, rect.y, rect.width, rect.height);
}

void Place(QWidget* widget, const ControlTemplate& c, BaseUnits units) {
    QRect rect = ToQRect(DialogUnitsToPixels(c.rect, units));
    if (c.kind == ControlKind::ComboBox) {
        // The template gives the height of the dropped-down list; the closed box keeps
        // its natural height.
        auto* combo = static_cast<QComboBox*>(widget);
        const int closedHeight = combo->sizeHint().height();
        const int itemHeight = std::max(1, combo->fontMetrics().height() + 2);
        combo->setMaxVisibleItems(std::max(1, (rect.height() - closedHeight) / itemHeight));
        rect.setHeight(closedHeight);
    } else if (c.kind == ControlKind::Text) {
        // A text wider than its box at the stand-in font is drawn a little smaller rather
        // than cut off.
        auto* label = static_cast<QLabel*>(widget);
        QFont font = label->font();
        while (font.pointSizeF() > kSmallestTextPoints &&
               QFontMetrics(font)
                       .boundingRect(QRect(0, 0, rect.width(), 100000), Qt::TextWordWrap,
                                     label->text())
                       .height() > rect.height()) {
            font.setPointSizeF(font.pointSizeF() - 0.5);
            label->setFont(font);
        }
    } else if (c.kind == ControlKind::Picture) {
        // A static picture takes the size of its image.
        const QSize natural = static_cast<QLabel*>(widget)->pixmap().size();
        if (!natural.isEmpty()) {
            rect.setSize(natural);
        }
    }
    widget->setGeometry(rect);
}

void Wire(CDialog& owner, QWidget* widget, const ControlTemplate& c) {
    const int id = c.id;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        const bool isRadio = c.kind == ControlKind::RadioButton;
        QObject::connect(button, &QAbstractButton::clicked, button, [&owner, id, isRadio] {
            // Qt toggles a clicked radio button off again; the platform keeps it chosen.
            if (isRadio) {
                owner.CheckRadioButton(id);
            }
            owner.SendNotify(Notify::Clicked, id);
        });
    }
}

QMenuBar* BuildMenuBar(CDialog& owner, const MenuTemplate& menu, QWidget* parent) {
    auto* bar = new QMenuBar(parent);
    bar->setNativeMenuBar(false);
    for (const MenuItemTemplate& popup : menu.popups) {
        QMenu* qmenu = bar->addMenu(ToQString(popup.text));
        for (const MenuItemTemplate& item : popup.popup) {
            if (item.text.empty()) {
                qmenu->addSeparator();
                continue;
            }
            QAction* action = qmenu->addAction(ToQString(item.text));
            const int command = item.command;
            QObject::connect(action, &QAction::triggered, bar,
                             [&owner, command] { owner.SendCommand(command); });
        }
    }
    return bar;
}

Qt::WindowFlags WindowFlagsFor(const DialogTemplate& t) {
    Qt::WindowFlags flags = Has(t.exStyle, WS_EX_APPWINDOW) ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (Has(t.style, WS_SYSMENU)) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if (Has(t.style, WS_MINIMIZEBOX)) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    return flags;
}

}  // namespace

BaseUnits ComputeBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(width / 26 + 1) / 2, metrics.height()};
}

void BuildDialogWindow(CDialog& owner, DialogWindow& window, const DialogTemplate& t) {
    window.setWindowFlags(WindowFlagsFor(t));
    window.setWindowTitle(ToQString(t.caption));

    ClientArea* client = window.Client();
    // The template's font where it exists, else a sans font whose dialog units leave the
    // templates' texts room (narrower fonts give narrower units but not narrower French).
    QFont font;
    font.setFamilies({ToQString(t.fontName), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSize(t.fontPoints);
    font.setStyleHint(QFont::SansSerif);
    client->setFont(font);
    const BaseUnits units = ComputeBaseUnits(client->font());

    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (t.menu != 0) {
        if (const MenuTemplate* menu = res::FindMenu(t.menu)) {
            layout->setMenuBar(BuildMenuBar(owner, *menu, &window));
        }
    }
    client->setFixedSize(ToQRect(DialogUnitsToPixels({0, 0, t.rect.cx, t.rect.cy}, units)).size());
    layout->addWidget(client);

    InstallAccessibleButtons();
    std::map<int, QWidget*> controls;
    std::vector<QWidget*> built;
    std::vector<QWidget*> groupBoxes;
    for (const ControlTemplate& c : t.controls) {
        QWidget* widget = MakeControl(owner, window, c, client);
        widget->setProperty("scxControlId", c.id);
        widget->setFocusPolicy(FocusPolicyFor(c));
        widget->setEnabled(!Has(c.style, WS_DISABLED));
        const UpDown* updown = c.kind == ControlKind::UpDown ? owner.FindUpDown(c.id) : nullptr;
        if (updown != nullptr && updown->TakesArrowKeys() && controls.count(updown->BuddyId())) {
            static_cast<UpDownWidget*>(widget)->WatchBuddyKeys(controls[updown->BuddyId()]);
        }
        if (c.kind == ControlKind::GroupBox) {
            groupBoxes.push_back(widget);
        }
        Place(widget, c, units);
        Wire(owner, widget, c);
        if (c.id != IDC_STATIC) {
            controls[c.id] = widget;
        }
        built.push_back(widget);
    }
    NameForAssistiveTechnologies(t, built);
    for (QWidget* group : groupBoxes) {
        group->lower();
    }
    window.SetControls(std::move(controls));
}

std::unique_ptr<DialogPeer> CreateDialogPeer(CDialog& owner) {
    auto window = std::make_unique<DialogWindow>(owner);
    BuildDialogWindow(owner, *window, owner.Template());
    return window;
}

}  // namespace scx
