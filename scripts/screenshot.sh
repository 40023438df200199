#!/bin/bash
# screenshot.sh - shows LZUNINSTALL.EXE (PROGRAM, by default the one in
# BUILD_DIR) in a 640x480 Wine virtual desktop with a sample installation
# registered in the registry view the program sees, and saves the desktop
# as BUILD_DIR/screenshot.png. Needs an X display (DISPLAY) and a prepared
# prefix (WINEPREFIX, default BUILD_DIR/wineprefix): scripts/wine-tests.sh
# provides both. Ends every Wine process of the prefix when done.
# Usage: scripts/screenshot.sh BUILD_DIR [PROGRAM]
set -euo pipefail

program=${2:-${1:-}/LZUNINSTALL.EXE}
if [ $# -lt 1 ] || [ $# -gt 2 ] || [ ! -d "$1" ] || [ ! -f "$program" ] || [ -z "${DISPLAY:-}" ]; then
    echo "usage: DISPLAY=... $0 BUILD_DIR [PROGRAM]   (PROGRAM defaults to BUILD_DIR/LZUNINSTALL.EXE)" >&2
    exit 2
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"
scripts=$lz_scripts
build=$(cd "$1" && pwd)
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
view=$(lz_reg_view "$program")
run() { "$scripts/wine-run.sh" "$@"; }
caption='ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄｰﾗｰ'
size=640x480
company='HKLM\Software\VEMO'
product="$company\\LumeoZelcor"

# the sample installation; taken out again afterwards
company_existed=0
run reg query "$company" "$view" >/dev/null 2>&1 && company_existed=1
run reg add "$product\\1.0" /v DIRECTORY /d 'C:\Program Files\VEMO\LumeoZelcor' /f "$view" >/dev/null
run reg add "$product" /v StockBookPath /d 'C:\Program Files\VEMO\LumeoZelcor\StockBook' /f "$view" >/dev/null

program_pid=
finish() {
    if [ "$company_existed" = 1 ]; then
        run reg delete "$product" /f "$view" >/dev/null 2>&1 || true
    else
        run reg delete "$company" /f "$view" >/dev/null 2>&1 || true
    fi
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    [ -z "$program_pid" ] || wait "$program_pid" 2>/dev/null || true
}
trap finish EXIT

(cd "$(dirname "$program")" && exec "$scripts/wine-run.sh" explorer "/desktop=shot,$size" "$(basename "$program")") \
    >"$build/screenshot.log" 2>&1 &
program_pid=$!

# the dialog is an X window of its own inside the desktop window
shown=0
for _ in $(seq 120); do
    if xwininfo -root -tree | grep -qF "\"$caption\""; then
        shown=1
        break
    fi
    sleep 0.5
done
if [ "$shown" = 0 ]; then
    echo "screenshot.sh: the dialog did not appear within 60 seconds" >&2
fi
sleep 1 # let the dialog finish painting

# the desktop window's part of the screen
geometry=$(xwininfo -root -tree | grep -o " $size+[0-9-]*+[0-9-]*" | head -n 1 | tr -d ' ')
import -window root ${geometry:+-crop "$geometry" +repage} "$build/screenshot.png"
echo "screenshot.sh: wrote $build/screenshot.png"
[ "$shown" = 1 ]
