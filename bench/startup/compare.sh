#!/usr/bin/env bash
# Start-up time of velmora.exe against two yardsticks, under the same Wine and the same private X
# server, in alternating runs: the smallest window program, and the same with velmora.exe's manifest,
# menu bar and as many controls as its main window, built without any of Velmora's code (the floor
# that Velmora's own code is judged against). Each time runs from the start of the process to the X
# server's map event for its window. Also the size of the stripped release velmora.exe against its
# budget of 300 KiB (it fails above it), and the DLLs it imports.
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

# xev prints what happens to every top-level window as it happens, each event on two lines or more:
#   MapNotify event, serial 18, synthetic NO, window 0x2a5,
#       event 0x2a5, window 0x400003, override NO
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
trap '[ -z "${XEV_PID:-}" ] || kill "$XEV_PID"; scripts/wine-prefix.sh down "$WINEPREFIX"' EXIT
sleep 0.2 # for xev to select the events before the first program starts

# next_event: reads xev's next event into $event (its name), $window (the window it concerns) and
# $at (microseconds, when its first line arrived). Fails after 30 s without one.
next_event() {
    local line=''
    until [[ $line =~ ^([A-Za-z]+)\ event, ]]; do
        IFS= read -r -t 30 line <&"${XEV[0]}" || return 1
    done
    at=${EPOCHREALTIME//[!0-9]/}
    event=${BASH_REMATCH[1]}
    IFS= read -r -t 30 line <&"${XEV[0]}" || return 1
    [[ $line =~ \ window\ (0x[0-9a-f]+) ]] && window=${BASH_REMATCH[1]}
}

# time_to_map EXE TITLE [PROBE]: milliseconds from the start of the program until its window of that
# title is mapped; with PROBE, prints instead how many controls the window has then. Ends the
# program and waits for its window to be gone. Fails after 30 s.
time_to_map() {
    local exe=$1 title=$2 start pid event='' window='' at=''
    start=${EPOCHREALTIME//[!0-9]/}
    wine "$exe" </dev/null >/dev/null 2>&1 &
    pid=$!
    until [ "$event" = MapNotify ] && [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$title" ]; do
        next_event || die "no window titled $title within 30 s"
    done
    if [ -n "${3:-}" ]; then
        wine "$bin/velmora_window_probe.exe" "$title" 2>/dev/null | grep -c '^child'
    else
        echo $(((at - start) / 1000))
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    # The next run starts once X has seen this one's window go.
    local mapped=$window
    until [ "$event" = DestroyNotify ] && [ "$window" = "$mapped" ]; do
        next_event || die "the window of $title outlived its program by 30 s"
    done
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

names=(minimal controls velmora)
exes=("$bin/velmora_minimal_window.exe" "$bin/velmora_minimal_controls.exe" "$bin/velmora.exe")
titles=(MinimalWindow MinimalControls Velmora)

# One run of each to warm the caches, which also counts the controls of the last two.
time_to_map "${exes[0]}" "${titles[0]}" >/dev/null
floorControls=$(time_to_map "${exes[1]}" "${titles[1]}" probe)
velmoraControls=$(time_to_map "${exes[2]}" "${titles[2]}" probe)
[ "$floorControls" = "$velmoraControls" ] ||
    die "the floor has $floorControls controls, velmora.exe's main window $velmoraControls"

declare -A times=()
for _ in $(seq "$runs"); do
    for i in 0 1 2; do
        times[${names[i]}]+="$(time_to_map "${exes[i]}" "${titles[i]}") "
    done
done
# The median, and the fastest run, which other work on the machine delays least.
declare -A figures=()
for name in "${names[@]}"; do
    sorted=$(tr ' ' '\n' <<<"${times[$name]}" | grep . | sort -n)
    figures[$name]="$(median <<<"$sorted") ms (fastest $(head -1 <<<"$sorted"))"
done
echo "start-up to the window's map, median of $runs runs: minimal window ${figures[minimal]}," \
    "with velmora.exe's manifest, menu bar and $velmoraControls controls ${figures[controls]}," \
    "velmora.exe ${figures[velmora]}"
for name in "${names[@]}"; do
    echo "  $name: ${times[$name]}"
done

size=$(stat -c %s "$bin/velmora.exe")
budget=307200 # 300 KiB: cmake/Win32.cmake
echo "velmora.exe: $size bytes ($((size / 1024)) KiB) of a budget of $budget ($((budget - size)) to spare)," \
    "imports: $(x86_64-w64-mingw32-objdump -p "$bin/velmora.exe" | sed -n 's/.*DLL Name: //p' | tr '\n' ' ')"
[ "$size" -le "$budget" ] || die "velmora.exe is $((size - budget)) bytes over its budget of $budget"
