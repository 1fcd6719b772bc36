// <windows.h> first: the other system headers depend on it.
#include <windows.h>

#include <io.h>
#include <shellapi.h>

#include <memory>

#include "Console.h"
#include "Win32Paths.h"

namespace scx::cli {

std::vector<std::string> ProcessArguments(int, char**) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> wide(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) {
        arguments.push_back(win32::Narrow(wide.get()[i]));
    }
    return arguments;
}

bool IsTerminal(std::FILE* stream) {
    return ::_isatty(::_fileno(stream)) != 0;
}

void PrepareConsoleOutput() {
    ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace scx::cli
