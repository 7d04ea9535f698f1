# Shared by the end-to-end tests, on top of scripts/lib.sh: start the real velmora.exe under Wine in
# a folder of its own, press keys, read controls. Sourced, not run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
: "${VELMORA_EXE:?}" "${PROBE_EXE:?}" "${WINEPREFIX:?}" "${DISPLAY:?an X display is needed (run under xvfb-run)}"
export WINEDEBUG=-all

APP_DIR=$(mktemp -d /tmp/velmora-e2e.XXXXXX)
VELMORA_PID=
cleanup() {
    [ -z "$VELMORA_PID" ] || { kill "$VELMORA_PID" && wait "$VELMORA_PID"; } 2>/dev/null || true
    rm -rf "$APP_DIR"
}
trap cleanup EXIT

win_path() { winepath -w "$APP_DIR/$1" 2>/dev/null | tr -d '\r'; }

start_velmora() {
    cp "$VELMORA_EXE" "$APP_DIR/velmora.exe"
    (cd "$APP_DIR" && exec wine "$APP_DIR/velmora.exe" </dev/null >/dev/null 2>&1) &
    VELMORA_PID=$!
    MAIN_WINDOW=$(wait_window '^Velmora$')
}

# wait_for WHAT EXPECTED COMMAND...: up to 15 s for the command to print EXPECTED, else fails.
wait_for() { wait_until 15 prints "${@:2}" || die "$1: expected [$2], got [$waited]"; }

# As X sees them: keys go to X windows, so a window counts until X has unmapped it.
wait_no_window() { wait_for "windows titled $1" "" xdotool search --onlyvisible --name "^$1\$"; }

# Keys to a window: focused first, since without a window manager focus does not follow.
keys_to() { xdotool windowfocus --sync "$1" key --delay 30 "${@:2}"; }
type_to() { xdotool windowfocus --sync "$1" type --delay 20 "$2"; }

# Its client size, then its controls, one line each (see window_probe.cpp).
inspect() { { wine "$PROBE_EXE" "$@" 2>/dev/null || true; } | tr -d '\r'; }
control_text() { inspect "$1" | sed -n "s/^child id=$2 .* text=//p"; }
focused_id() { inspect "$1" | sed -n 's/^child id=\([0-9-]*\) .* focus=1 .*/\1/p'; }

# Alt+A on the main window; prints the X id of the About dialog it opens.
open_about() { keys_to "$MAIN_WINDOW" alt+a && wait_window '^About Velmora$'; }

# Replaces the text of the main window's control with that id, as typed.
type_into() { focus_control "$1" && keys_to "$MAIN_WINDOW" ctrl+a && type_to "$MAIN_WINDOW" "$2"; }

# Tabs through the main window until the control with that id has the focus.
focus_control() {
    for _ in $(seq 10); do [ "$(focused_id Velmora)" != "$1" ] || return 0; keys_to "$MAIN_WINDOW" Tab; done
    die "control $1 never took the focus"
}

# Waits for exactly one message box of that title, checks its text, and closes it with Enter.
expect_message_box() {
    wait_for "message boxes titled $1" 1 inspect --count "$1" '#32770'
    inspect "$1" '#32770' | grep -q -F "text=$2" || die "message box $1: no text [$2] in $(inspect "$1" '#32770')"
    keys_to "$(xdotool search --onlyvisible --name "^$1\$" | grep -v -x "$MAIN_WINDOW" | head -1)" Return
    wait_for "message boxes titled $1 after Enter" 0 inspect --count "$1" '#32770'
}

expect_eq() { [ "$2" = "$3" ] || die "$1: expected [$3], got [$2]"; }
