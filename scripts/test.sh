#!/bin/sh
# Sets up what is missing, builds, and runs every test with ctest: the host
# unit tests, the checks of the 32-bit product, and the tests that run under
# Wine. Leaves nothing running: Xvfb and the wineserver are stopped at the end.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-machine.sh"
"$root/scripts/build.sh"
arch=$(cat "$root/build/wine-arch")
winbuild="$root/build/$arch"
cleanup() {
  "$root/tools/xvfb-ctl" stop "$winbuild" "$winbuild/wineprefix" \
    "$( [ "$arch" = win32 ] && echo /usr/lib/wine/wineserver32 || echo /usr/lib/wine/wineserver64 )" || true
}
trap cleanup EXIT INT TERM
status=0
ctest --test-dir "$root/build/host" --output-on-failure -j 2 || status=1
ctest --test-dir "$root/build/win32" --output-on-failure || status=1
if [ "$arch" = win64 ]; then
  ctest --test-dir "$root/build/win64" --output-on-failure || status=1
fi
exit $status
