#pragma once
// What scindarex-cli needs of the process it runs in, one implementation per platform.

#include <cstdio>
#include <string>
#include <vector>

namespace scx::cli {

// The arguments after the program's name, in UTF-8. Windows hands `main` its arguments in
// the ANSI code page, which cannot hold every file name: they are read again as UTF-16.
std::vector<std::string> ProcessArguments(int argc, char** argv);

bool IsTerminal(std::FILE* stream);

// Makes a terminal show the UTF-8 the tool writes.
void PrepareConsoleOutput();

}  // namespace scx::cli
