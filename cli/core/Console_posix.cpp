#include <unistd.h>

#include "Console.h"

namespace scx::cli {

std::vector<std::string> ProcessArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

bool IsTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) != 0;
}

void PrepareConsoleOutput() {}

}  // namespace scx::cli
