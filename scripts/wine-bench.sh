#!/bin/bash
# wine-bench.sh - runs the Windows build's folder removal benchmark under
# Wine, in the build's own prefix (BUILD_DIR/wineprefix, made on first use)
# on a private X display; stops both when it ends.
# Usage: scripts/wine-bench.sh BUILD_DIR
set -euo pipefail

if [ $# -ne 1 ] || [ ! -f "$1/bench/remove_folder_wine_bench.exe" ]; then
    echo "usage: $0 BUILD_DIR (with bench/remove_folder_wine_bench.exe built)" >&2
    exit 2
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"
lz_build_session "$1"
lz_wine "$build/bench/remove_folder_wine_bench.exe"
