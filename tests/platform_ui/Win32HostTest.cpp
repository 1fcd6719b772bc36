// The Windows host's own rules: an argument of a started program reaches it whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Win32Host.h"
#include "Win32Paths.h"

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

}  // namespace
}  // namespace scx::win32
