#!/usr/bin/env bash
# Installs what building and packaging need when it is missing (Debian), then configures and
# builds, and puts the sample map into build/examples/ when it is not there (a conversion writes
# beside its source, so the samples are used from a copy, never from the repository).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config qt6-base-dev libgif-dev libshp-dev libgtest-dev googletest
          dpkg-dev file)  # the last two: cpack finds the package's dependencies with them
[ "${TAVROLIN_WITH_XVFB:-0}" = 1 ] && packages+=(xvfb xauth)
./scripts/install-missing.sh "${packages[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build build -j"$(nproc)"
mkdir -p build/examples
for sample in examples/*.dbf examples/*.shp examples/*.shx examples/*.mp; do
    [ -e "build/examples/$(basename "$sample")" ] || cp "$sample" build/examples/
done
