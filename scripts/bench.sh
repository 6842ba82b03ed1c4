#!/usr/bin/env bash
# Builds and runs every benchmark in bench/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
for b in build/bench/*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b"
done
