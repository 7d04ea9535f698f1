# shellcheck shell=bash
# Shared by the scripts and the end-to-end tests: failing, building a preset, waiting, the registry
# of the current WINEPREFIX. Sourced, not run; the caller sets the shell options.

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

# wait_until SECONDS COMMAND...: runs the command every 50 ms until it succeeds, keeping what it
# printed last in $waited; returns 1 once SECONDS have passed. The one bounded wait of the scripts
# and the tests.
wait_until() {
    local deadline=$((${EPOCHREALTIME//[!0-9]/} + $1 * 1000000))
    shift
    until waited=$("$@"); do
        ((${EPOCHREALTIME//[!0-9]/} < deadline)) || return 1
        sleep 0.05
    done
}

# prints EXPECTED COMMAND...: runs the command and prints its output; succeeds if that is EXPECTED.
prints() {
    local out
    out=$("${@:2}")
    echo "$out"
    [ "$out" = "$1" ]
}

# wait_window TITLE [SECONDS]: prints the X id of the first visible window whose title matches the
# regular expression; after SECONDS (default 15) says so and returns 1.
wait_window() {
    wait_until "${2:-15}" xdotool search --onlyvisible --name "$1" || {
        echo "$(basename "$0" .sh): no window titled $1 within ${2:-15} s" >&2
        return 1
    }
    head -1 <<<"$waited"
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
