#!/bin/bash
# sample-files.sh DRIVE_C WINDOWS_FOLDER_NAME - the files of a sample
# installation on drive C (a host folder): the installation folder with its
# stock book and the Start-menu group below the Windows folder. Prints
# nothing; anything of an earlier sample is replaced.
set -euo pipefail
c=${1:?usage: sample-files.sh DRIVE_C WINDOWS_FOLDER_NAME}
windows=${2:?usage: sample-files.sh DRIVE_C WINDOWS_FOLDER_NAME}
install="$c/Program Files/VEMO/LumeoZelcor"
group="$c/$windows/Profiles/All Users/ｽﾀｰﾄ ﾒﾆｭｰ/ﾌﾟﾛｸﾞﾗﾑ/ルメオ ゼルコアバージョン"
rm -rf "$install" "$group"
mkdir -p "$install/bin" "$install/StockBook/2026" "$install/help" "$group"
echo "main program" > "$install/bin/LZ7300.exe"
echo "explorer" > "$install/bin/LZExplorer.exe"
echo "manual" > "$install/help/manual.txt"
echo "ledger 2026" > "$install/StockBook/2026/ledger.dat"
echo "index" > "$install/StockBook/index.dat"
echo "shortcut" > "$group/ルメオ ゼルコアバージョン.lnk"
echo "shortcut" > "$group/ｱﾝｲﾝｽﾄｰﾙ.lnk"
