#pragma once
// <windows.h> without its min and max macros, which break std::min and std::max, nor the
// parts the program never uses.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
