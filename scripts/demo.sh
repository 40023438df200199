#!/bin/bash
# demo.sh - the main job on a built-in sample installation, made afresh:
# under Wine with a display when the Windows build is there, otherwise the
# native program on a sample machine of the platform layer: in this
# terminal when there is one, else as a scripted session that presses
# 実行, answers はい and closes the result, printing every screen.
# --keep-stockbook unticks the stock book box in the scripted session.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
machine=$root/build/demo-machine
program=$root/build/native/lzuninstall

show() { (cd "$1" && find . -mindepth 1 | sort | sed 's/^\.\//  /'); }

if [ -n "${DISPLAY:-}" ] && [ -x "$root/build/win64/LZUNINSTALL.EXE" ] && [ -x /usr/lib/wine/wine64 ]; then
    exec "$root/scripts/wine-demo.sh"
fi

# Keys of the scripted session: focus starts on ｷｬﾝｾﾙ; Tab moves to 実行,
# Enter presses it, Enter answers はい (the default) and Enter closes the
# result. Unticking: Tab on to the check box, Space, Shift-Tab back to 実行.
keys='\t\r\r\r'
if [ "${1:-}" = --keep-stockbook ]; then
    keys='\t\t \033[Z\r\r\r'
fi

"$root/scripts/sample-machine.sh" "$machine"
echo "== sample installation (drive C: of $machine)"
show "$machine/drives/c"
echo "== registry before"
grep '^\[' "$machine/HKLM.reg" | sed 's/^/  /'
if [ -t 0 ] && [ -t 1 ]; then
    echo "== the uninstaller (Tab/Shift-Tab move, Enter presses, Space ticks, Esc cancels, Alt-Space or F10 opens the system menu)"
    LZPORT_MACHINE=$machine "$program"
else
    echo "== a scripted session: Tab to 実行, Enter, Enter for はい, Enter for OK"
    # shellcheck disable=SC2059 # the keys are printf escapes on purpose
    printf "$keys" | LZPORT_MACHINE=$machine "$program"
fi
echo "== what remains on drive C:"
show "$machine/drives/c"
echo "== registry after"
grep '^\[' "$machine/HKLM.reg" | sed 's/^/  /'
