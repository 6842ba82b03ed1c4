#!/usr/bin/env bash
# The Windows stage of the tests, without a display:
#   - installs what is missing (Debian: MinGW-w64 with POSIX threads, 64-bit Wine, GoogleTest's
#     sources);
#   - cross-builds the headless programs and the core tests into build-win/ (no Qt);
#   - runs every test program under Wine in a throwaway Wine prefix;
#   - converts the sample map with build-win/tavrolin.exe and with the native build/tavrolin, in
#     both languages, by types and by depth, and the Polish map with both map commands, and
#     fails unless both write the same files with the same bytes.
# Any failure fails the script. The native build comes from scripts/setup.sh (run when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"

packages=(cmake make g++-mingw-w64-x86-64-posix wine64 googletest)
./scripts/install-missing.sh --no-install-recommends -- "${packages[@]}"

# Debian's wine64 puts its loader beside the server, outside PATH (the wrapper comes with wine).
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine="$(command -v wine64 || command -v wine)"
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver="$(command -v wineserver)"

[ -x build/tavrolin ] && [ -e build/Tavrolin.dbf ] || ./scripts/setup.sh

# ctest starts each test program through Wine.
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" >/dev/null
cmake --build build-win -j"$jobs"

scratch="$(mktemp -d)"
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEARCH=win64
# No display, and no Mono or Gecko installer asking on one.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# The prefix is made once, before the test programs share it.
"$wine" wineboot -i >/dev/null 2>&1 || true
[ -e "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ] || {
    echo "wineboot made no Wine prefix in $WINEPREFIX" >&2
    exit 1
}

ctest --test-dir build-win --output-on-failure -j"$jobs"

# The same conversions on both systems; Wine's drive Z: is the root of the Linux file system, so
# the Windows program gets Windows paths to the same folders.
windows_path() { local p="$1"; echo "Z:${p//\//\\}"; }
samples() {
    mkdir -p "$1/maps" "$1/home"
    cp examples/lake_* examples/lake.mp "$1/maps/"
    cp -r build/Tavrolin.dbf build/icons "$1/home/"
}
# run SIDE ARGS...: runs the command on SIDE (linux or windows) in its own folder of $scratch.
run() {
    local side="$1"
    shift
    local root="$scratch/$side"
    local args=()
    for a in "$@"; do
        case "$a" in
        @*) a="$root/maps/${a#@}" ;;
        esac
        [ "$side" = windows ] && [[ "$a" = /* ]] && a="$(windows_path "$a")"
        args+=("$a")
    done
    local home="$root/home"
    [ "$side" = windows ] && home="$(windows_path "$home")"
    local status=0
    if [ "$side" = windows ]; then
        "$wine" build-win/tavrolin.exe --home "$home" "${args[@]}" >"$root/out" 2>&1 || status=$?
    else
        build/tavrolin --home "$home" "${args[@]}" >"$root/out" 2>&1 || status=$?
    fi
    echo "$status"
}

sample_count="$(ls examples/lake_* examples/lake.mp | wc -l)"
compared=0
for lang in ru en; do
    for command in "convert @lake_areas.dbf --by types" "convert @lake_areas.dbf --by depth" \
                   "convert @lake_contours.dbf --by types" \
                   "convert @lake_contours.dbf --by depth --scheme topo" \
                   "mp-labels @lake.mp" "mp-retype @lake.mp --scheme dd"; do
        rm -rf "$scratch/linux" "$scratch/windows"
        samples "$scratch/linux"
        samples "$scratch/windows"
        # shellcheck disable=SC2086  # the command's words
        linux_status="$(run linux --lang "$lang" $command)"
        # shellcheck disable=SC2086
        windows_status="$(run windows --lang "$lang" $command)"
        if [ "$linux_status" != 0 ]; then
            echo "tavrolin --lang $lang $command failed on Linux:" >&2
            cat "$scratch/linux/out" >&2
            exit 1
        fi
        if [ "$(ls "$scratch/linux/maps" | wc -l)" -le "$sample_count" ]; then
            echo "tavrolin --lang $lang $command wrote nothing on Linux" >&2
            exit 1
        fi
        if [ "$windows_status" != 0 ] ||
            ! diff -r "$scratch/linux/maps" "$scratch/windows/maps" >&2; then
            echo "tavrolin.exe --lang $lang $command under Wine (exit $windows_status) differs" \
                 "from the Linux build:" >&2
            cat "$scratch/windows/out" >&2
            exit 1
        fi
        compared=$((compared + 1))
    done
done
echo "tavrolin.exe under Wine wrote the same files as build/tavrolin in $compared runs"
