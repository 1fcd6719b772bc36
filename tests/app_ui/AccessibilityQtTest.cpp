// What only Qt's accessibility has: the label relation through which Linux readers
// announce a control's label, and the interfaces a running reader asks for while a window
// is being built (MSAA asks for a control's object only once the control exists).
#include <gtest/gtest.h>

#include <QAccessible>

#include "DialogWindow.h"
#include "MainWindowFixture.h"
#include "ResourceIds.h"
#include "ScreenReader.h"

namespace scx {
namespace {

using namespace res;
using testkit::AccessibleAction;
using testkit::DoAccessibleAction;
using testkit::MainWindowTest;

class AccessibilityQtTest : public MainWindowTest {};

TEST_F(AccessibilityQtTest, LabelledControlsPointToTheirLabel) {
    OpenMain();
    QWidget* edit = static_cast<DialogWindow&>(dlg.Peer()).Control(IDC_EXTENSION);
    const auto labels = QAccessible::queryAccessibleInterface(edit)->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->text(QAccessible::Name).toStdString(), "Extension :");
}

// A running reader asks for the buttons' interfaces while the window is being built,
// before the controls have their ids.
TEST_F(AccessibilityQtTest, ActionsReachTheHandlersWhenAReaderWatchedTheWindowBeingBuilt) {
    QAccessible::setActive(true);
    OpenMain();
    QAccessible::setActive(false);
    ASSERT_TRUE(DoAccessibleAction(dlg, IDC_HJSPLIT, AccessibleAction::Toggle));
    EXPECT_TRUE(dlg.m_bHJSplit);
}

}  // namespace
}  // namespace scx
