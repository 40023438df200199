#!/bin/bash
# run-fuzzers.sh BUILD_DIR - runs each libFuzzer target for a bounded time
# (FUZZ_SECONDS each, 30 by default) from a seed corpus; fails on a finding.
set -euo pipefail
build=$(cd "${1:?usage: run-fuzzers.sh BUILD_DIR}" && pwd)
seconds=${FUZZ_SECONDS:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work" /tmp/lzfuzz-*' EXIT
for target in cp932_fuzz path_split_fuzz folder_guard_fuzz; do
    corpus=$work/$target
    mkdir -p "$corpus"
    cp "$root"/fuzz/seeds/* "$corpus"/ 2>/dev/null || true
    echo "fuzzing $target for ${seconds}s"
    (cd "$work" && "$build/fuzz/$target" -max_total_time="$seconds" -max_len=512 -print_final_stats=0 \
        "$corpus" 2>"$work/$target.log") || { tail -50 "$work/$target.log"; exit 1; }
    grep -E "^Done|#[0-9]+ *DONE" "$work/$target.log" | tail -1 || true
done
echo "fuzzers: no finding"
