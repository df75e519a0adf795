#!/bin/sh
# Sets up what is missing, builds, and runs the main job through a real TWAIN
# session under Wine: twscan.exe loads TWAIN_32.DLL, lists the sources, opens
# the scanner's data source and prints its identity and status.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-machine.sh"
"$root/scripts/build.sh" >/dev/null
arch=$(cat "$root/build/wine-arch")
winbuild="$root/build/$arch"
server=/usr/lib/wine/wineserver64
[ "$arch" = win32 ] && server=/usr/lib/wine/wineserver32
trap 'WINEPREFIX="$winbuild/wineprefix" "$server" -k 2>/dev/null || true' EXIT INT TERM
"$winbuild/wine-run" "$winbuild/tools/twscan.exe" "$@"
