# Saves through the real window: a value typed and saved by keyboard, merged and reported; a pasted
# line break refused with one message; two saves close together, neither lost. The files' bytes and
# the messages' words are the other layers' to check.
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List'
sentinel='HKCU\Software\VelmoraSentinel'
value="C:\\Pictures\\cat $$.bmp"
wine reg add "$sentinel" /v Kept /d yes /f >/dev/null 2>&1

focus_control 1004
keys_to "$MAIN_WINDOW" ctrl+a
type_to "$MAIN_WINDOW" "$value"
keys_to "$MAIN_WINDOW" alt+s

wait_for "status text" " Reg file created as : $(win_path Velmora.reg)" control_text Velmora 1015
wait_for "merged File1" "$value" reg_value "$key" File1
echo "ok: a typed value is merged and reported"

# A single-line field keeps a lone CR from the clipboard; regedit would read the rest as a line
# that deletes the sentinel key.
printf 'List]\r[-%s' "${sentinel/HKCU/HKEY_CURRENT_USER}" | xclip -selection clipboard -i >/dev/null 2>&1 # it serves the paste from the background
focus_control 1002
keys_to "$MAIN_WINDOW" ctrl+a ctrl+v alt+s
expect_message_box Velmora "Error Number: 380 "
# Keys reach the field only once the save is over and no other message box holds the window.
focus_control 1002
keys_to "$MAIN_WINDOW" ctrl+a
type_to "$MAIN_WINDOW" 'Recent File List'
wait_for "value name typed after the message box (the window taking keys again)" 'Recent File List' \
    control_text Velmora 1002
expect_eq "message boxes after the first" "$(inspect --count Velmora '#32770')" 0
expect_eq "sentinel" "$(reg_value "$sentinel" Kept)" yes
echo "ok: a pasted line break is refused with one message; nothing is merged"
wine reg delete "$sentinel" /f >/dev/null 2>&1

# Two saves of different keys close together: the second waits until regedit has read the first
# file, or says that it is still reading it; neither value is lost without a word.
for name in File2 File3; do wine reg delete "$key" /v $name /f >/dev/null 2>&1 || true; done
focus_control 1003
keys_to "$MAIN_WINDOW" ctrl+a
type_to "$MAIN_WINDOW" File2
xdotool windowfocus --sync "$MAIN_WINDOW"
# Enter presses the default button, Save, and leaves the focus in the key field.
xdotool key --delay 20 Return ctrl+a
xdotool type --delay 1 File3
xdotool key Return
second_save() {
    [ "$(inspect --count Velmora '#32770')" = 0 ] || { echo message; return; }
    [ "$(reg_value "$key" File3)" = "$value" ] && echo merged
}
wait_until 15 second_save ||
    die "the second of two quick saves neither merged nor said why (key [$(control_text Velmora 1003)], Velmora.reg: $(tr -d '\r' <"$APP_DIR/Velmora.reg"))"
outcome=$waited
wait_for "merged File2" "$value" reg_value "$key" File2
[ "$outcome" = merged ] || expect_message_box Velmora "Error Number: 70 "
echo "ok: two quick saves: the first merged, the second merged or refused with 70 ($outcome)"
