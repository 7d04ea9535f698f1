#!/usr/bin/env bash
# Every folder of src/ is a layer of src/layers.txt and includes only itself and the folders that
# the table puts below it, and no two headers share a file name. Fails, naming each include that
# points up, when either does not hold.
set -euo pipefail
cd "$(dirname "$0")/../src"

# A folder, then the folders it may include (besides itself), from the one table of the layers.
declare -A below=()
while IFS=: read -r folder lower; do
    [[ $folder =~ ^[a-z0-9_]+$ ]] || continue
    lower=${lower// -/}
    below[$folder]=$lower
done <layers.txt
[ ${#below[@]} -gt 0 ] || { echo "check-layers: src/layers.txt lists no layer" >&2; exit 1; }

faults=0
for folder in *; do
    [ -d "$folder" ] || continue
    if [ -z "${below[$folder]+set}" ]; then
        echo "check-layers: src/$folder is no layer of src/layers.txt" >&2
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
