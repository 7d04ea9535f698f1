#!/usr/bin/env bash
# Brings a throwaway Wine prefix up (created once, then reused) or down: the tests', the
# screenshot's and the start-up comparison's, never the user's own.
#   wine-prefix.sh up|down PREFIX
set -euo pipefail
source "$(dirname "$0")/lib.sh"
action=$1
export WINEPREFIX=$2 WINEDEBUG=-all

case $action in
up)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i </dev/null >/dev/null 2>&1
        wineserver -w
        associate_reg_files
        wineserver -w
    fi
    # Every process started here must let go of ctest's output pipe.
    wineserver -p </dev/null >/dev/null 2>&1 || true # already running: a run before this one left it up
    wine wineboot </dev/null >/dev/null 2>&1
    ;;
down)
    wineserver -k 2>/dev/null || true
    ;;
*)
    echo "usage: $0 up|down PREFIX" >&2
    exit 2
    ;;
esac
