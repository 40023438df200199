#!/bin/bash
# run-fuzzers.sh BUILD_DIR - runs each libFuzzer target that the build lists
# in BUILD_DIR/fuzz/targets.txt for a bounded time (FUZZ_SECONDS each, 30 by
# default) from its seed corpus fuzz/seeds/<target>/; fails on a finding,
# whose input is kept in BUILD_DIR/fuzz/findings/. Everything the fuzzers
# make, their scratch machines included (TMPDIR points into this run's own
# folder), is removed at the end, and nothing of another run.
set -euo pipefail
build=$(cd "${1:?usage: run-fuzzers.sh BUILD_DIR}" && pwd)
seconds=${FUZZ_SECONDS:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
list=$build/fuzz/targets.txt
[ -s "$list" ] || { echo "no fuzz targets listed in $list: build the fuzz preset first" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/lzfuzz-run-XXXXXX")
trap 'rm -rf "$work"' EXIT
findings=$build/fuzz/findings
mkdir -p "$findings"
count=0
while read -r target max_len; do
    [ -n "$target" ] || continue
    seeds=$root/fuzz/seeds/$target
    [ -d "$seeds" ] || { echo "$target has no seed corpus in $seeds" >&2; exit 1; }
    corpus=$work/corpus/$target
    mkdir -p "$corpus" "$work/tmp"
    cp "$seeds"/* "$corpus"/
    echo "fuzzing $target for ${seconds}s"
    (cd "$work" && TMPDIR=$work/tmp "$build/fuzz/$target" -max_total_time="$seconds" -max_len="$max_len" \
        -print_final_stats=0 -artifact_prefix="$findings/$target-" "$corpus" 2>"$work/$target.log") ||
        { tail -50 "$work/$target.log"; echo "$target: finding kept in $findings" >&2; exit 1; }
    grep -E "^Done|#[0-9]+ *DONE" "$work/$target.log" | tail -1 || true
    count=$((count + 1))
done <"$list"
echo "fuzzers: $count targets, no finding"
