#include "GuiTest.h"

#include <QApplication>

#include "Dialog.h"
#include "DialogWindow.h"

namespace scx::testkit {

void GuiTest::SetUp() {
    SetHost(&host);
}

void GuiTest::TearDown() {
    EXPECT_TRUE(host.AllConsumed()) << "an answer, file or dialog driver was left unused";
    SetHost(nullptr);
}

void GuiTest::Open(CDialog& dialog) {
    dialog.Create();
    dialog.Window()->show();
    QApplication::setActiveWindow(dialog.Window());
    dialog.InitDialog();
}

}  // namespace scx::testkit
