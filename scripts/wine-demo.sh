#!/bin/bash
# wine-demo.sh - the real LZUNINSTALL.EXE (64-bit build) under Wine on the
# display in DISPLAY, over a sample installation made afresh in a Wine
# prefix of its own (build/demo-wineprefix). Shows what remains afterwards.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"
root=$(cd "$lz_scripts/.." && pwd)
export WINEPREFIX=$root/build/demo-wineprefix
trap '"$lz_wineserver" -k 2>/dev/null || true' EXIT
lz_prepare_prefix

product='HKLM\Software\VEMO\LumeoZelcor'
lz_wine reg add "$product\\1.0" /v DIRECTORY /d 'C:\Program Files\VEMO\LumeoZelcor' /f >/dev/null
lz_wine reg add "$product\\1.0\\Settings" /v Theme /d classic /f >/dev/null
lz_wine reg add "$product" /v StockBookPath /d 'C:\Program Files\VEMO\LumeoZelcor\StockBook' /f >/dev/null
lz_wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\LumeoZelcor' \
    /v DisplayName /d 'ルメオ ゼルコアバージョン' /f >/dev/null
"$lz_scripts/sample-files.sh" "$WINEPREFIX/drive_c" windows

show() {
    echo "== $1"
    (cd "$WINEPREFIX/drive_c" && find "Program Files/VEMO" "windows/Profiles" 2>/dev/null | sort | sed 's/^/  /')
    lz_wine reg query 'HKLM\Software\VEMO' /s 2>/dev/null | grep -i '^HKEY' | sed 's/^/  /' || true
}
show "sample installation (C: of $WINEPREFIX)"
echo "== starting LZUNINSTALL.EXE on $DISPLAY: press 実行 to uninstall"
lz_wine "$root/build/win64/LZUNINSTALL.EXE" || true
show "what remains"
