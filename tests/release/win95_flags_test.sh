#!/bin/bash
# win95_flags_test.sh - the message box, menu, dialog and extended window
# flags that the framework and the program name in their sources are all
# ones Windows 95 and NT 4.0 know. A flag of a later Windows (the shell
# font DS_SHELLFONT and DS_FIXEDSYS, MB_CANCELTRYCONTINUE, MB_RTLREADING,
# WS_EX_LAYERED...) is not on the list below and fails the test, named.
# Runs natively (ctest).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Flags of Windows 95 and NT 4.0, from the old MessageBox, AppendMenu,
# dialog box style and extended window style pages.
allowed=" MB_OK MB_OKCANCEL MB_ABORTRETRYIGNORE MB_YESNOCANCEL MB_YESNO MB_RETRYCANCEL
 MB_ICONHAND MB_ICONSTOP MB_ICONERROR MB_ICONQUESTION MB_ICONEXCLAMATION MB_ICONWARNING
 MB_ICONASTERISK MB_ICONINFORMATION MB_DEFBUTTON1 MB_DEFBUTTON2 MB_DEFBUTTON3 MB_DEFBUTTON4
 MB_APPLMODAL MB_SYSTEMMODAL MB_TASKMODAL MB_HELP MB_NOFOCUS MB_SETFOREGROUND MB_TOPMOST
 MB_TYPEMASK MB_ICONMASK MB_DEFMASK MB_MODEMASK MB_MISCMASK
 MF_STRING MF_SEPARATOR MF_BYCOMMAND MF_BYPOSITION MF_GRAYED MF_DISABLED MF_ENABLED
 MF_CHECKED MF_UNCHECKED MF_POPUP MF_MENUBREAK MF_MENUBARBREAK MF_OWNERDRAW MF_BITMAP
 DS_ABSALIGN DS_SYSMODAL DS_3DLOOK DS_NOFAILCREATE DS_LOCALEDIT DS_SETFONT DS_MODALFRAME
 DS_NOIDLEMSG DS_SETFOREGROUND DS_CONTROL DS_CENTER DS_CENTERMOUSE DS_CONTEXTHELP
 WS_EX_DLGMODALFRAME WS_EX_NOPARENTNOTIFY WS_EX_TOPMOST WS_EX_ACCEPTFILES WS_EX_TRANSPARENT
 WS_EX_MDICHILD WS_EX_TOOLWINDOW WS_EX_WINDOWEDGE WS_EX_CLIENTEDGE WS_EX_CONTEXTHELP
 WS_EX_RIGHT WS_EX_LEFT WS_EX_LTRREADING WS_EX_RIGHTSCROLLBAR WS_EX_LEFTSCROLLBAR
 WS_EX_CONTROLPARENT WS_EX_STATICEDGE WS_EX_APPWINDOW WS_EX_OVERLAPPEDWINDOW WS_EX_PALETTEWINDOW "

# check_sources DIR...: every flag named in the C++ sources below DIRs
check_sources() {
    local faults=0 use flag
    while IFS= read -r use; do
        flag=${use##*:}
        if [[ $allowed != *" $flag "* ]]; then
            echo "${use%:*}: $flag is newer than Windows 95 and NT 4.0 (or not on the list)"
            faults=$((faults + 1))
        fi
    done < <(grep -rnoE --include='*.cpp' --include='*.h' '\b(MB|MF|DS|WS_EX)_[A-Z0-9_]+\b' "$@" |
        sed -E 's/^([^:]*:[0-9]+):/\1:/' | sort -u)
    return $((faults > 0))
}

status=0
# the test of the test: a source naming the shell font and a newer button set
sample=$(mktemp -d)
trap 'rm -rf "$sample"' EXIT
printf 'int a = DS_SHELLFONT | DS_SETFONT;\nint b = MB_CANCELTRYCONTINUE | MB_ICONHAND;\n' >"$sample/newer.cpp"
out=$(check_sources "$sample")
if [ $? = 0 ] || ! grep -q 'DS_SHELLFONT is newer' <<<"$out" || ! grep -q 'MB_CANCELTRYCONTINUE is newer' <<<"$out" ||
    grep -q 'DS_SETFONT\|MB_ICONHAND' <<<"$out"; then
    echo "FAIL the check does not tell newer flags from Windows 95 ones:"
    echo "$out"
    status=1
fi

if ! check_sources "$root/framework" "$root/ui" "$root/engine"; then
    status=1
fi
[ "$status" = 0 ] && echo "every message box, menu and dialog flag is one of Windows 95 and NT 4.0"
exit $status
