#!/bin/bash
# windows-tests.sh - builds the Windows test programs and runs them under
# Wine against the program that ships: the i686 release
# build/win32/LZUNINSTALL.EXE, in a 64-bit prefix, as 64-bit Windows runs
# it (tests of preset win32-tests). Where this machine cannot run 32-bit
# programs it says so on a line of its own and tests the x86_64 twin,
# built exactly as the release, instead (preset win64-tests).
# Expects both programs built (make windows). Usage: scripts/windows-tests.sh [JOBS]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${1:-2}
cd "$root"

if why=$(scripts/win32-capable.sh); then
    preset=win32-tests
else
    echo "windows-tests: this machine cannot run 32-bit programs ($why): testing the 64-bit twin build/win64/LZUNINSTALL.EXE instead of the release"
    preset=win64-tests
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$jobs"
exec scripts/wine-tests.sh "build/$preset"
