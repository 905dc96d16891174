#!/bin/sh
# Fails unless a shipped Windows binary carries its protections, as read from
# its PE header: ASLR and DEP (64-bit: high-entropy ASLR too); a program also
# terminal-server aware and, 32-bit, large-address aware, with a manifest
# naming its own architecture; the stack protector linked in (its code
# present, no libssp-0.dll needed beside it).
# Usage: check_pe.sh OBJDUMP FILE
set -u
file=$2
header=$("$1" -p "$file") || exit 1
fail() { echo "$file: $*" >&2; exit 1; }
has() { printf '%s\n' "$header" | grep -q "$1"; }

case $header in
    *"file format pei-i386"*) arch=x86 ;;
    *"file format pei-x86-64"*) arch=amd64 ;;
    *) fail "not a PE image of a known architecture" ;;
esac
flags="DYNAMIC_BASE NX_COMPAT"
[ $arch = amd64 ] && flags="$flags HIGH_ENTROPY_VA"
case $file in *.exe)
    flags="$flags TERMINAL_SERVICE_AWARE"
    [ $arch = x86 ] && { has "large address aware" || fail "not large address aware"; }
    manifest=$(grep -ao 'processorArchitecture="[^"]*"' "$file" | head -n 1)
    [ "$manifest" = "processorArchitecture=\"$arch\"" ] || [ "$manifest" = 'processorArchitecture="*"' ] ||
        fail "its manifest names ${manifest:-no architecture}, the image $arch"
esac
for flag in $flags; do has "$flag" || fail "no $flag"; done
has "DLL Name: libssp" && fail "needs libssp beside it"
grep -qa "stack smashing detected" "$file" || fail "no stack protector"
exit 0
