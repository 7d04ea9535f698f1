#!/usr/bin/env bash
# Help with the document missing names it in an "Error" message; the registry editor command
# opens Wine's registry editor.
source "$(dirname "$0")/lib.sh"
start_velmora

keys_to "$MAIN_WINDOW" alt+h
error=$(wait_window '^Error$')
expected="File :$(win_path '')\\VelmoraHelp.pdf  not found"
expected=${expected/\\\\VelmoraHelp/\\VelmoraHelp}
inspect Error '#32770' | grep -q -F "text=$expected" || fail "help message: $(inspect Error '#32770' | grep 'text=File')"
keys_to "$error" Return
wait_no_window '^Error$'
pass "Help without the document: $expected"

keys_to "$MAIN_WINDOW" alt+r
editor=$(wait_window '^Registry Editor$')
pass "the registry editor command opens the registry editor"
# Registry > Exit: Wine's editor, unlike a managed window, ignores Alt+F4 here.
keys_to "$editor" alt+r
sleep 0.5
xdotool key x
wait_no_window '^Registry Editor$'
