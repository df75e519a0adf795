#!/bin/sh
# Configures and builds everything under build/:
#   build/host   the portable code natively, with AddressSanitizer and
#                UndefinedBehaviorSanitizer, and its unit tests;
#   build/win32  the product for 32-bit Windows (PLNX_Q7B.DS, TWAIN_32.DLL,
#                PLNX_Q7B.IOB, twscan.exe) installed in its own Wine prefix;
#   build/win64  the same sources for 64-bit Windows, built only where the
#                kernel cannot run 32-bit programs, so that the Windows-side
#                tests and the main job still run under (64-bit) Wine.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
arch=$("$root/scripts/wine-arch.sh")

cmake -S "$root" -B "$root/build/host" -DPLNX_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/host" -j "$jobs"

run32=OFF
[ "$arch" = win32 ] && run32=ON
cmake -S "$root" -B "$root/build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw32.cmake" \
  -DPLNX_RUN_WINE_TESTS=$run32 -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/win32" -j "$jobs"

if [ "$arch" = win64 ]; then
  cmake -S "$root" -B "$root/build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-mingw32.cmake" \
    -DPLNX_RUN_WINE_TESTS=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$root/build/win64" -j "$jobs"
fi
echo "$arch" > "$root/build/wine-arch"
