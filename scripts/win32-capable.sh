#!/bin/bash
# win32-capable.sh - tells whether this machine can run the 32-bit release
# under Wine. Exits 0 when it can; otherwise prints why on standard output
# and exits 1.
#   --kernel  asks only whether the kernel runs 32-bit x86 programs (what
#             deps.sh needs to know before it installs wine32:i386)
# The kernel is asked by running the smallest 32-bit x86 ELF program there
# is: it exits with status 42 through the int 0x80 system call, so any
# other outcome (exec format error above all) means no 32-bit support.
set -euo pipefail

kernel_only=0
[ "${1:-}" = --kernel ] && kernel_only=1

# in the build folder, since /tmp may forbid running programs
build=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build
mkdir -p "$build"
probe=$(mktemp -p "$build" ia32-probe.XXXXXX)
trap 'rm -f "$probe"' EXIT
{
    # ELF header: 32-bit, little-endian, executable, i386, entry 0x08048054,
    # program headers at 52, one of 32 bytes
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
    printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'
    printf '\x00\x00\x00\x00'
    # one loadable segment: the whole file at 0x08048000, read and execute
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
    printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
    # mov ebx, 42; mov eax, 1 (exit); int 0x80
    printf '\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80'
} >"$probe"
chmod +x "$probe"
status=0
"$probe" 2>/dev/null || status=$?
if [ "$status" != 42 ]; then
    echo "the kernel does not run 32-bit x86 programs"
    exit 1
fi
[ "$kernel_only" = 1 ] && exit 0

if [ ! -x /usr/lib/wine/wine ]; then
    echo "32-bit Wine (wine32:i386) is not installed"
    exit 1
fi
exit 0
