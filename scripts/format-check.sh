#!/bin/bash
# format-check.sh - the C and C++ files that the commit being tested touches
# (HEAD against its first parent; every file when HEAD has no parent) must
# be as clang-format makes them by .clang-format. Checks the committed
# text, and fails naming the files that are not.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
if base=$(git rev-parse -q --verify 'HEAD^1'); then
    range=("$base" HEAD)
else
    range=("$(git hash-object -t tree /dev/null)" HEAD)
fi

mapfile -t files < <(git diff --name-only --diff-filter=ACMR "${range[@]}" -- \
    '*.c' '*.cc' '*.cpp' '*.cxx' '*.h' '*.hh' '*.hpp')
bad=()
for file in "${files[@]}"; do
    if ! git show "HEAD:$file" | clang-format --dry-run --Werror --assume-filename="$file" >/dev/null 2>&1; then
        bad+=("$file")
    fi
done

if [ ${#bad[@]} -gt 0 ]; then
    echo "format-check: not formatted by .clang-format (run clang-format -i on them):" >&2
    printf '  %s\n' "${bad[@]}" >&2
    exit 1
fi
echo "format-check: ${#files[@]} C/C++ file(s) of HEAD checked, all formatted"
