#!/usr/bin/env bash
# Retakes the README's screenshots (docs/workflow-*.png): builds the program and the scripted
# session of tools/workflow_shots.cpp, starts a virtual X server, and lets the session click
# through the real window while ImageMagick grabs each stage. Needs xvfb and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in Xvfb import; do
    command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is missing (apt-get install xvfb imagemagick)"; exit 1; }
done
[ -d build ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" --target tavrolin_data workflow_shots

# A display number nobody uses.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1600x1000x24 -nolisten tcp &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

# No file manager and no session bus: each output is announced in a box with its path.
env -u DBUS_SESSION_BUS_ADDRESS DISPLAY=":$display" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 \
    build/tools/workflow_shots build examples docs
