#!/usr/bin/env bash
# Cross-builds the program for 64-bit Windows with mingw-w64 (the windows on the Win32
# backend, scindarex-cli, every test suite) and runs it under wine64, headless: the test
# suites, GUI ones included, on wine's null graphics driver, a few runs of the real
# scindarex-cli.exe on names that only the wide-character API can open, then the
# installer's silent install, start and uninstall.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${WINDOWS_BUILD_DIR:-build-windows}
jobs=${JOBS:-$(nproc)}

scripts/install-deps.sh windows

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j "$jobs"
cmake --build "$build" --target windows-installer

# A wine prefix of our own, made once, whose windows go to the null graphics driver: the
# dialogs are real, with nothing on a screen.
export WINEPREFIX="$PWD/$build/wine"
export WINEDEBUG=-all
# Nothing of the runs in the desktop's own menus: wine would mirror the Start menu entry and
# the file type there, outside the prefix, and leave icons behind after the uninstall.
export WINEDLLOVERRIDES=winemenubuilder.exe=d
unset DISPLAY WAYLAND_DISPLAY
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
if [[ ! -d "$WINEPREFIX" ]]; then
    "$wine" wineboot --init >/dev/null 2>&1 || true
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    "$wineserver" -w
fi

# A suite that starts just as the wine server ends (3 s after its last client) can lose its
# connection before running anything ("recvmsg: Connection reset by peer"): such a suite
# is run once more. Keeping one server for the whole run instead hung a suite at exit.
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 600 --repeat until-pass:2
scripts/windows-cli-runs.sh "$wine" "$build/bin/scindarex-cli.exe"
scripts/windows-install-runs.sh "$wine" "$build/scindarex-2.1-setup.exe"
