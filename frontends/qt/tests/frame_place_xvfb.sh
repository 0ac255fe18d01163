#!/usr/bin/env bash
# Where the window manager really puts the window: its frame's outer corner at the designed
# 196,141 (times QT_SCALE_FACTOR, a whole number here) where the whole frame fits the screen's
# work area; otherwise wholly inside it, moved in just far enough along each axis where it did
# not fit, or at the area's start where it is larger.
# Usage: xvfb_openbox.sh frame_place_xvfb.sh PROGRAM
# Exits 77 (skipped) when xdotool or xwininfo is missing.
set -euo pipefail

program=$1
scale=${QT_SCALE_FACTOR:-1}
designed_left=$((196 * scale))
designed_top=$((141 * scale))
# shellcheck source=SCRIPTDIR/../../../tools/lib/xserver.sh
. "$(dirname "$0")/../../../tools/lib/xserver.sh"

need_tools xdotool xwininfo xprop
make_work

IFS=, read -r area_left area_top area_width area_height _ < <(
    xprop -root _NET_WORKAREA | sed -n 's/.* = //p' | tr -d ' ')
[ -n "${area_height:-}" ] || fail "the window manager set no _NET_WORKAREA"

"$program" 2>"$work/program.log" &
track $!
wait_for 100 find_window || fail "no window within 10 s: $(cat "$work/program.log")"

near() { (($1 - $2 <= 1 && $2 - $1 <= 1)); }
# Along one axis: START and LENGTH of the frame, its DESIGNED start, the area's start and length.
# Moved in, the frame may keep a pixel or two from the edge: Qt measures the frame's widths in
# scaled pixels, rounded up.
axis_right() {
    local start=$1 length=$2 designed=$3 area_start=$4 area_length=$5
    local area_end=$((area_start + area_length))
    if ((length >= area_length)); then
        near "$start" "$area_start"
    elif ((designed >= area_start && designed + length <= area_end)); then
        near "$start" "$designed"
    else
        ((start >= area_start && start + length <= area_end &&
            (start - area_start <= 2 || area_end - start - length <= 2)))
    fi
}
placed() {
    read_frame &&
        axis_right "$frame_left" "$frame_width" "$designed_left" "$area_left" "$area_width" &&
        axis_right "$frame_top" "$frame_height" "$designed_top" "$area_top" "$area_height"
}
# The window manager frames and places the window a moment after it is mapped; the program
# may move it in once it knows the frame's size.
if ! wait_for 50 placed; then
    read_frame || fail "the window manager set no _NET_FRAME_EXTENTS"
fi
echo "work area ${area_width}x$area_height at $area_left,$area_top (scale $scale)"
echo "client at $client_left,$client_top; frame widths left $extent_left, top $extent_top"
echo "frame ${frame_width}x$frame_height at $frame_left,$frame_top" \
    "(designed $designed_left,$designed_top)"
((extent_top > 0)) || fail "the window has no title bar: the frame's place shows nothing"
placed || fail "the frame is not where it belongs"
echo "frame placed as it belongs"
