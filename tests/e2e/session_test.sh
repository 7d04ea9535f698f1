#!/usr/bin/env bash
# One session of the real program at 96 dpi: the client size and every control against
# main-window.txt (in z-order, each caption just above its field as screen readers expect), then the
# scenarios in turn, each leaving the window as the next expects; the last ends the program.
source "$(dirname "$0")/lib.sh"
start_velmora
expect_eq "size and controls" "$(inspect Velmora)" "client=451x386"$'\n'"$(cat "$(dirname "$0")/main-window.txt")"
echo "ok: start-up controls, their order and the size"
for scenario in open_dialog save wait about; do
    source "$(dirname "$0")/$scenario.sh"
done
