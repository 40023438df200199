#!/bin/bash
# wine-run.sh - runs a Windows program under 64-bit Wine in the project's
# prefix, with a Japanese locale (ANSI code page 932) and without Wine's
# debug output or its Mono and Gecko installers. ctest uses it to run the
# Windows test programs. Usage: scripts/wine-run.sh PROGRAM [ARGS...]
# Environment: WINEPREFIX (default build/win64/wineprefix), DISPLAY as given.
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 PROGRAM [ARGS...]" >&2
    exit 2
fi

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/win64/wineprefix}
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

exec /usr/lib/wine/wine64 "$@"
