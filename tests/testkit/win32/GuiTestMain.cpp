// Entry point of the GUI tests on Windows: the common controls registered, then the
// suites. Under wine, scripts/test-windows.sh selects the null graphics driver, so the
// tests need no display.
#include <gtest/gtest.h>

#include "Win32Host.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    scx::win32::InitCommonControls();
    return RUN_ALL_TESTS();
}
