// The Windows host's own rules: an argument of a started program reaches it whole; a
// session that ends takes the temporary files of an operation with it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Dialog.h"
#include "GuiTest.h"
#include "ResourceIds.h"
#include "StagedFile.h"
#include "TestFiles.h"
#include "Win32Host.h"
#include "Win32Paths.h"
#include "Win32Window.h"

// After our headers: see SystemHeaders.h.
#include "SystemHeaders.h"

namespace scx::win32 {
namespace {

// Read back by the system's own parser, as the C runtime of the started program reads it.
TEST(Win32HostTest, EachArgumentIsReadBackWhole) {
    const std::vector<std::wstring> arguments = {
        L"l",         L"C:\\Mes fichiers\\été.pck",  L"", L"a\"b", L"fin\\", L"deux\\\\", L"\\\"",
        L"tab\there", L"\\\\serveur\\partage\\x y\\"};
    for (const std::wstring& argument : arguments) {
        const std::wstring line = L"scindarex.exe " + QuoteArgument(argument);
        int count = 0;
        LPWSTR* parsed = CommandLineToArgvW(line.c_str(), &count);
        ASSERT_NE(parsed, nullptr);
        EXPECT_EQ(count, 2) << Narrow(line);
        if (count == 2) {
            EXPECT_EQ(std::wstring(parsed[1]), argument) << Narrow(line);
        }
        LocalFree(parsed);
    }
}

class Win32SessionTest : public testkit::GuiTest {};

// The system ends a window's program once the window has been told, and sends it no
// signal; a session that merely might end changes nothing.
TEST_F(Win32SessionTest, TheEndOfTheSessionRemovesTheFilesBeingWritten) {
    for (const BOOL ending : {FALSE, TRUE}) {
        testkit::TempDir dir;
        CStagedFile staged(dir / "film.bin", "scindarex-extraction");
        staged.File().Write("x", 1);
        const std::string temporary = dir / ".scindarex-extraction-1.tmp";
        ASSERT_TRUE(testkit::PathExists(temporary));
        CDialog dialog(res::IDD_MAIN);
        Open(dialog);
        SendMessageW(static_cast<Win32Window&>(dialog.Peer()).Handle(), WM_ENDSESSION,
                     static_cast<WPARAM>(ending), 0);
        staged.File().Close();  // as the end of the program closes it
        EXPECT_EQ(testkit::PathExists(temporary), !ending) << ending;
    }
}

}  // namespace
}  // namespace scx::win32
