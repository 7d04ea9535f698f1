#!/usr/bin/env bash
# One session of the real program at 96 dpi, started once. At start, every control's id, class,
# rectangle, text and marks against main-window.txt (the start-up texts, the focus in the location
# field, the default button, the 32-pixel picture, the tab stops), in z-order, where each caption
# lies just above its field as screen readers expect, and the client size. Then the scenarios in
# turn, each leaving the window as the next one expects; the last one ends the program.
source "$(dirname "$0")/lib.sh"
start_velmora
expect_eq "controls at start" "$(inspect Velmora | tail -n +2)" "$(cat "$(dirname "$0")/main-window.txt")"
inspect Velmora | head -1 | grep -q ' client=451x386$' || die "client area is not 451 x 386 pixels at 96 dpi: $(inspect Velmora | head -1)"
echo "ok: start-up controls, their order and the size"

for scenario in open_dialog save about; do
    source "$(dirname "$0")/$scenario.sh"
done
