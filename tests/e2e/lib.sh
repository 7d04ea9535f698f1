# Shared by the end-to-end tests: start the real velmora.exe under Wine in a folder of its own,
# find its windows, press keys, read controls. Sourced, not run; scripts/lib.sh holds what the
# other scripts share with them (wait_window, reg_value).
#   Needs: VELMORA_EXE, PROBE_EXE, WINEPREFIX, DISPLAY (an X server; the test command starts Xvfb).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
: "${VELMORA_EXE:?}" "${PROBE_EXE:?}" "${WINEPREFIX:?}" "${DISPLAY:?an X display is needed (run under xvfb-run)}"
export WINEDEBUG=-all

E2E_NAME=$(basename "$0" .sh)
APP_DIR=$(mktemp -d "/tmp/velmora-e2e-$E2E_NAME.XXXXXX")
VELMORA_PID=

cleanup() {
    # Stop only the program this test started.
    if [ -n "$VELMORA_PID" ] && kill -0 "$VELMORA_PID" 2>/dev/null; then
        kill "$VELMORA_PID" 2>/dev/null || true
        wait "$VELMORA_PID" 2>/dev/null || true
    fi
    chmod -R u+w "$APP_DIR" 2>/dev/null || true
    rm -rf "$APP_DIR"
}
trap cleanup EXIT

fail() {
    echo "FAIL [$E2E_NAME]: $*" >&2
    exit 1
}

pass() {
    echo "ok   [$E2E_NAME]: $*"
}

# The Windows path of a file in the application folder.
win_path() {
    winepath -w "$APP_DIR/$1" 2>/dev/null | tr -d '\r'
}

start_velmora() {
    cp "$VELMORA_EXE" "$APP_DIR/velmora.exe"
    (cd "$APP_DIR" && exec wine "$APP_DIR/velmora.exe" </dev/null >/dev/null 2>&1) &
    VELMORA_PID=$!
    MAIN_WINDOW=$(wait_window '^Velmora$')
}

# As X sees them: keys go to X windows, so a window counts until X has unmapped it.
x_windows_titled() {
    { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; } | wc -l
}

wait_no_window() {
    wait_for "windows titled $1" 0 x_windows_titled "$1"
}

# Keys to a window: focused first, since without a window manager focus does not follow.
keys_to() {
    local window=$1
    shift
    xdotool windowfocus --sync "$window"
    xdotool key --delay 30 "$@"
}

# Without a window manager, X focus alone does not activate a Wine window that another one of
# the program has covered: a click inside it does. X Y are pixels within the X window.
click_to() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.3
}

type_to() {
    xdotool windowfocus --sync "$1"
    xdotool type --delay 20 "$2"
}

# The controls of a window, one line each (see window_probe.cpp).
inspect() {
    { wine "$PROBE_EXE" "$@" 2>/dev/null || true; } | tr -d '\r'
}

# The text of the control with the given id in the window of the given title.
control_text() {
    inspect "$1" | sed -n "s/^child id=$2 .* text=//p"
}

focused_id() {
    inspect "$1" | sed -n 's/^child id=\([0-9-]*\) .* focus=1 .*/\1/p'
}

# Tabs through the main window until the control with that id has the focus.
focus_control() {
    for _ in $(seq 10); do
        [ "$(focused_id Velmora)" = "$1" ] && return 0
        keys_to "$MAIN_WINDOW" Tab
    done
    fail "control $1 never took the focus"
}

# wait_for WHAT EXPECTED COMMAND...: runs the command until it prints the expected text; fails
# after 15 s, naming what it waited for.
wait_for() {
    local what=$1 expected=$2 actual
    shift 2
    for _ in $(seq 75); do
        actual=$("$@")
        [ "$actual" = "$expected" ] && return 0
        sleep 0.2
    done
    fail "$what: expected [$expected], got [$actual]"
}

wait_text() {
    wait_for "control $2 of $1" "$3" control_text "$1" "$2"
}

# Waits for exactly one message box of that title, checks its text, and closes it with Enter.
expect_message_box() {
    local title=$1 text=$2 box
    wait_for "message boxes titled $title" 1 inspect --count "$title" '#32770'
    inspect "$title" '#32770' | grep -q -F "text=$text" ||
        fail "message box $title: no text [$text] in $(inspect "$title" '#32770')"
    box=$(xdotool search --onlyvisible --name "^$title\$" | grep -v -x "$MAIN_WINDOW" | head -1)
    keys_to "$box" Return
    wait_for "message boxes titled $title after Enter" 0 inspect --count "$title" '#32770'
}

expect_eq() {
    [ "$2" = "$3" ] || fail "$1: expected [$3], got [$2]"
}

wait_reg_value() {
    wait_for "registry $1 $2" "$3" reg_value "$1" "$2"
}

running() {
    kill -0 "$VELMORA_PID" 2>/dev/null && echo yes || echo no
}

# Waits for the program to end by itself; fails after 15 s.
wait_exit() {
    wait_for "velmora.exe running" no running
    VELMORA_PID=
}
