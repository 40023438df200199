# wine-lib.sh - shared by the Wine scripts (source it): a private X display
# and a prepared Wine prefix. Callers set WINEPREFIX and stop what they
# started with lz_wine_cleanup (Xvfb by its PID, the prefix's wineserver).
lz_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lz_wineserver=/usr/lib/wine/wineserver
lz_xvfb_pid=
lz_display_file=

lz_wine() { "$lz_scripts/wine-run.sh" "$@"; }

# lz_start_xvfb LOGFILE: an X display of our own; Xvfb picks a free number.
lz_start_xvfb() {
    lz_display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$lz_display_file" 2>"$1" &
    lz_xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$lz_display_file" ] && break
        if ! kill -0 "$lz_xvfb_pid" 2>/dev/null; then
            echo "Xvfb did not start, see $1" >&2
            return 1
        fi
        sleep 0.1
    done
    if [ ! -s "$lz_display_file" ]; then
        echo "Xvfb gave no display number" >&2
        return 1
    fi
    export DISPLAY=:$(head -n 1 "$lz_display_file")
}

lz_wine_cleanup() {
    "$lz_wineserver" -k 2>/dev/null || true
    if [ -n "$lz_xvfb_pid" ]; then
        kill "$lz_xvfb_pid" 2>/dev/null || true
        wait "$lz_xvfb_pid" 2>/dev/null || true
    fi
    [ -z "$lz_display_file" ] || rm -f "$lz_display_file"
}

# lz_pe_bits PROGRAM: 32 or 64, from the magic of the PE optional header
lz_pe_bits() {
    local pe magic
    pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    magic=$(od -An -tx2 -j$((pe + 24)) -N2 "$1" | tr -d ' ')
    if [ "$magic" = 020b ]; then echo 64; else echo 32; fi
}

# lz_reg_view PROGRAM: the reg.exe option that reaches the registry view
# PROGRAM sees: a 32-bit program sees HKLM\Software through WOW6432Node
lz_reg_view() {
    if [ "$(lz_pe_bits "$1")" = 32 ]; then echo /reg:32; else echo /reg:64; fi
}

# lz_prepare_prefix: makes $WINEPREFIX once; the marker is written only
# when every setting is in. A prefix made before 32-bit Wine was installed
# has no 32-bit side (syswow64) and cannot run the 32-bit release: once
# 32-bit Wine is there, such a prefix is made again.
lz_prepare_prefix() {
    if [ -e "$WINEPREFIX/.lz-prepared" ] && [ -x /usr/lib/wine/wine ] &&
        [ ! -e "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
        echo "the Wine prefix $WINEPREFIX has no 32-bit side (made before wine32 was installed): making it again"
        "$lz_wineserver" -k 2>/dev/null || true
        "$lz_wineserver" -w 2>/dev/null || true
        rm -rf "$WINEPREFIX"
    fi
    [ -e "$WINEPREFIX/.lz-prepared" ] && return 0
    echo "preparing the Wine prefix $WINEPREFIX"
    lz_wine wineboot -i
    setting() { # setting KEY NAME VALUE, in the 32-bit view too where there is one
        lz_wine reg add "$1" /v "$2" /d "$3" /f >/dev/null
        if [ -x /usr/lib/wine/wine ]; then
            lz_wine reg add "$1" /v "$2" /d "$3" /f /reg:32 >/dev/null
        fi
    }
    # no window manager decorations from the X side
    setting 'HKCU\Software\Wine\X11 Driver' Managed N
    # a crashing program ends at once instead of waiting in a debugger
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
    "$lz_wineserver" -w
    touch "$WINEPREFIX/.lz-prepared"
}

# lz_build_session BUILD_DIR: the build's own prefix (BUILD_DIR/wineprefix,
# made on first use) on an X display of our own, both stopped when the
# calling script ends. Sets build to the build folder's full path.
lz_build_session() {
    build=$(cd "$1" && pwd)
    export WINEPREFIX=$build/wineprefix
    trap lz_wine_cleanup EXIT
    lz_start_xvfb "$build/xvfb.log"
    lz_prepare_prefix
}
