#!/usr/bin/env bash
# Help with the document missing names it in an "Error" message; the registry editor command
# opens Wine's registry editor.
source "$(dirname "$0")/lib.sh"
start_velmora

keys_to "$MAIN_WINDOW" alt+h
expected="File :$(win_path '')\\VelmoraHelp.pdf  not found"
expected=${expected/\\\\VelmoraHelp/\\VelmoraHelp}
expect_message_box Error "$expected"
pass "Help without the document: $expected"

keys_to "$MAIN_WINDOW" alt+r
editor=$(wait_window '^Registry Editor$')
pass "the registry editor command opens the registry editor"
# Registry > Exit: Wine's editor, unlike a managed window, ignores Alt+F4 here.
keys_to "$editor" alt+r
sleep 0.5
xdotool key x
wait_no_window '^Registry Editor$'
