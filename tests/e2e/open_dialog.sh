# The Open dialog: its title and file type, and a file picked by typing its name replaces the value
# field. From the start-up focus, in the location field.
echo picture >"$APP_DIR/picked file.bmp"
keys_to "$MAIN_WINDOW" Tab Tab Tab Tab
expect_eq "focus on the select-file button" "$(focused_id Velmora)" 1005
keys_to "$MAIN_WINDOW" space
dialog=$(wait_window '^ Open $')
inspect ' Open ' | grep -q '^child id=1136 class=ComboBox .* text=All Files (\*\.\*)$' ||
    die "the file-type list does not show All Files (*.*): $(inspect ' Open ' | grep ComboBox)"
type_to "$dialog" "$(win_path 'picked file.bmp')"
keys_to "$dialog" Return
wait_no_window ' Open '
wait_for "value field" "$(win_path 'picked file.bmp')" control_text Velmora 1004
echo "ok: a picked file replaces the value field"
