#!/bin/bash
# check-imports.sh - checks that a Windows program loads on Windows 95 and
# NT 4.0: every function in its import table must be on the list of allowed
# imports with 95 as its oldest 95/98/Me system and 4.0 or older as its
# oldest NT, nothing may be imported by ordinal alone, and the header must
# ask for subsystem version 4.0. Prints one line per fault and exits 1 if
# there is any.
# Usage: scripts/check-imports.sh [--objdump-output FILE] PROGRAM.EXE [LIST]
#   LIST defaults to docs/windows-imports.txt. With --objdump-output the
#   import table is read from FILE (the output of objdump -p) instead of
#   running i686-w64-mingw32-objdump, which is how the check's own test
#   feeds it made-up tables.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dump=
if [ "${1:-}" = --objdump-output ]; then
    dump=$2
    shift 2
fi
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 [--objdump-output FILE] PROGRAM.EXE [LIST]" >&2
    exit 2
fi
program=$1
list=${2:-$root/docs/windows-imports.txt}

if [ -z "$dump" ]; then
    dump=$(mktemp)
    trap 'rm -f "$dump"' EXIT
    i686-w64-mingw32-objdump -p "$program" >"$dump"
fi

awk -v program="$program" -v list="$list" '
    BEGIN {
        # NT versions up to 4.0; anything else in that column is newer
        oldnt["3.1"] = oldnt["3.5"] = oldnt["3.51"] = oldnt["4.0"] = 1
        while ((getline line < list) > 0) {
            if (line ~ /^[ \t]*(#|$)/)
                continue
            n = split(line, f, /[ \t]+/)
            if (n < 4) {
                printf "%s: malformed line: %s\n", list, line
                faults++
                continue
            }
            key = tolower(f[1]) "!" f[2]
            win9x[key] = f[3]
            nt[key] = f[4]
        }
        close(list)
    }
    /^[A-Za-z]+SubsystemVersion\t/ { subsys[$1] = $2 }
    /^\tDLL Name: / { dll = $3; next }
    # an import line: address, hint or ordinal, and the name if there is one
    dll != "" && /^\t[0-9a-f]+\t/ {
        if (NF < 3 || $3 == "<none>") {
            printf "%s: %s: an import by ordinal (%s), which differs from one Windows to the next\n", program, dll, $2
            faults++
            next
        }
        imports++
        key = tolower(dll) "!" $3
        if (!(key in win9x)) {
            printf "%s: %s from %s is not on the list of allowed imports (%s)\n", program, $3, dll, list
            faults++
        } else if (win9x[key] != "95" || !(nt[key] in oldnt)) {
            printf "%s: %s from %s needs a newer Windows: 95/98/Me family %s, NT family %s\n", \
                program, $3, dll, win9x[key], nt[key]
            faults++
        }
        next
    }
    /^$/ { if (dll != "") dll = "" }
    END {
        if (imports == 0) {
            printf "%s: no imports found: not a program objdump can read\n", program
            faults++
        }
        if (subsys["MajorSubsystemVersion"] != "4" || subsys["MinorSubsystemVersion"] != "0") {
            printf "%s: subsystem version %s.%s; Windows 95 and NT 4.0 load 4.0 and older\n", program,
                subsys["MajorSubsystemVersion"], subsys["MinorSubsystemVersion"]
            faults++
        }
        if (faults)
            exit 1
        printf "%s: %d imports, all present on Windows 95 and NT 4.0\n", program, imports
    }
' "$dump"
