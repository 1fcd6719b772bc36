// scindarex-cli: cuts files into numbered pieces and joins them back, from a shell.

#include <cstdio>
#include <iostream>

#include "Cli.h"
#include "Console.h"
#include "StagedFile.h"

int main(int argc, char** argv) {
    scx::cli::PrepareConsoleOutput();
    scx::RemoveStagedFilesOnInterrupt();
    scx::cli::CliEnvironment environment;
    environment.inIsTerminal = scx::cli::IsTerminal(stdin);
    environment.errIsTerminal = scx::cli::IsTerminal(stderr);
    return scx::cli::RunCli(scx::cli::ProcessArguments(argc, argv), std::cin, std::cout, std::cerr,
                            environment);
}
