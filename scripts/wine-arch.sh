#!/bin/sh
# Prints the Windows build whose programs this machine can run under Wine:
# "win32" where the kernel runs 32-bit programs (32-bit Wine), else "win64"
# (64-bit Wine runs the 64-bit build of the same sources).
if [ -x /lib/ld-linux.so.2 ] && [ -x /usr/lib/wine/wine ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1 \
   && ! grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; then
  echo win32
else
  echo win64
fi
