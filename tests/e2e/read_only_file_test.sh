#!/usr/bin/env bash
# A read-only Velmora.reg: exactly one message "Error Number: 52 ..." titled Velmora, the old
# content kept, the status text unchanged.
source "$(dirname "$0")/lib.sh"
printf 'old content' >"$APP_DIR/Velmora.reg"
chmod a-w "$APP_DIR/Velmora.reg"
start_velmora

keys_to "$MAIN_WINDOW" alt+s
expect_message_box Velmora "Error Number: 52 Bad file name or number"
sleep 1
expect_eq "message boxes after the first" "$(inspect --count Velmora '#32770')" 0
expect_eq "content of the read-only file" "$(cat "$APP_DIR/Velmora.reg")" "old content"
expect_eq "status text" "$(control_text Velmora 1015)" ""
pass "one message 52, old content kept, status unchanged"
