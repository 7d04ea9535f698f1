#!/usr/bin/env bash
# The main job end to end without a screen: starts velmora.exe on a private X server, saves one
# value by keyboard with the start-up texts, prints the registration file and the value regedit
# merged, and leaves a screenshot of the window.
#   demo.sh VELMORA_EXE SCREENSHOT.png      (in the WINEPREFIX the caller chose)
set -euo pipefail
source "$(dirname "$0")/lib.sh"
exe=$1
screenshot=$2
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export WINEDEBUG=-all

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List'
value='C:\Pictures\cat.bmp'
folder=$(dirname "$exe")
rm -f "$folder/Velmora.reg"
wine reg delete "$key" /v File1 /f >/dev/null 2>&1 || true

# Wine's own desktop window draws the title bar that a missing window manager would not.
(cd "$folder" && exec wine explorer /desktop=VelmoraDemo,640x480 "$exe" </dev/null >/dev/null 2>&1) &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

desktop=$(wait_window VelmoraDemo 30)
sleep 2 # the window inside the desktop appears after the desktop itself

# A click on the title bar activates the window (the desktop's top-left corner holds it); the
# focus is then in the location field, and five Tabs lead to the value field.
xdotool windowfocus --sync "$desktop"
xdotool mousemove --window "$desktop" 200 8 click 1
sleep 0.5
xdotool key --delay 50 Tab Tab Tab Tab Tab
xdotool type --delay 20 "$value"
xdotool key alt+s

wait_until 20 prints "$value" reg_value "$key" File1 || true
merged=$waited
sleep 1
import -window root "$screenshot.tmp.png"
# The window sits in the desktop's top-left corner; trim the desktop's plain background around it.
convert "$screenshot.tmp.png" -crop 600x460+0+0 +repage -fuzz 2% -trim +repage "$screenshot"
rm -f "$screenshot.tmp.png"

echo "Registration file $folder/Velmora.reg:"
sed 's/\r$//; s/^/    /' "$folder/Velmora.reg"
echo "Registry value merged by regedit: [${key}] File1 = $merged"
echo "Screenshot: $screenshot"

xdotool windowfocus --sync "$desktop"
xdotool key alt+x
wait "$pid" 2>/dev/null || true
trap - EXIT
[ "$merged" = "$value" ] || die "regedit did not merge the value"
