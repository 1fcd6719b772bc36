#include "AccessibleWidgets.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "Accessibility.h"
#include "Dialog.h"
#include "DialogWindow.h"
#include "QtText.h"

namespace scx {

using namespace win;

namespace {

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
            return ToQString(WithoutMnemonic(Button()->text().toStdString()));
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

void NameForAssistiveTechnologies(const DialogTemplate& t, const std::vector<QWidget*>& widgets) {
    for (std::size_t i = 0; i < t.controls.size() && i < widgets.size(); ++i) {
        const AccessibleNaming naming = NamingOf(t, t.controls[i]);
        QWidget* widget = widgets[i];
        if (!naming.name.empty()) {
            widget->setAccessibleName(ToQString(naming.name));
        }
        if (naming.label != nullptr) {
            // The relation through which Linux readers announce a combo box's label.
            const auto labelIndex = static_cast<std::size_t>(naming.label - t.controls.data());
            if (auto* text = qobject_cast<QLabel*>(widgets[labelIndex])) {
                text->setBuddy(widget);
            }
        }
        if (naming.followsOwnText) {
            NameAfterOwnText(widget);
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
