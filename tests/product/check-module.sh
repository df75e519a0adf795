#!/bin/sh
# check-module.sh OBJDUMP MODULE [--export NAME]... [--ordinal-export N NAME] [--import-ordinal DLL N]
# Checks a built Windows module with objdump: the undecorated exports it
# must have, an export at a given ordinal, an import by ordinal, and that it
# needs no DLL beyond the Windows system DLLs (and TWAIN_32.DLL).
set -eu
objdump="$1"; module="$2"; shift 2
dump=$("$objdump" -p "$module")
fail() { echo "FAIL: $module: $*" >&2; exit 1; }
names=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
while [ $# -gt 0 ]; do
  case "$1" in
  --export)
    printf '%s\n' "$names" | grep -Eq "\] $2\$" || fail "no undecorated export $2"
    shift 2 ;;
  --ordinal-export)
    # The name table lists "[index] name"; the ordinal is index + base.
    base=$(printf '%s\n' "$dump" | sed -n 's/.*Ordinal Base \([0-9]*\).*/\1/p' | head -1)
    line=$(printf '%s\n' "$dump" | sed -n '/Export Address Table -- Ordinal Base/,/^$/p' | grep -E "\+base\[ *$2\]" || true)
    [ -n "$line" ] || fail "no export at ordinal $2 (base $base)"
    printf '%s\n' "$names" | grep -Eq "\] $3\$" || fail "no export named $3"
    shift 3 ;;
  --import-ordinal)
    printf '%s\n' "$dump" | sed -n "/DLL Name: $2/,/^\$/p" | grep -Eq "^[[:space:]]+[0-9a-f]+[[:space:]]+0*$3[[:space:]]+<none>" \
      || fail "does not import ordinal $3 of $2"
    shift 3 ;;
  *) fail "unknown check $1" ;;
  esac
done
dlls=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'a-z' 'A-Z' | sort -u)
for d in $dlls; do
  case "$d" in
  KERNEL32.DLL|USER32.DLL|GDI32.DLL|MSVCRT.DLL|ADVAPI32.DLL|COMDLG32.DLL|SHELL32.DLL|TWAIN_32.DLL) ;;
  *) fail "needs $d, which is not a Windows system DLL" ;;
  esac
done
echo "ok: $module ($(echo $dlls | tr '\n' ' '))"
