// The program on Windows: the main dialog run modally by the application object, over
// the system's own dialogs. The command line is read as UTF-16, so that any file name
// reaches the program whole.
#include <string>
#include <vector>

#include "CommandLine.h"
#include "SplitApp.h"
#include "Win32Host.h"
#include "Win32Paths.h"

// After our headers: see SystemHeaders.h.
#include "SystemHeaders.h"

scx::CSplitApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    scx::win32::InitCommonControls();
    scx::win32::Win32Host host;
    scx::SetHost(&host);

    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(scx::win32::Narrow(wide[i]));
    }
    LocalFree(wide);
    theApp.m_lpCmdLine = scx::app::JoinArguments(arguments);
    // The main window's modal run is the whole program.
    theApp.InitInstance();
    return 0;
}
