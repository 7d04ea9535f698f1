#!/usr/bin/env bash
# At 144 DPI: the main window's client area scaled from its twips, and the picture in both windows'
# corners drawn from the icon's 48-pixel image (the picture control takes the size of its icon).
source "$(dirname "$0")/lib.sh"
set_dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1; }
# The tests share one prefix: back to 96 whatever happens.
trap 'set_dpi 96; cleanup' EXIT
set_dpi 144
start_velmora

picture_size() { inspect "$1" | sed -n "s/^child id=$2 class=Static rect=0,0,\([0-9]*,[0-9]*\) .*/\1/p"; }
expect_eq "client area" "$(inspect Velmora | head -1)" client=677x579
expect_eq "main window's picture" "$(picture_size Velmora 1016)" "48,48"
open_about >/dev/null
expect_eq "About dialog's picture" "$(picture_size 'About Velmora' 3006)" "48,48"
echo "ok: sizes at 144 dpi"
