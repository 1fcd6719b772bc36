#!/usr/bin/env bash
# Starts the program, or says in one line why it cannot be shown here.
set -euo pipefail
binary=$1
shift
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display to show the window on: run it as  xvfb-run -a $binary $*" >&2
    exit 1
fi
exec "$binary" "$@"
