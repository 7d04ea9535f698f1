#!/usr/bin/env bash
# Saves through the real window: a value typed and saved by keyboard over an existing one (the
# bytes of Velmora.reg, the value regedit merged, the settings entry, the status text, and the old
# value back after merging Velmora-undo.reg); a line break pasted into a field, refused with one
# message and nothing touched; a read-only Velmora.reg, one message 52.
source "$(dirname "$0")/lib.sh"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List'
settings='HKCU\Software\Velmora\Settings'
sentinel='HKCU\Software\VelmoraSentinel'
value="C:\\Pictures\\cat $$.bmp"
old_value='C:\Old\dog.bmp'
wine reg add "$key" /v File1 /d "$old_value" /f >/dev/null 2>&1
wine reg add "$sentinel" /v Kept /d yes /f >/dev/null 2>&1

start_velmora
focus_control 1004
type_to "$MAIN_WINDOW" "$value"
keys_to "$MAIN_WINDOW" alt+s

wait_text Velmora 1015 " Reg file created as : $(win_path Velmora.reg)"
expected_file=$(printf 'REGEDIT4\r\n\r\n%s\r\n%s\r\n' \
    '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List]' \
    "\"File1\"=\"C:\\\\Pictures\\\\cat $$.bmp\"" | od -An -tx1)
expect_eq "Velmora.reg bytes" "$(od -An -tx1 "$APP_DIR/Velmora.reg")" "$expected_file"
wait_reg_value "$key" File1 "$value"
expect_eq "settings-store entry" "$(reg_value "$settings\\HKEY_CURRENT_USER\\${key#HKCU\\}" File1)" "$value"
pass "a typed value is written, merged, stored and reported"

wine regedit /s "$(win_path Velmora-undo.reg)"
wait_reg_value "$key" File1 "$old_value"
pass "merging Velmora-undo.reg puts the old value back"

# A single-line field keeps a lone CR from the clipboard; regedit would read the rest as a line
# that deletes the sentinel key.
settings_before=$(wine reg query "$settings" /s 2>/dev/null | tr -d '\r')
printf 'List]\r[-%s' "${sentinel/HKCU/HKEY_CURRENT_USER}" | xclip -selection clipboard -i >/dev/null 2>&1 # it serves the paste from the background
focus_control 1002
keys_to "$MAIN_WINDOW" ctrl+a ctrl+v alt+s
expect_message_box Velmora "Error Number: 380 Invalid property value: the section holds a line break, which a registration file cannot carry; nothing was written"
sleep 1
expect_eq "message boxes after the first" "$(inspect --count Velmora '#32770')" 0
expect_eq "sentinel" "$(reg_value "$sentinel" Kept)" yes
expect_eq "Velmora.reg after the refusal" "$(od -An -tx1 "$APP_DIR/Velmora.reg")" "$expected_file"
expect_eq "settings after the refusal" "$(wine reg query "$settings" /s 2>/dev/null | tr -d '\r')" "$settings_before"
pass "a pasted line break is refused with one message; nothing is written"

focus_control 1002
keys_to "$MAIN_WINDOW" ctrl+a
type_to "$MAIN_WINDOW" 'Recent File List'
chmod a-w "$APP_DIR/Velmora.reg"
status_before=$(control_text Velmora 1015)
keys_to "$MAIN_WINDOW" alt+s
expect_message_box Velmora "Error Number: 52 Bad file name or number"
sleep 1
expect_eq "message boxes after the first" "$(inspect --count Velmora '#32770')" 0
expect_eq "read-only Velmora.reg" "$(od -An -tx1 "$APP_DIR/Velmora.reg")" "$expected_file"
expect_eq "status text" "$(control_text Velmora 1015)" "$status_before"
pass "a read-only Velmora.reg gives one message 52 and keeps its content and the status"
wine reg delete "$sentinel" /f >/dev/null 2>&1 || true
