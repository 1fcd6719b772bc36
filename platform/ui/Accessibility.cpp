#include "Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "Dialog.h"
#include "DialogWindow.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace scx {

using namespace win;

namespace {

// Dialog units a label may stand above its control, or overlap it, and still label it.
constexpr int kLabelGap = 12;
constexpr int kLabelSlack = 2;

QString NameOf(std::string_view text) {
    return WithoutMnemonic(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

bool IsNamedByLabel(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::ComboBox ||
           kind == ControlKind::ListView || kind == ControlKind::UpDown ||
           kind == ControlKind::Progress;
}

bool OverlapsVertically(const Rect16& a, const Rect16& b) {
    return a.y < b.y + b.cy && b.y < a.y + a.cy;
}

bool OverlapsHorizontally(const Rect16& a, const Rect16& b) {
    return a.x < b.x + b.cx && b.x < a.x + a.cx;
}

// A combo box's rectangle includes its dropped-down list, which may pass the frame's
// bottom: its top decides.
bool Encloses(const Rect16& outer, const Rect16& inner) {
    return outer.x <= inner.x && inner.x + inner.cx <= outer.x + outer.cx && outer.y <= inner.y &&
           inner.y < outer.y + outer.cy;
}

const ControlTemplate* EnclosingGroupOf(const DialogTemplate& t, const ControlTemplate& c) {
    const ControlTemplate* smallest = nullptr;
    for (const ControlTemplate& group : t.controls) {
        if (group.kind == ControlKind::GroupBox && !group.text.empty() &&
            Encloses(group.rect, c.rect) &&
            (smallest == nullptr ||
             group.rect.cx * group.rect.cy < smallest->rect.cx * smallest->rect.cy)) {
            smallest = &group;
        }
    }
    return smallest;
}

bool IsReadOnlyEdit(const ControlTemplate& c) {
    return c.kind == ControlKind::Edit && (c.style & ES_READONLY) != 0;
}

// An unlabelled information line is read with what it shows.
void NameAfterOwnText(QWidget* widget) {
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        QObject::connect(line, &QLineEdit::textChanged, line,
                         [line](const QString& text) { line->setAccessibleName(text); });
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        QObject::connect(text, &QPlainTextEdit::textChanged, text,
                         [text] { text->setAccessibleName(text->toPlainText()); });
    }
}

// A button of a dialog for assistive technologies: its action is the dialog's own click,
// so that the handler runs exactly as for the mouse or the keyboard.
class DialogButtonAccessible : public QAccessibleWidget {
  public:
    explicit DialogButtonAccessible(QAbstractButton* button)
        : QAccessibleWidget(button, RoleOf(button)) {}

    static QAccessible::Role RoleOf(const QAbstractButton* button) {
        if (qobject_cast<const QCheckBox*>(button) != nullptr) {
            return QAccessible::CheckBox;
        }
        if (qobject_cast<const QRadioButton*>(button) != nullptr) {
            return QAccessible::RadioButton;
        }
        return QAccessible::PushButton;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const QAbstractButton* button = Button();
        if (role() != QAccessible::PushButton) {
            state.checkable = true;
            state.checked = button->isChecked();
        }
        state.pressed = button->isDown();
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return WithoutMnemonic(Button()->text());
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled()) {
            if (role() != QAccessible::PushButton) {
                names << toggleAction();
            }
            names << pressAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action != pressAction() && action != toggleAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        auto* window = qobject_cast<DialogWindow*>(widget()->window());
        const QVariant id = widget()->property("scxControlId");
        if (window == nullptr || !id.isValid()) {
            Button()->click();
            return;
        }
        // While a handler runs, a click from outside would start another inside it.
        if (!window->Owner().IsInHandler()) {
            window->Owner().ClickDlgItem(id.toInt());
        }
    }

  private:
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
};

// Asked as soon as a reader is active, possibly while the button is being built: its
// kind and its window decide, not its id, which it may not have yet.
QAccessibleInterface* DialogButtonFactory(const QString&, QObject* object) {
    auto* button = qobject_cast<QAbstractButton*>(object);
    const bool isControl = qobject_cast<QPushButton*>(object) != nullptr ||
                           qobject_cast<QCheckBox*>(object) != nullptr ||
                           qobject_cast<QRadioButton*>(object) != nullptr;
    if (!isControl || qobject_cast<DialogWindow*>(button->window()) == nullptr) {
        return nullptr;
    }
    return new DialogButtonAccessible(button);
}

}  // namespace

QString WithoutMnemonic(const QString& source) {
    QString result;
    for (qsizetype i = 0; i < source.size(); ++i) {
        if (source[i] == QLatin1Char('&') && i + 1 < source.size()) {
            ++i;  // "&&" keeps one "&"; "&x" keeps the x
        }
        result += source[i];
    }
    return result;
}

const ControlTemplate* LabelOf(const DialogTemplate& t, const ControlTemplate& c) {
    const ControlTemplate* beside = nullptr;
    const ControlTemplate* above = nullptr;
    for (const ControlTemplate& label : t.controls) {
        if (label.kind != ControlKind::Text || label.text.empty()) {
            continue;
        }
        const Rect16& l = label.rect;
        if (OverlapsVertically(l, c.rect) && l.x + l.cx <= c.rect.x + kLabelSlack &&
            (beside == nullptr || l.x + l.cx > beside->rect.x + beside->rect.cx)) {
            beside = &label;
        }
        const int bottom = l.y + l.cy;
        if (OverlapsHorizontally(l, c.rect) && bottom <= c.rect.y + kLabelSlack &&
            bottom >= c.rect.y - kLabelGap &&
            (above == nullptr || bottom > above->rect.y + above->rect.cy)) {
            above = &label;
        }
    }
    return beside != nullptr ? beside : above;
}

void NameForAssistiveTechnologies(const DialogTemplate& t, const std::vector<QWidget*>& widgets) {
    for (std::size_t i = 0; i < t.controls.size() && i < widgets.size(); ++i) {
        const ControlTemplate& c = t.controls[i];
        QWidget* widget = widgets[i];
        if (c.kind == ControlKind::GroupBox) {
            widget->setAccessibleName(NameOf(c.text));
            continue;
        }
        if (!IsNamedByLabel(c.kind)) {
            continue;
        }
        if (const ControlTemplate* label = LabelOf(t, c)) {
            widget->setAccessibleName(NameOf(label->text));
            // The relation through which Linux readers announce a combo box's label.
            const auto labelIndex = static_cast<std::size_t>(label - t.controls.data());
            if (auto* text = qobject_cast<QLabel*>(widgets[labelIndex])) {
                text->setBuddy(widget);
            }
        } else if (IsReadOnlyEdit(c)) {
            NameAfterOwnText(widget);
        } else if (c.kind == ControlKind::Progress) {
            widget->setAccessibleName(
                QString::fromStdString(res::LoadString(res::IDS_ACCESSIBLE_PROGRESS)));
        } else if (const ControlTemplate* group = EnclosingGroupOf(t, c)) {
            widget->setAccessibleName(NameOf(group->text));
        }
    }
}

void InstallAccessibleButtons() {
    static const bool installed = [] {
        QAccessible::installFactory(DialogButtonFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace scx
