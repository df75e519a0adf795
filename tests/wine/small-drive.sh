#!/bin/sh
# small-drive.sh setup|cleanup BUILD_DIR
# A drive T: of exactly 16 MiB for the disk-space tests: a tmpfs mounted in
# the build folder and linked into the prefix's dosdevices. Without the
# right to mount, no T: is made and the tests that need it skip.
set -u
cmd="$1"; build="$2"
mnt="$build/small-drive"
link="$build/wineprefix/dosdevices/t:"
case "$cmd" in
setup)
  mkdir -p "$mnt"
  mountpoint -q "$mnt" && umount "$mnt"
  if mount -t tmpfs -o size=16m tmpfs "$mnt" 2>/dev/null; then
    ln -sfn "$mnt" "$link"
    echo "T: is a 16 MiB drive at $mnt"
  else
    rm -f "$link"
    echo "cannot mount a small drive here; the disk-space tests will skip"
  fi ;;
cleanup)
  rm -f "$link"
  mountpoint -q "$mnt" && umount "$mnt"
  rmdir "$mnt" 2>/dev/null ;;
esac
exit 0
