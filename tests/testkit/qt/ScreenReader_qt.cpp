// What a screen reader meets, through Qt's accessibility interfaces.
#include <QAccessible>
#include <QAccessibleActionInterface>

#include "Dialog.h"
#include "DialogWindow.h"
#include "ScreenReader.h"

namespace scx::testkit {

namespace {

QWidget* Widget(const CDialog& dialog, int id) {
    return static_cast<DialogWindow&>(dialog.Peer()).Control(id);
}

QAccessibleInterface* Accessible(const CDialog& dialog, int id) {
    return QAccessible::queryAccessibleInterface(Widget(dialog, id));
}

}  // namespace

// On Linux Qt reports a combo box's current item as its name, and its label through the
// name it would report elsewhere and the label relation.
std::string AccessibleName(const CDialog& dialog, int id) {
    QAccessibleInterface* accessible = Accessible(dialog, id);
    return accessible->role() == QAccessible::ComboBox
               ? Widget(dialog, id)->accessibleName().toStdString()
               : accessible->text(QAccessible::Name).toStdString();
}

std::string AccessibleValue(const CDialog& dialog, int id) {
    return Accessible(dialog, id)->text(QAccessible::Value).toStdString();
}

AccessibleRole AccessibleRoleOf(const CDialog& dialog, int id) {
    switch (Accessible(dialog, id)->role()) {
        case QAccessible::PushButton:
            return AccessibleRole::PushButton;
        case QAccessible::CheckBox:
            return AccessibleRole::CheckBox;
        case QAccessible::RadioButton:
            return AccessibleRole::RadioButton;
        case QAccessible::ComboBox:
            return AccessibleRole::ComboBox;
        case QAccessible::EditableText:
            return AccessibleRole::Edit;
        default:
            return AccessibleRole::Other;
    }
}

bool IsAccessibleChecked(const CDialog& dialog, int id) {
    return Accessible(dialog, id)->state().checked;
}

bool IsAccessibleDisabled(const CDialog& dialog, int id) {
    return Accessible(dialog, id)->state().disabled;
}

bool DoAccessibleAction(CDialog& dialog, int id, AccessibleAction action) {
    const QString name = action == AccessibleAction::Press
                             ? QAccessibleActionInterface::pressAction()
                             : QAccessibleActionInterface::toggleAction();
    QAccessibleActionInterface* actions = Accessible(dialog, id)->actionInterface();
    if (actions == nullptr || !actions->actionNames().contains(name)) {
        return false;
    }
    actions->doAction(name);
    return true;
}

}  // namespace scx::testkit
