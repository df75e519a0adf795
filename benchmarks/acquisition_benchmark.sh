#!/bin/sh
# acquisition_benchmark.sh [BUILD_DIR]
# Times full-bed and quarter-page 600 dpi Color acquisitions from the
# simulator (no line delay) through a real TWAIN session under Wine, by
# native, memory and file transfer, and reports wall time, MB/s of image and
# the peak memory of the application's process (the data source runs in it).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$root/build/$(cat "$root/build/wine-arch" 2>/dev/null || echo win64)}"
run="$build/wine-run"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
printf '%-8s %-8s %12s %9s %9s %12s\n' page xfer "image MB" "wall s" "MB/s" "peak RSS MB"
for page in quarter full; do
  frame=""
  [ "$page" = quarter ] && frame="--frame 0.35,0,4.25,5.75"
  for xfer in native memory file; do
    target="$out/scan.bmp"; extra="--xfer $xfer"
    [ "$xfer" = file ] && { target="$out/scan.tif"; extra="--xfer file --format tiff"; }
    win=$(printf 'Z:%s' "$target" | tr '/' '\\')
    # shellcheck disable=SC2086
    /usr/bin/time -f '%e %M' -o "$out/time" "$run" "$build/tools/twscan.exe" --dpi 600 $extra $frame \
      --out "$win" > "$out/log" 2>&1 || { cat "$out/log"; exit 1; }
    dims=$(sed -n 's/^Image: \([0-9]*\) x \([0-9]*\) pixels.*/\1 \2/p' "$out/log")
    set -- $dims
    bytes=$(( $1 * $2 * 3 ))
    read -r wall rss < "$out/time"
    awk -v b="$bytes" -v w="$wall" -v r="$rss" -v p="$page" -v x="$xfer" \
      'BEGIN { printf "%-8s %-8s %12.1f %9.2f %9.1f %12.1f\n", p, x, b / 1048576, w, (w > 0 ? b / 1048576 / w : 0), r / 1024 }'
    rm -f "$target"
  done
done
