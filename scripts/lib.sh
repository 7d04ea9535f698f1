# shellcheck shell=bash
# Shared by the scripts and the end-to-end tests: building a preset, waiting for a window, the
# registry of the current WINEPREFIX. Sourced, not run; the caller sets the shell options.

# die MESSAGE: says what went wrong, after the script's name, and ends the script.
die() {
    echo "$(basename "$0" .sh): $*" >&2
    exit 1
}

# build_preset PRESET [TARGET...]: configures and builds one of CMakePresets.json's presets.
build_preset() {
    local preset=$1 targets=()
    shift
    [ $# -eq 0 ] || targets=(--target "$@")
    cmake --preset "$preset" --log-level=WARNING
    cmake --build --preset "$preset" -j"${VELMORA_JOBS:-$(nproc)}" "${targets[@]}"
}

# wait_window TITLE [SECONDS]: prints the X id of the first visible window whose title matches the
# regular expression. Polls every 50 ms; after SECONDS (default 15) says so and returns 1.
wait_window() {
    local title=$1 seconds=${2:-15} id i
    for ((i = 0; i < seconds * 20; i++)); do
        id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    echo "$(basename "$0" .sh): no window titled $title within $seconds s" >&2
    return 1
}

# reg_value KEY NAME: the data of a REG_SZ value, or nothing.
reg_value() {
    { wine reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"
}

# Windows opens .reg files with regedit, and Save needs that; a fresh Wine prefix opens them with
# nothing.
reg_files_associated() {
    wine reg query 'HKCR\regfile\shell\open\command' /ve </dev/null >/dev/null 2>&1
}

associate_reg_files() {
    wine reg add 'HKCR\.reg' /ve /d regfile /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCR\regfile\shell\open\command' /ve /d 'regedit.exe "%1"' /f </dev/null >/dev/null 2>&1
}
