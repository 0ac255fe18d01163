#!/usr/bin/env bash
# Without a display the program says so in German on standard error and ends with status 1,
# before Qt can abort; a platform chosen with QT_QPA_PLATFORM still starts without one.
# Usage: no_display_check.sh PROGRAM
set -euo pipefail
program=$1
err=$(mktemp)
trap 'rm -f "$err"' EXIT

fail() {
    echo "FAIL: $*"
    cat "$err"
    exit 1
}

for display in unset empty; do
    vars=(-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
    [ "$display" = empty ] && vars+=(DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM=)
    status=0
    out=$(env "${vars[@]}" "$program" 2>"$err") || status=$?
    [ "$status" = 1 ] || fail "display $display: exit status $status, expected 1"
    [ -z "$out" ] || fail "display $display: wrote to standard output: $out"
    grep -q "Keine grafische Anzeige gefunden" "$err" || fail "display $display: no German message"
    grep -q "DISPLAY.*WAYLAND_DISPLAY.*QT_QPA_PLATFORM" "$err" || fail "display $display: no hint"
    ! grep -q "qt\.qpa" "$err" || fail "display $display: Qt's own message"
    echo "display $display: status 1, $(head -c 60 "$err")..."
done

# Still running after a second: it started and waits for its window to be closed.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen timeout 1 "$program" 2>"$err" || status=$?
[ "$status" = 124 ] || fail "QT_QPA_PLATFORM=offscreen: exit status $status, expected it still running"
echo "QT_QPA_PLATFORM=offscreen without a display: started"
