#!/usr/bin/env bash
# Runs a command on a real X server with a window manager: a fresh Xvfb with openbox, which
# frames, places and focuses windows as a desktop does. The command gets DISPLAY and
# QT_QPA_PLATFORM=xcb; its exit status is the script's.
# Usage: xvfb_openbox.sh COMMAND [ARG...]
# KORVA_XVFB_SCREEN sets the screen's size and depth (default 1024x768x24).
# Exits 77 (skipped) when Xvfb, openbox or xprop is missing.
set -euo pipefail

for tool in Xvfb openbox xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tries=$1
    shift
    for ((i = 0; i < tries; i++)); do
        if "$@"; then return 0; fi
        sleep 0.1
    done
    return 1
}

# -noreset: without it Xvfb resets whenever its last client leaves, refusing whoever connects
# just then.
Xvfb -displayfd 3 -noreset -screen 0 "${KORVA_XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"

# openbox keeps its cache and session files in the scratch folder, not in the user's home.
XDG_CACHE_HOME=$work XDG_CONFIG_HOME=$work openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for 100 wm_running || fail "openbox did not start: $(cat "$work/openbox.log")"

status=0
QT_QPA_PLATFORM=xcb "$@" || status=$?
exit "$status"
