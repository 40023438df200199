#!/bin/bash
# wine-tests.sh - runs the tests of a Windows build under Wine on a private
# X display, then takes a screenshot of the program they drive. The build's own Wine
# prefix (BUILD_DIR/wineprefix) is made on first use. Whatever this script
# starts (Xvfb, the prefix's wineserver) is stopped when it ends.
# Usage: scripts/wine-tests.sh BUILD_DIR
set -euo pipefail

if [ $# -ne 1 ] || [ ! -d "$1" ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"
lz_build_session "$1"

status=0
ctest --test-dir "$build" --output-on-failure || status=$?

# the program the tree's end-to-end tests drive, else the one built in it
program=$(sed -n 's/^LZ_PROGRAM_UNDER_TEST:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
[ -n "$program" ] || program=$build/LZUNINSTALL.EXE
if [ -f "$program" ]; then
    "$lz_scripts/screenshot.sh" "$build" "$program" || status=1
fi
exit $status
