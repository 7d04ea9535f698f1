#!/usr/bin/env bash
# Every test: the portable core natively (unit tests, then the fuzz target), then the Win32 layer
# and the real program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/setup.sh

build_preset native
ctest --preset native

# The core again, built by clang for libFuzzer, fuzzed for a bounded time.
build_preset fuzz
ctest --preset fuzz

build_preset mingw
# The tests stop their wineserver themselves; this catches an interrupted run.
trap 'WINEPREFIX="$PWD/build/mingw/wineprefix" wineserver -k 2>/dev/null || true' EXIT
# A private X server of its own, so that no test window lands on the user's display.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset mingw

# Last, so that a formatting difference does not hide the results above.
scripts/check-format.sh
