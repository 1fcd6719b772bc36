// scindarex-cli: cuts files into numbered pieces and joins them back, from a shell.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define SCX_ISATTY(stream) (_isatty(_fileno(stream)) != 0)
#else
#include <unistd.h>
#define SCX_ISATTY(stream) (::isatty(fileno(stream)) != 0)
#endif

#include "Cli.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    scx::cli::CliEnvironment environment;
    environment.inIsTerminal = SCX_ISATTY(stdin);
    environment.errIsTerminal = SCX_ISATTY(stderr);
    return scx::cli::RunCli(args, std::cin, std::cout, std::cerr, environment);
}
