# Cross-build for 64-bit Windows with Debian's mingw-w64 (POSIX thread model, for
# std::thread and std::mutex), run under wine64 by CTest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SCX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SCX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SCX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SCX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC 12 sees a false overlap in std::string's inlined copies at -O3 (-Wrestrict).
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of the Release build")

# Self-contained executables: wine finds no mingw runtime DLLs of its own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(SCX_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(SCX_WINE64 NAMES wine64 wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${SCX_WINE64})
