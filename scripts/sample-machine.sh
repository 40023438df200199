#!/bin/bash
# sample-machine.sh DIR - writes a fresh machine of the native platform
# layer in DIR with the product installed: registry entries, the
# installation folder with its stock book, the Start-menu group and the
# uninstall entry. Anything already in DIR is replaced.
set -euo pipefail
dir=${1:?usage: sample-machine.sh DIR}
rm -rf "$dir"
mkdir -p "$dir/drives/c"
"$(dirname "$0")/sample-files.sh" "$dir/drives/c" WINDOWS
mkdir -p "$dir/drives/c/WINDOWS/system32"
cat > "$dir/machine.ini" <<'INI'
platform=NT
windows=C:\WINDOWS
INI
cat > "$dir/HKLM.reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\SOFTWARE]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion]
"ProgramFilesDir"="C:\\Program Files"
"CommonFilesDir"="C:\\Program Files\\Common Files"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LumeoZelcor]
"DisplayName"="ルメオ ゼルコアバージョン"
"UninstallString"="C:\\Program Files\\VEMO\\LumeoZelcor\\LZUNINSTALL.EXE"

[HKEY_LOCAL_MACHINE\SOFTWARE\VEMO]

[HKEY_LOCAL_MACHINE\SOFTWARE\VEMO\LumeoZelcor]
"StockBookPath"="C:\\Program Files\\VEMO\\LumeoZelcor\\StockBook"

[HKEY_LOCAL_MACHINE\SOFTWARE\VEMO\LumeoZelcor\1.0]
"DIRECTORY"="C:\\Program Files\\VEMO\\LumeoZelcor"

[HKEY_LOCAL_MACHINE\SOFTWARE\VEMO\LumeoZelcor\1.0\Settings]
"Theme"="classic"
REG
