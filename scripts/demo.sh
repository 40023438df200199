#!/bin/bash
# demo.sh - the main job on a built-in sample installation, made afresh:
# under Wine with a display when the Windows build is there, otherwise the
# native engine on a sample machine of the platform layer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
machine=$root/build/demo-machine

show() { (cd "$1" && find . -mindepth 1 | sort | sed 's/^\.\//  /'); }

if [ -n "${DISPLAY:-}" ] && [ -x "$root/build/win64/LZUNINSTALL.EXE" ] && [ -x /usr/lib/wine/wine64 ]; then
    exec "$root/scripts/wine-demo.sh"
fi

"$root/scripts/sample-machine.sh" "$machine"
echo "== sample installation (drive C: of $machine)"
show "$machine/drives/c"
echo "== registry before"
grep '^\[' "$machine/HKLM.reg" | sed 's/^/  /'
echo "== running the uninstall (stock book removed too)"
LZPORT_MACHINE=$machine "$root/build/native/tools/engine_demo" "$@"
echo "== what remains on drive C:"
show "$machine/drives/c"
echo "== registry after"
grep '^\[' "$machine/HKLM.reg" | sed 's/^/  /'
