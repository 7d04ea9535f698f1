#!/usr/bin/env bash
# Builds velmora.exe and starts it: directly on Windows, under Wine elsewhere (in the user's own
# WINEPREFIX, or Wine's default one). Without a display it shows the main job end to end instead.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

case "$(uname -s)" in
MINGW* | MSYS* | CYGWIN*)
    cmake -S . -B build/windows >/dev/null
    cmake --build build/windows --config Release --target velmora >/dev/null
    exe=$(find build/windows -name velmora.exe -print -quit)
    exec "$exe"
    ;;
esac

scripts/setup.sh
build_preset mingw velmora >/dev/null
exe=$PWD/build/mingw/bin/velmora.exe
export WINEDEBUG=${WINEDEBUG:--all}

if ! reg_files_associated; then
    associate_reg_files
    echo "run: this Wine prefix opened .reg files with nothing; they now open with regedit, as on Windows"
fi

if [ -n "${DISPLAY:-}" ]; then
    cd "$(dirname "$exe")"
    exec wine "$exe"
fi
echo "run: no display; velmora.exe runs on a private X server and saves one value by keyboard"
# A wineserver started without a display would refuse windows on the private one.
wineserver -w
exec scripts/demo.sh "$exe" "$PWD/build/velmora-run.png"
