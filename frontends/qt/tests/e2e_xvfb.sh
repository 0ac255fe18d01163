#!/usr/bin/env bash
# The real program in a real X server: paste a sabotage report into Input from the clipboard,
# press Sabo, select and copy Output, and compare the clipboard byte for byte; then close the
# window as a window manager would and expect exit status 0.
# Usage: e2e_xvfb.sh PROGRAM X_WINDOW [SCREENSHOT.png|""] [PROGRAM-ARGUMENTS...]
# The program takes no arguments: any given must change nothing.
# Exits 77 (skipped) when Xvfb, xdotool or xclip is missing.
set -euo pipefail

program=$1
x_window=$2
screenshot=${3:-}
shift $(($# < 3 ? $# : 3))
# shellcheck source=SCRIPTDIR/../../../tools/lib/xserver.sh
. "$(dirname "$0")/../../../tools/lib/xserver.sh"
# shellcheck source=SCRIPTDIR/../../model/tests/paste_count_copy.sh
. "$(dirname "$0")/../../model/tests/paste_count_copy.sh"

need_tools Xvfb xdotool xclip
if [ ! -x "$x_window" ]; then
    skip "$x_window was not built (no X11 headers)"
fi

program_pid=
window_or_exit() { find_window || ! kill -0 "$program_pid" 2>/dev/null; }

start_xvfb
export QT_QPA_PLATFORM=xcb  # whatever the calling session prefers

"$program" "$@" 2>"$work/program.log" &
program_pid=$!
track "$program_pid"
wait_for 100 window_or_exit || fail "no window within 10 s"
find_window || fail "the program ended without a window: $(cat "$work/program.log")"

[ "$(xdotool getwindowname "$window")" = "KORVA-Counter Alpha 0.3" ] || fail "caption: $(xdotool getwindowname "$window")"
# The task bar names the program by its class, apart from the caption.
if command -v xprop >/dev/null; then
    xprop -id "$window" WM_CLASS _NET_WM_NAME | tee "$work/xprop"
    grep -q '^WM_CLASS(STRING) = "korva-counter", "KORVA-Counter"$' "$work/xprop" || fail "WM_CLASS"
    grep -q '^_NET_WM_NAME(UTF8_STRING) = "KORVA-Counter Alpha 0.3"$' "$work/xprop" || fail "_NET_WM_NAME"
fi
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry"
grep -q "Position: 196,141" <<<"$geometry" || fail "not at the designed position"
width=$(sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1/p' <<<"$geometry")
height=$(sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\2/p' <<<"$geometry")
[ "$width" = 633 ] || fail "width $width"
menu=$((height - 385))
((menu > 10 && menu < 60)) || fail "height $height leaves no room for a menu bar"

# Left to right: Input's vertical scroll bar at its right edge, its text area white at the left.
scroll_bar=$("$x_window" pixel "$window" $((8 + 257 - 8)) $((menu + 16 + 300)))
text_area=$("$x_window" pixel "$window" $((8 + 8)) $((menu + 16 + 300)))
[ "$text_area" = ffffff ] && [ "$scroll_bar" != ffffff ] ||
    fail "Input is mirrored: left $text_area, right $scroll_bar"

paste_count_copy 0 "$menu" xclip -o -selection clipboard
window_screenshot 0 "$menu" "$screenshot"

"$x_window" close "$window"
expect_closed "$program_pid"
