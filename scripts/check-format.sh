#!/usr/bin/env bash
# Fails when clang-format would change a tracked C++ file: .clang-format is the house style.
#   check-format.sh      (clang-format-14, or the clang-format on the PATH)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
format=$(command -v clang-format-14 || command -v clang-format || true)
[ -n "$format" ] || die "clang-format is missing (scripts/setup.sh installs it)"

report=$(git ls-files -z -- '*.cpp' '*.h' | xargs -0 "$format" --dry-run --Werror 2>&1) && exit 0
files=$(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: .*-Wclang-format-violations.*/\1/p' <<<"$report" | sort -u)
if [ -z "$files" ]; then
    echo "$report" >&2
    exit 1
fi
echo "check-format: $(wc -l <<<"$files") files differ from .clang-format; '$format --dry-run FILE' shows where:" >&2
sed 's/^/    /' <<<"$files" >&2
exit 1
