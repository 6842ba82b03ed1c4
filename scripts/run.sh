#!/usr/bin/env bash
# Builds Tavrolin and starts it. With a display it opens the window; without one it converts
# the sample map in examples/ headless with the shipped template and says where the output went.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
display_listens() {
    [ -n "${WAYLAND_DISPLAY:-}" ] && return 0
    [ -n "${DISPLAY:-}" ] || return 1
    case "$DISPLAY" in
        :*) n=${DISPLAY#:}; [ -e "/tmp/.X11-unix/X${n%%.*}" ] ;;
        *) return 0 ;;
    esac
}
if display_listens; then
    exec ./build/tavrolin "$@"
fi
echo "No display to open the window on: converting the sample map headless instead."
echo "(Usage of the command line: ./build/tavrolin help)"
# setup.sh has put the samples into build/examples/; the output is written beside them.
exec ./build/tavrolin --lang ru convert build/examples/lake_areas.dbf
