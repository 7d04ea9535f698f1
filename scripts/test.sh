#!/usr/bin/env bash
# Every test: the folders' layering, the portable core natively (unit tests, then the fuzz target),
# then the Win32 layer and the real program under Wine (built by GCC, and the Win32 layer again by
# clang), the release zip, and last the format of the sources.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/setup.sh

# No folder of src/ includes one above it.
scripts/check-layers.sh

build_preset native
ctest --preset native

# The core again, built by clang for libFuzzer, fuzzed for a bounded time.
build_preset fuzz
ctest --preset fuzz

build_preset mingw
# The Win32 side again, built by clang and lld: a second compiler's warnings, its own code. Only its
# Win32 tests run; the end-to-end tests drive the GCC build.
build_preset mingw-clang
# The tests stop their wineservers themselves; this catches an interrupted run.
stop_wineservers() {
    local build
    for build in mingw mingw-clang; do
        WINEPREFIX="$PWD/build/$build/wineprefix" wineserver -k 2>/dev/null || true
    done
}
trap stop_wineservers EXIT
# A private X server of its own, so that no test window lands on the user's display.
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24")
"${xvfb[@]}" ctest --preset mingw
"${xvfb[@]}" ctest --preset mingw-clang

# The release zip of the GCC build, its files and its checksum.
scripts/check-package.sh

# Last, so that a formatting difference does not hide the results above.
scripts/check-format.sh
