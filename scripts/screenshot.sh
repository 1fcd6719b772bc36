#!/usr/bin/env bash
# Starts the program under a virtual display and saves a PNG of its window.
# Usage: scripts/screenshot.sh OUTPUT.png [PROGRAM ARGUMENTS...]
# SCX_BINARY names another program file; SCX_DELAY the seconds to wait before the shot;
# SCX_XDOTOOL xdotool commands to play first, once the main window was moved to the top
# left of the screen; e.g. the About box: SCX_XDOTOOL="mousemove 126 8 click 1 sleep 0.5 key Down Return"
set -euo pipefail
out=${1:?usage: scripts/screenshot.sh OUTPUT.png [ARGUMENTS...]}
shift
binary=${SCX_BINARY:-"$(dirname "$0")/../build/bin/scindarex"}
delay=${SCX_DELAY:-2}
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (Debian package xvfb)" >&2; exit 1; }
command -v import >/dev/null || { echo "import is missing (Debian package imagemagick)" >&2; exit 1; }
if [[ -n "${SCX_XDOTOOL:-}" ]]; then
    command -v xdotool >/dev/null || { echo "xdotool is missing (Debian package xdotool)" >&2; exit 1; }
fi
out=$(realpath -m "$out")
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$0" "${@:3}" &
    pid=$!
    sleep "$2"
    if [[ -n "${SCX_XDOTOOL:-}" ]]; then
        xdotool search --onlyvisible --name "^Scindarex" windowmove 0 0
        sleep 0.5
        xdotool $SCX_XDOTOOL
        sleep 1
    fi
    import -window root "$1.full.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
' "$binary" "$out" "$delay" "$@"
# Crop to the drawn area: the window on the black root.
convert "$out.full.png" -trim +repage "$out"
rm -f "$out.full.png"
echo "saved $out"
