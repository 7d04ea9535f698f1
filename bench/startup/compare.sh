#!/usr/bin/env bash
# Start-up time of velmora.exe against the smallest Win32 window program, under the same Wine and
# the same private X server, alternating runs: from process start until the window is mapped.
# Also the size of the stripped release velmora.exe and the DLLs it imports.
#   bench/startup/compare.sh [RUNS]      (after a mingw build)
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib.sh
runs=${1:-10}
bin=$PWD/build/mingw/bin
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export WINEPREFIX=$PWD/build/mingw/wineprefix WINEDEBUG=-all
scripts/wine-prefix.sh up "$WINEPREFIX"
trap 'scripts/wine-prefix.sh down "$WINEPREFIX"' EXIT

# Milliseconds from start until a visible window of that title exists (to within one 50 ms poll,
# the same for both programs); fails after 30 s.
time_to_window() {
    local exe=$1 title=$2 start pid status=0
    start=$(date +%s%N)
    wine "$exe" </dev/null >/dev/null 2>&1 &
    pid=$!
    wait_window "^$title\$" 30 >/dev/null || status=$?
    [ "$status" -ne 0 ] || echo $((($(date +%s%N) - start) / 1000000))
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return "$status"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# One run of each to warm the caches, then alternate.
time_to_window "$bin/velmora_minimal_window.exe" MinimalWindow >/dev/null
time_to_window "$bin/velmora.exe" Velmora >/dev/null
minimal=() velmora=()
for _ in $(seq "$runs"); do
    minimal+=("$(time_to_window "$bin/velmora_minimal_window.exe" MinimalWindow)")
    velmora+=("$(time_to_window "$bin/velmora.exe" Velmora)")
done
m=$(printf '%s\n' "${minimal[@]}" | median)
v=$(printf '%s\n' "${velmora[@]}" | median)
echo "start-up to window, median of $runs runs: minimal window ${m} ms, velmora.exe ${v} ms, ratio $(awk "BEGIN {printf \"%.2f\", $v / $m}")"
echo "  minimal: ${minimal[*]}"
echo "  velmora: ${velmora[*]}"

size=$(stat -c %s "$bin/velmora.exe")
echo "velmora.exe: $size bytes ($((size / 1024)) KiB), imports: $(x86_64-w64-mingw32-objdump -p "$bin/velmora.exe" | sed -n 's/.*DLL Name: //p' | tr '\n' ' ')"
