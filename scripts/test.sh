#!/usr/bin/env bash
# Builds everything and runs every test:
#   - the core and command-line tests in a Debug build (asserts on) under AddressSanitizer and
#     UndefinedBehaviorSanitizer, in build-asan/ without the window;
#   - the window tests in the normal build/, on Qt's offscreen platform;
#   - the command line and the core tests cross-built for Windows, under Wine
#     (scripts/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"
./scripts/setup.sh

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTAVROLIN_SANITIZE=ON -DTAVROLIN_GUI=OFF \
      -DTAVROLIN_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j"$jobs"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$jobs" -R '^gui_'

# The command line and the core tests cross-built for Windows, run under Wine
# (TAVROLIN_SKIP_WINDOWS=1 leaves them out).
[ "${TAVROLIN_SKIP_WINDOWS:-0}" = 1 ] || ./scripts/test-windows.sh
