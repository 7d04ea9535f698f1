# Saves through the real window: a value typed and saved by keyboard, merged and reported; a pasted
# line break refused with one message. The files' bytes, the messages' words and saves one after
# another are the other layers' to check.
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List'
sentinel='HKCU\Software\VelmoraSentinel'
value="C:\\Pictures\\cat $$.bmp"
wine reg add "$sentinel" /v Kept /d yes /f >/dev/null 2>&1

type_into 1004 "$value"
keys_to "$MAIN_WINDOW" alt+s

wait_for "status text" " Reg file created as : $(win_path Velmora.reg)" control_text Velmora 1015
wait_for "merged File1" "$value" reg_value "$key" File1
echo "ok: a typed value is merged and reported"

# A single-line field keeps a lone CR from the clipboard; regedit would read the rest as a line that
# deletes the sentinel key. xclip serves the paste from the background.
printf 'List]\r[-%s' "${sentinel/HKCU/HKEY_CURRENT_USER}" | xclip -selection clipboard -i >/dev/null 2>&1
focus_control 1002
keys_to "$MAIN_WINDOW" ctrl+a ctrl+v alt+s
expect_message_box Velmora "Error Number: 380 "
# Keys reach the field only once the save is over and no other message box holds the window.
type_into 1002 'Recent File List'
wait_for "value name typed after the message box" 'Recent File List' control_text Velmora 1002
expect_eq "message boxes after the first" "$(inspect --count Velmora '#32770')" 0
expect_eq "sentinel" "$(reg_value "$sentinel" Kept)" yes
echo "ok: a pasted line break is refused with one message; nothing is merged"
wine reg delete "$sentinel" /f >/dev/null 2>&1
