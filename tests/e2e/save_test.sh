#!/usr/bin/env bash
# A Save by keyboard with a typed value: the bytes of Velmora.reg, the value regedit merged, the
# settings-store entry and the status text.
source "$(dirname "$0")/lib.sh"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List'
settings='HKCU\Software\Velmora\Settings\HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List'
value="C:\\Pictures\\cat $$.bmp"
wine reg delete "$key" /v File1 /f >/dev/null 2>&1 || true

start_velmora
keys_to "$MAIN_WINDOW" Tab Tab Tab Tab Tab
expect_eq "focus before typing" "$(focused_id Velmora)" 1004
type_to "$MAIN_WINDOW" "$value"
keys_to "$MAIN_WINDOW" alt+s

wait_text Velmora 1015 " Reg file created as : $(win_path Velmora.reg)"
expected_file=$(printf 'REGEDIT4\r\n\r\n%s\r\n%s\r\n' \
    '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List]' \
    "\"File1\"=\"C:\\\\Pictures\\\\cat $$.bmp\"" | od -An -tx1)
expect_eq "Velmora.reg bytes" "$(od -An -tx1 "$APP_DIR/Velmora.reg")" "$expected_file"
pass "Velmora.reg and status text"

wait_reg_value "$key" File1 "$value"
pass "regedit merged the value"
expect_eq "settings-store entry" "$(reg_value "$settings" File1)" "$value"
pass "settings-store entry"
