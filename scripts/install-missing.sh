#!/usr/bin/env bash
# Installs those of the Debian packages named that are not installed yet, with apt-get (through
# sudo when not run as root). Options for apt-get install come first, ended by "--":
#   scripts/install-missing.sh [OPTION... --] PACKAGE...
set -euo pipefail
options=()
if [[ " $* " == *" -- "* ]]; then
    while [ "$1" != "--" ]; do
        options+=("$1")
        shift
    done
    shift
fi
missing=()
for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
$sudo_cmd apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${options[@]}" "${missing[@]}"
