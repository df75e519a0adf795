#!/bin/sh
# acquisition_e2e.sh BUILD_DIR PIXEL DPI XFER
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

"$run" "$build/tools/twscan.exe" --pixel "$pixel" --dpi "$dpi" --xfer "$xfer" --frame 1,1.25,3,2.5 \
  --out "$(towin "$work/got.bmp")" > "$work/twscan.log" 2>&1 || { cat "$work/twscan.log"; exit 1; }
cat "$work/twscan.log"
"$run" "$build/tests/wine/expected_scan.exe" "$record_win" "$(towin "$work/expected.bmp")"

identify "$work/got.bmp" "$work/expected.bmp"
got=$(identify -format '%w x %h' "$work/got.bmp")
want=$(identify -format '%w x %h' "$work/expected.bmp")
[ "$got" = "$want" ] || { echo "FAIL: size $got, expected $want"; exit 1; }
diff=$(compare -metric AE "$work/got.bmp" "$work/expected.bmp" null: 2>&1 || true)
echo "pixels differing: $diff"
[ "$diff" = 0 ] || { echo "FAIL: the image differs from the simulator's rendering"; exit 1; }
