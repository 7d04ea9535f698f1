#!/usr/bin/env bash
# Exit right after a save whose file went to a launcher: nothing says when the registry editor
# behind it reads the file, so the program stays, without a window, holding the file for its bound.
source "$(dirname "$0")/lib.sh"
command='HKCR\regfile\shell\open\command'
old=$(wine reg query "$command" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p')
key='HKCU\Software\VelmoraExitTest'
trap 'wine reg add "$command" /ve /d "$old" /f >/dev/null 2>&1; wine reg delete "$key" /f >/dev/null 2>&1 || true
    cleanup' EXIT
wine reg add "$command" /ve /d "\"$(winepath -w "${LAUNCHER_EXE:?}" | tr -d '\r')\" \"%1\"" /f >/dev/null 2>&1
wine reg delete "$key" /f >/dev/null 2>&1 || true
start_velmora

for field in 1000:'HKCU\Software' 1001:VelmoraExitTest 1002:Section 1003:Name 1004:launched; do
    type_into "${field%%:*}" "${field#*:}"
done
keys_to "$MAIN_WINDOW" alt+s
wait_for "merged through the launcher" launched reg_value "$key\\Section" Name
keys_to "$MAIN_WINDOW" alt+x
wait_for "main windows after Exit" 0 inspect --count Velmora VelmoraMainWindow
# Wine takes a few seconds to end a program whose window was shown; this one must outlast that.
program_ended() { ! kill -0 "$VELMORA_PID" 2>/dev/null; }
! wait_until 6 program_ended || die "the program ended while it held the file for its reader"
expect_eq "Velmora.reg held by the program without a window" \
    "$(wine cmd /c del "$(win_path Velmora.reg)" >/dev/null 2>&1; [ -f "$APP_DIR/Velmora.reg" ] && echo held)" held
echo "ok: after Exit the program stays, without a window, holding the file for the registry editor"
