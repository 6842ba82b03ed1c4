#!/usr/bin/env bash
# Builds everything and runs every test. The window tests use Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
