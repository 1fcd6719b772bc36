#include "GuiTest.h"

#include "Dialog.h"

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
    dialog.Peer().Show();
    dialog.InitDialog();
}

}  // namespace scx::testkit
