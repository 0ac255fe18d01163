#!/usr/bin/env bash
# Where the window manager really puts the window: its frame's outer corner must be at the
# designed 196,141.
# Usage: xvfb_openbox.sh frame_place_xvfb.sh PROGRAM
# Exits 77 (skipped) when xdotool or xwininfo is missing.
set -euo pipefail

program=$1
expected_left=196
expected_top=141
# shellcheck source=SCRIPTDIR/../../../tools/lib/xserver.sh
. "$(dirname "$0")/../../../tools/lib/xserver.sh"

need_tools xdotool xwininfo xprop
make_work

"$program" 2>"$work/program.log" &
track $!
wait_for 100 find_window || fail "no window within 10 s: $(cat "$work/program.log")"

near() { (($1 - $2 <= 1 && $2 - $1 <= 1)); }
placed() {
    read_frame && near "$frame_left" "$expected_left" && near "$frame_top" "$expected_top"
}
# The window manager frames and places the window a moment after it is mapped.
if ! wait_for 50 placed; then
    read_frame || fail "the window manager set no _NET_FRAME_EXTENTS"
fi
echo "client at $client_left,$client_top; frame widths left $extent_left, top $extent_top"
echo "frame at $frame_left,$frame_top (designed $expected_left,$expected_top)"
((extent_top > 0)) || fail "the window has no title bar: the frame's place shows nothing"
near "$frame_left" "$expected_left" && near "$frame_top" "$expected_top" ||
    fail "the frame is not at the designed place"
echo "frame placed as designed"
