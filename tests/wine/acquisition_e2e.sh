#!/bin/sh
# acquisition_e2e.sh BUILD_DIR PIXEL DPI XFER
# XFER: native, memory, file-tiff or file-bmp.
# Acquires through a real TWAIN session under Wine with twscan.exe, then
# compares the BMP it wrote with the simulator's own rendering of the same
# scan, both read by ImageMagick, pixel for pixel (where the driver resampled
# 300 dpi lines, the rendering resamples them the same way).
set -eu
build="$1"; pixel="$2"; dpi="$3"; xfer="$4"
run="$build/wine-run"
winini="$build/wineprefix/drive_c/windows/win.ini"
work="$build/e2e/$pixel-$dpi-$xfer"
rm -rf "$work"; mkdir -p "$work/record"
towin() { printf 'Z:%s' "$1" | tr '/' '\\'; }
record_win=$(towin "$work/record")

# The simulator records the blocks of this scan into the work folder.
section="PLNX_Q7B Simulator"
restore=$(mktemp)
cp "$winini" "$restore"
trap 'cp "$restore" "$winini"; rm -f "$restore"' EXIT
awk -v s="[$section]" 'BEGIN{skip=0} /^\[/{skip=($0==s)} !skip' "$restore" > "$winini"
printf '\r\n[%s]\r\nRecordDir=%s\r\n' "$section" "$record_win" >> "$winini"

got="$work/got.bmp"
case "$xfer" in
file-tiff) got="$work/got.tif"; mech="--xfer file --format tiff" ;;
file-bmp) mech="--xfer file --format bmp" ;;
*) mech="--xfer $xfer" ;;
esac
# shellcheck disable=SC2086
"$run" "$build/tools/twscan.exe" --pixel "$pixel" --dpi "$dpi" $mech --frame 1,1.25,3,2.5 \
  --out "$(towin "$got")" > "$work/twscan.log" 2>&1 || { cat "$work/twscan.log"; exit 1; }
cat "$work/twscan.log"
"$run" "$build/tests/wine/expected_scan.exe" "$record_win" "$(towin "$work/expected.bmp")"

identify "$got" "$work/expected.bmp"
size=$(identify -format '%w x %h' "$got")
want=$(identify -format '%w x %h' "$work/expected.bmp")
[ "$size" = "$want" ] || { echo "FAIL: size $size, expected $want"; exit 1; }
if [ "$xfer" = file-tiff ]; then
  # libtiff reads the file too, with the size and resolution of the scan.
  tiffinfo "$got" > "$work/tiffinfo.txt" 2>&1 || { cat "$work/tiffinfo.txt"; exit 1; }
  cat "$work/tiffinfo.txt"
  w=${want%% x *}; h=${want##* x }
  grep -q "Image Width: $w Image Length: $h" "$work/tiffinfo.txt" || { echo "FAIL: tiffinfo size"; exit 1; }
  grep -q "Resolution: $dpi, $dpi" "$work/tiffinfo.txt" || { echo "FAIL: tiffinfo resolution"; exit 1; }
fi
diff=$(compare -metric AE "$got" "$work/expected.bmp" null: 2>&1 || true)
echo "pixels differing: $diff"
[ "$diff" = 0 ] || { echo "FAIL: the image differs from the simulator's rendering"; exit 1; }
