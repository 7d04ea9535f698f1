#!/usr/bin/env bash
# Regenerates docs/main-window.png: the main window after one Save, in a throwaway Wine prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/setup.sh
build_preset mingw velmora >/dev/null
export WINEPREFIX=$PWD/build/mingw/wineprefix
trap 'scripts/wine-prefix.sh down "$WINEPREFIX"' EXIT
scripts/wine-prefix.sh up "$WINEPREFIX"
# Installed where a user would put it, so that the status line shows C:\Velmora\Velmora.reg.
mkdir -p "$WINEPREFIX/drive_c/Velmora"
cp build/mingw/bin/velmora.exe "$WINEPREFIX/drive_c/Velmora/velmora.exe"
env -u DISPLAY scripts/demo.sh "$WINEPREFIX/drive_c/Velmora/velmora.exe" "$PWD/docs/main-window.png" >/dev/null
echo "docs/main-window.png"
