#!/usr/bin/env bash
# Starts the program under a virtual display and saves a PNG of its window.
# Usage: scripts/screenshot.sh OUTPUT.png [PROGRAM ARGUMENTS...]
# SCX_WINDOWS=1 shoots the Windows build instead (build-windows/bin/scindarex.exe, after
# make test-windows) under wine64.
# SCX_BINARY names another program file; SCX_DELAY the seconds to wait before the shot;
# SCX_XDOTOOL xdotool commands to play first, once the main window was moved to the top
# left of the screen; e.g. the About box: SCX_XDOTOOL="mousemove 126 8 click 1 sleep 0.5 key Down Return"
set -euo pipefail
out=${1:?usage: scripts/screenshot.sh OUTPUT.png [ARGUMENTS...]}
shift
here=$(realpath "$(dirname "$0")/..")
if [[ -n "${SCX_WINDOWS:-}" ]]; then
    binary=${SCX_BINARY:-"$here/build-windows/bin/scindarex.exe"}
    delay=${SCX_DELAY:-8}
    # A prefix of its own: the tests' one draws on the null driver.
    export WINEPREFIX="$here/build-windows/wine-screen" WINEDEBUG=-all
    export WINEDLLOVERRIDES=winemenubuilder.exe=d  # nothing in the desktop's own menus
    wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
    if [[ ! -d "$WINEPREFIX" ]]; then
        (unset DISPLAY; "$wine" wineboot --init >/dev/null 2>&1 || true)
        "$(command -v wineserver || echo /usr/lib/wine/wineserver)" -w
    fi
    command=("$wine" "$(realpath "$binary")")
else
    binary=${SCX_BINARY:-"$here/build/bin/scindarex"}
    delay=${SCX_DELAY:-2}
    command=("$binary")
fi
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (Debian package xvfb)" >&2; exit 1; }
command -v import >/dev/null || { echo "import is missing (Debian package imagemagick)" >&2; exit 1; }
if [[ -n "${SCX_XDOTOOL:-}" ]]; then
    command -v xdotool >/dev/null || { echo "xdotool is missing (Debian package xdotool)" >&2; exit 1; }
fi
out=$(realpath -m "$out")
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    out=$1 delay=$2 count=$3
    shift 3
    "${@:1:count}" "${@:count+1}" &
    pid=$!
    sleep "$delay"
    if [[ -n "${SCX_XDOTOOL:-}" ]]; then
        xdotool search --onlyvisible --name "^Scindarex" windowmove 0 0
        sleep 0.5
        xdotool $SCX_XDOTOOL
        sleep 1
    fi
    import -window root "$out.full.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
' _ "$out" "$delay" "${#command[@]}" "${command[@]}" "$@"
if [[ -n "${SCX_WINDOWS:-}" ]]; then
    "$(command -v wineserver || echo /usr/lib/wine/wineserver)" -k 2>/dev/null || true
fi
# Crop to the drawn area: the window on the black root.
convert "$out.full.png" -trim +repage "$out"
rm -f "$out.full.png"
echo "saved $out"
