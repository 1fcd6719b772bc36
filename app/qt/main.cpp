// The program on Qt: a Qt application whose one window is the main dialog, run modally by
// the application object.
#include <QApplication>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "QtHost.h"
#include "SplitApp.h"
#include "StagedFile.h"

scx::CSplitApp theApp;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    scx::RemoveStagedFilesOnInterrupt();
    scx::InstallFrenchTranslations();
    scx::QtHost host;
    scx::SetHost(&host);

    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    theApp.m_lpCmdLine = scx::app::JoinArguments(arguments);
    // The main window's modal run is the whole program.
    theApp.InitInstance();
    return 0;
}
