#pragma once
// The fixture of GUI tests: a scripted host and an application object for the duration
// of each test, and dialogs shown without a modal run.

#include <gtest/gtest.h>

#include "ScriptedHost.h"
#include "WinApp.h"

namespace scx {
class CDialog;
}

namespace scx::testkit {

class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Builds `dialog`, shows it as the active window and runs its initialisation, as the
    // start of a modal run does; the test then works its controls.
    static void Open(CDialog& dialog);

    ScriptedHost host;
    CWinApp app;
};

}  // namespace scx::testkit
