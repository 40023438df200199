#!/bin/bash
# sample-machine.sh DIR - writes a fresh machine of the native platform
# layer in DIR with the product installed: registry entries, the
# installation folder with its stock book, the Start-menu group and the
# uninstall entry, on a plain Japanese NT installation with the profile
# and shell folders of its one user and of all users. Anything already in
# DIR is replaced.
set -euo pipefail
dir=${1:?usage: sample-machine.sh DIR}
rm -rf "$dir"
mkdir -p "$dir/drives/c"
"$(dirname "$0")/sample-files.sh" "$dir/drives/c" WINDOWS
mkdir -p "$dir/drives/c/WINDOWS/system32" "$dir/drives/c/WINDOWS/Fonts" "$dir/drives/c/WINDOWS/ShellNew"
profiles="$dir/drives/c/WINDOWS/Profiles"
for folder in "ﾃﾞｽｸﾄｯﾌﾟ" "Personal" "お気に入り" "SendTo" "Recent" "NetHood" "Application Data" \
              "ｽﾀｰﾄ ﾒﾆｭｰ/ﾌﾟﾛｸﾞﾗﾑ/ｽﾀｰﾄｱｯﾌﾟ"; do
    mkdir -p "$profiles/Administrator/$folder"
done
mkdir -p "$profiles/All Users/ﾃﾞｽｸﾄｯﾌﾟ" "$profiles/All Users/ｽﾀｰﾄ ﾒﾆｭｰ/ﾌﾟﾛｸﾞﾗﾑ/ｽﾀｰﾄｱｯﾌﾟ"
cat > "$dir/machine.ini" <<'INI'
platform=NT
windows=C:\WINDOWS
environment=USERPROFILE=C:\WINDOWS\Profiles\Administrator
environment=ALLUSERSPROFILE=C:\WINDOWS\Profiles\All Users
INI
cat > "$dir/HKCU.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software]

[HKEY_CURRENT_USER\Software\Microsoft]

[HKEY_CURRENT_USER\Software\Microsoft\Windows]

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion]

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer]

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders]
"Desktop"="C:\\WINDOWS\\Profiles\\Administrator\\ﾃﾞｽｸﾄｯﾌﾟ"
"Personal"="C:\\WINDOWS\\Profiles\\Administrator\\Personal"
"Favorites"="C:\\WINDOWS\\Profiles\\Administrator\\お気に入り"
"Start Menu"="C:\\WINDOWS\\Profiles\\Administrator\\ｽﾀｰﾄ ﾒﾆｭｰ"
"Programs"="C:\\WINDOWS\\Profiles\\Administrator\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ"
"Startup"="C:\\WINDOWS\\Profiles\\Administrator\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ｽﾀｰﾄｱｯﾌﾟ"
"SendTo"="C:\\WINDOWS\\Profiles\\Administrator\\SendTo"
"Recent"="C:\\WINDOWS\\Profiles\\Administrator\\Recent"
"NetHood"="C:\\WINDOWS\\Profiles\\Administrator\\NetHood"
"AppData"="C:\\WINDOWS\\Profiles\\Administrator\\Application Data"
"Templates"="C:\\WINDOWS\\ShellNew"
"Fonts"="C:\\WINDOWS\\Fonts"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders]
REG
# The same folders as the system keeps them for the user: REG_EXPAND_SZ,
# written as hex(2) bytes of code page 932 text.
expand_sz() { # expand_sz NAME TEXT
    printf '"%s"=hex(2):%s00\n' "$1" "$(printf '%s' "$2" | iconv -f UTF-8 -t CP932 | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//')"
}
{
    expand_sz Desktop '%USERPROFILE%\ﾃﾞｽｸﾄｯﾌﾟ'
    expand_sz Personal '%USERPROFILE%\Personal'
    expand_sz Favorites '%USERPROFILE%\お気に入り'
    expand_sz 'Start Menu' '%USERPROFILE%\ｽﾀｰﾄ ﾒﾆｭｰ'
    expand_sz Programs '%USERPROFILE%\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ'
    expand_sz Startup '%USERPROFILE%\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ\ｽﾀｰﾄｱｯﾌﾟ'
    expand_sz AppData '%USERPROFILE%\Application Data'
    expand_sz Fonts '%SystemRoot%\Fonts'
} >> "$dir/HKCU.reg"
cat > "$dir/HKLM.reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\SOFTWARE]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion]
"ProgramFilesDir"="C:\\Program Files"
"CommonFilesDir"="C:\\Program Files\\Common Files"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders]
"Common Desktop"="C:\\WINDOWS\\Profiles\\All Users\\ﾃﾞｽｸﾄｯﾌﾟ"
"Common Start Menu"="C:\\WINDOWS\\Profiles\\All Users\\ｽﾀｰﾄ ﾒﾆｭｰ"
"Common Programs"="C:\\WINDOWS\\Profiles\\All Users\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ"
"Common Startup"="C:\\WINDOWS\\Profiles\\All Users\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ｽﾀｰﾄｱｯﾌﾟ"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LumeoZelcor]
"DisplayName"="ルメオ ゼルコアバージョン"
"UninstallString"="C:\\Program Files\\VEMO\\LumeoZelcor\\LZUNINSTALL.EXE"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\ProfileList]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\ProfileList\S-1-5-21-1004336348-1177238915-682003330-500]
"ProfileImagePath"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,50,72,6f,66,69,6c,65,73,5c,41,64,6d,69,6e,69,73,74,72,61,74,6f,72,00

[HKEY_LOCAL_MACHINE\SOFTWARE\VEMO]

[HKEY_LOCAL_MACHINE\SOFTWARE\VEMO\LumeoZelcor]
"StockBookPath"="C:\\Program Files\\VEMO\\LumeoZelcor\\StockBook"

[HKEY_LOCAL_MACHINE\SOFTWARE\VEMO\LumeoZelcor\1.0]
"DIRECTORY"="C:\\Program Files\\VEMO\\LumeoZelcor"

[HKEY_LOCAL_MACHINE\SOFTWARE\VEMO\LumeoZelcor\1.0\Settings]
"Theme"="classic"
REG
