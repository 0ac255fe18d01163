#!/usr/bin/env bash
# Retakes the README's screenshots: the window under a window manager (Xvfb with openbox) after
# a sabotage count of a small report, at scale 1 (docs/screenshot.png) and at
# QT_SCALE_FACTOR=2 (docs/screenshot-2x.png), frame and title bar included.
# Usage: tools/screenshots.sh [PROGRAM]   (default build/bin/korva-counter)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/bin/korva-counter}")

if [ -z "${KORVA_SCREENSHOT_X:-}" ]; then
    tools/deps.sh docs
    # Room for the doubled window at its doubled place.
    KORVA_SCREENSHOT_X=1 KORVA_XVFB_SCREEN=1920x1200x24 \
        exec app/qt/tests/xvfb_openbox.sh "$0" "$program"
fi

# shellcheck source=SCRIPTDIR/lib/xserver.sh
. tools/lib/xserver.sh

report=$'Sabotagebericht vom 07.12.2026 14:32\r\n14:32:05 Eisenmine (3) zerstört\r\n14:32:05 Raumhafen (1) zerstört\r\n14:32:07 Wohngebäude (2) zerstört\r\n14:32:09 Forschungszentrum zerstört\r\n'

# shoot SCALE FILE: starts the program at that scale, counts the report and photographs it.
shoot() {
    local scale=$1 file=$2 window program_pid clip_pid
    QT_SCALE_FACTOR=$scale "$program" 2>/dev/null &
    program_pid=$!
    framed_window() { find_window && xprop -id "$window" _NET_FRAME_EXTENTS | grep -q =; }
    wait_for 100 framed_window || fail "no framed window at scale $scale"

    printf '%s' "$report" | xclip -quiet -selection clipboard -i 2>/dev/null &
    clip_pid=$!
    sleep 0.3

    # Window-relative device pixels: the layout's pixels times the scale, below the menu bar.
    local height menu
    height=$(xwininfo -id "$window" | sed -n 's/.*Height: *//p')
    menu=$((height - 385 * scale))
    at() { xdotool mousemove --window "$window" $(($1 * scale)) $((menu + $2 * scale)) click 1; }
    at 100 120
    xdotool key ctrl+a ctrl+v
    at $((272 + 8 + 37)) $((16 + 32 + 12))  # Sabo
    at 100 330                              # back into the report: the caret, no selection
    sleep 0.5

    # The frame: the client's corner on the screen minus the frame's widths.
    local info extents left right top bottom x y w h
    info=$(xwininfo -id "$window")
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ' ')
    IFS=, read -r left right top bottom <<<"$extents"
    x=$(($(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info") - left))
    y=$(($(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info") - top))
    w=$(($(sed -n 's/.*Width: *//p' <<<"$info") + left + right))
    h=$((height + top + bottom))
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$file"
    echo "$file: ${w}x${h} (frame at $x,$y, scale $scale)"

    kill "$program_pid" "$clip_pid" 2>/dev/null || true
    wait "$program_pid" "$clip_pid" 2>/dev/null || true
}

shoot 1 docs/screenshot.png
shoot 2 docs/screenshot-2x.png
