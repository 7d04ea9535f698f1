#!/usr/bin/env bash
# Start-up: every control's id, class, rectangle, text and marks against main-window.txt (the
# start-up texts, the focus in the location field, the default button, the 32-pixel picture), the
# client size, each caption just above its field, the tab order (and one step back), and the
# colours of the window and its two coloured buttons.
source "$(dirname "$0")/lib.sh"
start_velmora

expect_eq "controls at start" "$(inspect Velmora | tail -n +2)" "$(cat "$(dirname "$0")/main-window.txt")"
inspect Velmora | head -1 | grep -q ' client=451x386$' || fail "client area is not 451 x 386 pixels at 96 dpi: $(inspect Velmora | head -1)"
pass "start-up controls and size"

# Screen readers name a field by the static text just above it in z-order.
zorder=" $(inspect Velmora | sed -n 's/^child id=\([0-9-]*\) .*/\1/p' | tr '\n' ' ')"
for pair in "1010 1000" "1013 1001" "1011 1002" "1012 1003" "1014 1004"; do
    [[ $zorder == *" $pair "* ]] || fail "caption ${pair% *} is not just above field ${pair#* } in z-order:$zorder"
done
pass "each caption lies just above its field"

order=
for _ in 1 2 3 4 5 6 7 8; do
    keys_to "$MAIN_WINDOW" Tab
    order+="$(focused_id Velmora) "
done
expect_eq "Tab order" "$order" "1001 1002 1003 1005 1004 1006 1007 1000 "
keys_to "$MAIN_WINDOW" shift+Tab
expect_eq "focus after Shift+Tab" "$(focused_id Velmora)" 1007
pass "tab order"

# Colours, sampled on screen: the window's background, then each button's face beside its caption.
origin=$(inspect Velmora | head -1 | sed -n 's/.* origin=\([0-9-]*\),\([0-9-]*\) .*/\1 \2/p')
read -r ox oy <<<"$origin"
pixel() {
    import -window root -crop "1x1+$((ox + $1))+$((oy + $2))" -depth 8 txt:- | sed -n 's/.*(\([0-9]*,[0-9]*,[0-9]*\)).*/\1/p' | head -1
}
expect_eq "background colour" "$(pixel 440 380)" "255,192,128"
expect_eq "Save To Registry face" "$(pixel 254 310)" "128,255,128"
expect_eq "Registry Editor face" "$(pixel 78 310)" "255,128,255"
pass "colours"

keys_to "$MAIN_WINDOW" alt+x
wait_exit
pass "Alt+X closes the window and ends the program"
