#!/bin/sh
# Sets up what is missing, builds, and runs the main job through a real TWAIN
# session under Wine: twscan.exe loads TWAIN_32.DLL, lists the sources, opens
# the scanner's data source and acquires a page from the simulated scanner
# without the source's dialog (by default the whole bed, Color, 100 dpi,
# memory transfer) into scan.bmp in the current directory. Options are passed
# to twscan.exe (see: sh scripts/main-job.sh --help).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-machine.sh"
"$root/scripts/build.sh" >/dev/null
arch=$(cat "$root/build/wine-arch")
winbuild="$root/build/$arch"
server=/usr/lib/wine/wineserver64
[ "$arch" = win32 ] && server=/usr/lib/wine/wineserver32
trap 'WINEPREFIX="$winbuild/wineprefix" "$server" -k 2>/dev/null || true' EXIT INT TERM
out="$(pwd)/scan.bmp"
case " $* " in
*" --out "*) "$winbuild/wine-run" "$winbuild/tools/twscan.exe" "$@" ;;
*)
  "$winbuild/wine-run" "$winbuild/tools/twscan.exe" --out "Z:$(printf '%s' "$out" | tr '/' '\\')" "$@"
  case " $* " in *" --list "*|*" --info "*|*" --help "*) ;; *)
    echo "Image file: $out"
    command -v identify >/dev/null && identify "$out" ;;
  esac ;;
esac
