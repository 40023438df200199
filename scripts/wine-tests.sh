#!/bin/bash
# wine-tests.sh - runs the tests of a Windows build under Wine on a private
# X display, then takes a screenshot of the program. The build's own Wine
# prefix (BUILD_DIR/wineprefix) is made on first use. Whatever this script
# starts (Xvfb, the prefix's wineserver) is stopped when it ends.
# Usage: scripts/wine-tests.sh BUILD_DIR
set -euo pipefail

if [ $# -ne 1 ] || [ ! -d "$1" ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "$1" && pwd)
export WINEPREFIX=$build/wineprefix
wineserver=/usr/lib/wine/wineserver
run() { "$scripts/wine-run.sh" "$@"; }

xvfb_pid=
display_file=
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    [ -z "$display_file" ] || rm -f "$display_file"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and writes it to fd 3.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>"$build/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "wine-tests.sh: Xvfb did not start, see $build/xvfb.log" >&2
        exit 1
    fi
    sleep 0.1
done
if [ ! -s "$display_file" ]; then
    echo "wine-tests.sh: Xvfb gave no display number" >&2
    exit 1
fi
export DISPLAY=:$(head -n 1 "$display_file")

# The prefix, once: the marker is written only when every setting is in.
if [ ! -e "$WINEPREFIX/.lz-prepared" ]; then
    echo "wine-tests.sh: preparing the Wine prefix $WINEPREFIX"
    run wineboot -i
    setting() { # setting KEY NAME VALUE
        run reg add "$1" /v "$2" /d "$3" /f >/dev/null
    }
    # no window manager decorations from the X side
    setting 'HKCU\Software\Wine\X11 Driver' Managed N
    # a crashing test ends at once instead of waiting in a debugger
    setting 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' Debugger 'lz-no-debugger.exe'
    setting 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' Auto 1
    # the dialogs' Japanese fonts, drawn with the IPA fonts
    for face in 'ＭＳ Ｐゴシック' 'MS UI Gothic'; do
        setting 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' "$face" IPAPGothic
        setting 'HKCU\Software\Wine\Fonts\Replacements' "$face" IPAPGothic
    done
    # Wine's own TrueType fonts (fonts-wine), Marlett for the caption
    # buttons above all, are found only in the prefix's font folder
    for font in /usr/share/wine/fonts/*.ttf; do
        [ -e "$font" ] && ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    # let the server write the registry out before the prefix counts as made
    "$wineserver" -w
    touch "$WINEPREFIX/.lz-prepared"
fi

status=0
ctest --test-dir "$build" --output-on-failure || status=$?

if [ -f "$build/LZUNINSTALL.EXE" ]; then
    "$scripts/screenshot.sh" "$build" || status=1
fi
exit $status
