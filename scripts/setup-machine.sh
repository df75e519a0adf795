#!/bin/sh
# Installs what the build and the tests need on a Debian machine, as root.
# Safe to run again: packages already present are left alone.
set -eu
need=""
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for p in cmake g++ make googletest libgtest-dev libbenchmark-dev clang \
         g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 \
         wine wine64 xvfb x11-utils imagemagick libtiff-tools; do
  have "$p" || need="$need $p"
done
have wine32:i386 || need="$need wine32:i386"
if [ -n "$need" ]; then
  echo "Installing:$need"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q $need
fi
