# A save behind a file that a reader still holds: while it waits, the window answers and says what it
# waits for, and a picture of it against one before shows the status line redrawn, little else changed
# (the focus leaves the Save button while input waits), nothing left blank; then the save goes on.
keys_to "$MAIN_WINDOW" alt+s # a save first, so that the focus is where the next one leaves it
wait_for "status text" " Reg file created as : $(win_path Velmora.reg)" control_text Velmora 1015
import -window "$MAIN_WINDOW" "$APP_DIR/before.png"
: >"$APP_DIR/holding"
wine "$PROBE_EXE" --hold "$(win_path Velmora.reg)" "$(win_path stop-holding)" >"$APP_DIR/holding" 2>/dev/null &
holder=$!
wait_for "the reader holding Velmora.reg" held sed 's/\r//' "$APP_DIR/holding"
keys_to "$MAIN_WINDOW" alt+s
wait_for "status while the save waits" " Waiting for the Registry Editor to read Velmora.reg ..." \
    control_text Velmora 1015
import -window "$MAIN_WINDOW" "$APP_DIR/waiting.png"
touch "$APP_DIR/stop-holding"
wait "$holder"

# Redrawn where the status changed, drawn as before everywhere else but for a few pixels (the focus).
read -r width height <<<"$(identify -format '%w %h' "$APP_DIR/before.png")"
changed=$(compare -metric AE "$APP_DIR/before.png" "$APP_DIR/waiting.png" null: 2>&1 || true)
((changed > 0)) || die "the status line was not redrawn while the save waited"
((changed * 20 < width * height)) ||
    die "while the save waited, $changed of $((width * height)) pixels of the window changed: not drawn as before"

# Let go of within the wait, the save goes on; later than that, it says why it stopped.
saved_or_refused() {
    [ "$(inspect --count Velmora '#32770')" = 0 ] || { echo refused; return; }
    [ "$(control_text Velmora 1015)" = " Reg file created as : $(win_path Velmora.reg)" ] && echo saved
}
wait_until 15 saved_or_refused || die "the save neither went on nor said why after the reader let go"
[ "$waited" = saved ] || expect_message_box Velmora "Error Number: 70 "
echo "ok: a save waiting for a reader answers, is drawn, says what it waits for, and goes on ($waited)"
