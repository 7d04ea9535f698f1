#!/usr/bin/env bash
# Saves through the real window: a value typed and saved by keyboard over an existing one (the
# bytes of Velmora.reg, the value regedit merged, the settings entry, the status text, and the old
# value back after merging Velmora-undo.reg); a line break pasted into a field, refused with one
# message and nothing touched; two saves close together, neither lost; a read-only Velmora.reg,
# one message 52.
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
expect_message_box Velmora "Error Number: 380 Invalid property value: the section holds a line break or a NUL character, which a registration file cannot carry; nothing was written"
sleep 1
expect_eq "message boxes after the first" "$(inspect --count Velmora '#32770')" 0
expect_eq "sentinel" "$(reg_value "$sentinel" Kept)" yes
expect_eq "Velmora.reg after the refusal" "$(od -An -tx1 "$APP_DIR/Velmora.reg")" "$expected_file"
expect_eq "settings after the refusal" "$(wine reg query "$settings" /s 2>/dev/null | tr -d '\r')" "$settings_before"
pass "a pasted line break is refused with one message; nothing is written"

focus_control 1002
keys_to "$MAIN_WINDOW" ctrl+a
type_to "$MAIN_WINDOW" 'Recent File List'

# Two saves of different keys close together: the second waits until regedit has read the first
# file, or says that it is still reading it; neither value is lost without a word.
wine reg delete "$key" /v File2 /f >/dev/null 2>&1 || true
wine reg delete "$key" /v File3 /f >/dev/null 2>&1 || true
focus_control 1003
keys_to "$MAIN_WINDOW" ctrl+a
type_to "$MAIN_WINDOW" File2
xdotool windowfocus --sync "$MAIN_WINDOW"
# Enter presses the default button, Save, and leaves the focus in the key field.
xdotool key Return sleep 0.02 key ctrl+a
xdotool type --delay 1 File3
xdotool key Return
second_save() {
    if [ "$(inspect --count Velmora '#32770')" != 0 ]; then echo message
    elif [ "$(reg_value "$key" File3)" = "$value" ]; then echo merged
    fi
}
for _ in $(seq 75); do
    outcome=$(second_save)
    [ -n "$outcome" ] && break
    sleep 0.2
done
wait_reg_value "$key" File2 "$value"
case $outcome in
message) expect_message_box Velmora "Error Number: 70 Permission denied: another program still has Velmora.reg or Velmora-undo.reg open, such as a registry editor still reading the previous save; neither file was replaced" ;;
merged) ;;
*) fail "the second of two quick saves neither merged nor said why (key [$(control_text Velmora 1003)], Velmora.reg: $(tr -d '\r' <"$APP_DIR/Velmora.reg"))" ;;
esac
pass "two quick saves: the first merged, the second merged or refused with 70 ($outcome)"
file_before=$(od -An -tx1 "$APP_DIR/Velmora.reg")
chmod a-w "$APP_DIR/Velmora.reg"
status_before=$(control_text Velmora 1015)
keys_to "$MAIN_WINDOW" alt+s
expect_message_box Velmora "Error Number: 52 Bad file name or number"
sleep 1
expect_eq "message boxes after the first" "$(inspect --count Velmora '#32770')" 0
expect_eq "read-only Velmora.reg" "$(od -An -tx1 "$APP_DIR/Velmora.reg")" "$file_before"
expect_eq "status text" "$(control_text Velmora 1015)" "$status_before"
pass "a read-only Velmora.reg gives one message 52 and keeps its content and the status"
wine reg delete "$sentinel" /f >/dev/null 2>&1 || true
