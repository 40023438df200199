#!/bin/bash
# check_imports_test.sh - the import check fed made-up import tables in
# objdump's layout: it passes a table of functions that Windows 95 and NT
# 4.0 export, and fails, naming the function, for each way a table can go
# wrong. Runs natively (ctest); needs no Windows build.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
check=$root/scripts/check-imports.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A table as objdump -p prints it: the header's subsystem version, then
# one block per DLL. Arguments: subsystem version, then DLL:FUNCTION pairs
# (FUNCTION "#7" stands for an import by ordinal 7).
table() {
    local version=$1 dll= entry name
    shift
    printf 'MajorSubsystemVersion\t%s\nMinorSubsystemVersion\t%s\n\n' "${version%.*}" "${version#*.}"
    printf 'The Import Tables (interpreted .idata section contents)\n'
    for entry in "$@"; do
        name=${entry#*:}
        if [ "${entry%%:*}" != "$dll" ]; then
            dll=${entry%%:*}
            printf '\n\tDLL Name: %s\n\tvma:  Hint/Ord Member-Name Bound-To\n' "$dll"
        fi
        if [[ $name == '#'* ]]; then
            printf '\t325ec\t %5s  <none>\n' "${name#\#}"
        else
            printf '\t325ec\t %5s  %s\n' 17 "$name"
        fi
    done
    printf '\n'
}

good=(KERNEL32.dll:GetVersionExA KERNEL32.dll:FindFirstFileA USER32.dll:MessageBoxA
    ADVAPI32.dll:RegDeleteKeyA msvcrt.dll:_mbscmp)

failures=0
# expect NAME STATUS PATTERN VERSION IMPORTS...: runs the check on the
# table and wants the exit status and a line of output matching PATTERN
expect() {
    local name=$1 status=$2 pattern=$3
    shift 3
    table "$@" >"$work/dump"
    local out rc=0
    out=$("$check" --objdump-output "$work/dump" TEST.EXE 2>&1) || rc=$?
    if [ "$rc" != "$status" ] || ! grep -qE -- "$pattern" <<<"$out"; then
        echo "FAIL $name: wanted status $status and /$pattern/, got status $rc:"
        sed 's/^/    /' <<<"$out"
        failures=$((failures + 1))
    else
        echo "ok   $name"
    fi
}

expect "functions of Windows 95 and NT 4.0 pass" 0 "5 imports, all present" \
    4.0 "${good[@]}"
expect "a Vista function fails, named" 1 "GetTickCount64 from KERNEL32.dll needs a newer Windows: .* NT family Vista" \
    4.0 "${good[@]}" KERNEL32.dll:GetTickCount64
expect "an XP function fails, named" 1 "AddVectoredExceptionHandler from KERNEL32.dll needs a newer Windows" \
    4.0 "${good[@]}" KERNEL32.dll:AddVectoredExceptionHandler
expect "a function missing on Windows 95 fails, named" 1 "TryEnterCriticalSection from KERNEL32.dll needs a newer Windows: 95/98/Me family none" \
    4.0 "${good[@]}" KERNEL32.dll:TryEnterCriticalSection
expect "a function of Windows 98 and 2000 fails, named" 1 "GetLongPathNameA from KERNEL32.dll needs a newer Windows: 95/98/Me family 98, NT family 2000" \
    4.0 "${good[@]}" KERNEL32.dll:GetLongPathNameA
expect "a function not on the list fails, named" 1 "GetDpiForWindow from USER32.dll is not on the list" \
    4.0 "${good[@]}" USER32.dll:GetDpiForWindow
expect "a listed name from another DLL fails" 1 "MessageBoxA from KERNEL32.dll is not on the list" \
    4.0 KERNEL32.dll:MessageBoxA
expect "DLL names compare without regard to case" 0 "1 imports, all present" \
    4.0 kernel32.dll:GetVersionExA
expect "an import by ordinal fails" 1 "USER32.dll: an import by ordinal \(7\)" \
    4.0 "${good[@]}" "USER32.dll:#7"
expect "subsystem version 5.1 fails" 1 "subsystem version 5.1" \
    5.1 "${good[@]}"
expect "every fault is named, not just the first" 1 "GetTickCount64" \
    4.0 KERNEL32.dll:IsDebuggerPresent KERNEL32.dll:GetTickCount64
expect "an empty table fails" 1 "no imports found" \
    4.0

if [ "$failures" -gt 0 ]; then
    echo "$failures case(s) failed"
    exit 1
fi
echo "every case passed"
