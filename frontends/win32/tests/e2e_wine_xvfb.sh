#!/usr/bin/env bash
# The real korva-counter.exe under wine in a real X server: paste a sabotage report into Input
# from the X clipboard, press Sabo, select and copy Output, and compare the clipboard byte for
# byte, on the Windows side (CLIPBOARD_TEXT.exe) and as X programs get it; then close the window
# with Alt+F4 and expect exit status 0.
# Usage: e2e_wine_xvfb.sh PREFIX_DIR PROGRAM.exe CLIPBOARD_TEXT.exe [SCREENSHOT.png]
# Exits 77 (skipped) when wine, Xvfb, xdotool or xclip is missing.
set -euo pipefail

prefix=$1
program=$2
clipboard_text=$3
screenshot=${4:-}
here=$(dirname "$0")
# shellcheck source=SCRIPTDIR/../../../tools/lib/xserver.sh
. "$here/../../../tools/lib/xserver.sh"
# shellcheck source=SCRIPTDIR/../../model/tests/paste_count_copy.sh
. "$here/../../model/tests/paste_count_copy.sh"

need_tools wine Xvfb xdotool xclip
program_pid=

# The tests' own prefix, as wine_xvfb.sh takes it.
WINEPREFIX=$(realpath -m "$prefix")
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# The wine server goes last, once the program and the X server have.
at_exit 'wineserver -w 2>/dev/null'

start_xvfb
# Makes the prefix on the first run, as the in-process tests do.
"$here/wine_xvfb.sh" "$WINEPREFIX" cmd /c exit 0 >/dev/null || fail "no wine prefix"

window_or_exit() { find_window || ! kill -0 "$program_pid" 2>/dev/null; }

wine "$program" 2>"$work/program.log" &
program_pid=$!
track "$program_pid"
wait_for 200 window_or_exit || fail "no window within 20 s"
find_window || fail "the program ended without a window: $(cat "$work/program.log")"
[ "$(xdotool getwindowname "$window")" = "KORVA-Counter Alpha 0.3" ] || fail "caption"

# The X window is the client area with the menu bar above it.
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry"
height=$(sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\2/p' <<<"$geometry")
width=$(sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1/p' <<<"$geometry")
# Wine draws the frame and caption itself, inside the X window.
top=$((height - 385 - (width - 633) / 2))
echo "client area from $(( (width - 633) / 2 )),$top of the X window"
left=$(((width - 633) / 2))

# Windows' clipboard holds the lines with CR LF; wine gives them to X programs with LF alone.
printf '%s' "$expected" | tr -d '\r' >"$work/expected-x"
paste_count_copy "$left" "$top" wine "$clipboard_text"
xclip -o -selection clipboard >"$work/copied-x" 2>/dev/null || true
cmp -s "$work/copied-x" "$work/expected-x" || fail "X programs get another text: $(od -c "$work/copied-x" | head)"
echo "X programs get the same lines, LF only"

window_screenshot "$left" "$top" "$screenshot"

# Wine reads the keyboard through the X server's focus, as a user types.
click $((left + 100)) $((top + 16 + 300))
xdotool key alt+F4
expect_closed "$program_pid"
