#!/usr/bin/env bash
# Builds Tavrolin and starts it: the window when there is a display; otherwise a headless run.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec ./build/tavrolin "$@"
fi
echo "No display: running headless."
./build/tavrolin "$@" || true
