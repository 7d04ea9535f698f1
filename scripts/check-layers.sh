#!/usr/bin/env bash
# Every folder of src/ includes only itself and the folders below it, and no two headers share a
# file name. Fails, naming each include that points up, when either does not hold.
set -euo pipefail
cd "$(dirname "$0")/../src"

# A folder, then the folders it may include (besides itself); lower layers come first. Folders of
# one floor (transaction and ui, shell and registry, regchange and about) never include each other.
declare -A below=(
    [common]=""
    [win32]="common"
    [transaction]="common win32"
    [ui]="common win32"
    [shell]="common win32 transaction ui"
    [registry]="common win32 transaction ui"
    [regchange]="common win32 transaction ui shell registry"
    [about]="common win32 transaction ui shell registry"
    [app]="common win32 transaction ui shell registry regchange about"
)

faults=0
for folder in *; do
    [ -d "$folder" ] || continue
    if [ -z "${below[$folder]+set}" ]; then
        echo "check-layers: src/$folder is no layer of this script's table" >&2
        faults=$((faults + 1))
        continue
    fi
    while IFS= read -r hit; do
        target=${hit#*\"}
        target=${target%%/*}
        [[ " $folder ${below[$folder]} " == *" $target "* ]] && continue
        echo "check-layers: $hit: $folder/ may not include $target/" >&2
        faults=$((faults + 1))
    done < <(grep -rHn -E '^#include "[a-z0-9_]+/' "$folder" || true)
done

duplicates=$(find . -name '*.h' -printf '%f\n' | sort | uniq -d)
if [ -n "$duplicates" ]; then
    echo "check-layers: headers that share a file name: $duplicates" >&2
    faults=$((faults + 1))
fi
[ "$faults" -eq 0 ]
