#!/usr/bin/env bash
# Every test: the folders' layering, the portable core natively (unit tests, then the fuzz target),
# then the Win32 layer and the real program under Wine (built by GCC, and the Win32 layer again by
# clang), the release zip, and last the format of the sources. Each phase's time is printed as it
# ends, and all of them with the total at the end. Needs no root once the packages are installed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

phases=()
start=${EPOCHREALTIME//[!0-9]/}
phase_start=$start
# phase NAME: the phase that just ended, with the seconds since the previous one ended.
phase() {
    local now=${EPOCHREALTIME//[!0-9]/}
    phases+=("$(printf '%-12s %6.1f s' "$1" "$(((now - phase_start) / 1000))e-3")")
    echo "test: ${phases[-1]}"
    phase_start=$now
}
# print_phases STATUS: every phase's time, then the total, at the end of the run whatever its outcome.
print_phases() {
    local status=$1 now=${EPOCHREALTIME//[!0-9]/}
    printf '%s\n' "${phases[@]}"
    printf '%-12s %6.1f s%s\n' total "$(((now - start) / 1000))e-3" "$([ "$status" -eq 0 ] || echo ', FAILED')"
}
trap 'print_phases $?' EXIT

scripts/setup.sh
phase setup

# No folder of src/ includes one above it.
scripts/check-layers.sh
phase layers

build_preset native
ctest --preset native
phase native

# The core again, built by clang for libFuzzer, fuzzed for a bounded time.
build_preset fuzz
ctest --preset fuzz
phase fuzz

build_preset mingw
phase "mingw build"
# The tests stop their wineservers themselves; this catches an interrupted run.
stop_wineservers() {
    local build
    for build in mingw mingw-clang; do
        WINEPREFIX="$PWD/build/$build/wineprefix" wineserver -k 2>/dev/null || true
    done
}
# The Win32 side again, built by clang and lld: a second compiler's warnings, its own code. It builds
# while the GCC build's tests run under Wine, which mostly wait; at the lowest priority, so that they
# keep their pace. Only its Win32 tests run, after the GCC build's; the end-to-end tests drive that.
clang_log=build/mingw-clang-build.log
mkdir -p build
nice -n 19 bash -c 'source scripts/lib.sh; build_preset mingw-clang' >"$clang_log" 2>&1 &
clang_build=$!
trap 'status=$?; kill "$clang_build" 2>/dev/null || true; stop_wineservers; print_phases $status' EXIT
# A private X server of its own, so that no test window lands on the user's display.
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24")
"${xvfb[@]}" ctest --preset mingw
phase "Wine tests"
wait "$clang_build" || { cat "$clang_log"; die "the clang build failed"; }
phase "clang build" # what of it was left when the Wine tests ended
"${xvfb[@]}" ctest --preset mingw-clang
phase "clang tests"

# The release zip of the GCC build, its files and its checksum.
scripts/check-package.sh
phase package

# Last, so that a formatting difference does not hide the results above.
scripts/check-format.sh
phase format
