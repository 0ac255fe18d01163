#!/usr/bin/env bash
# Retakes the README's screenshots: the window under a window manager (Xvfb with openbox) after
# a sabotage count of a small report, at scale 1 (docs/screenshot.png) and at
# QT_SCALE_FACTOR=2 (docs/screenshot-2x.png), frame and title bar included. A picture whose
# pixels are the same as the new one's is kept as it is, so an unchanged window changes no file.
# Usage: tools/screenshots.sh [PROGRAM]   (default build/bin/korva-counter)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/bin/korva-counter}")

if [ -z "${KORVA_SCREENSHOT_X:-}" ]; then
    tools/deps.sh docs
    # Room for the doubled window at its doubled place.
    KORVA_SCREENSHOT_X=1 KORVA_XVFB_SCREEN=1920x1200x24 \
        exec frontends/qt/tests/xvfb_openbox.sh "$0" "$program"
fi

# shellcheck source=SCRIPTDIR/lib/xserver.sh
. tools/lib/xserver.sh

report=$'Sabotagebericht vom 07.12.2026 14:32\r\n14:32:05 Eisenmine (3) zerstört\r\n14:32:05 Raumhafen (1) zerstört\r\n14:32:07 Wohngebäude (2) zerstört\r\n14:32:09 Forschungszentrum zerstört\r\n'

# shoot SCALE FILE: starts the program at that scale, counts the report and photographs it.
shoot() {
    local scale=$1 file=$2 window program_pid
    QT_SCALE_FACTOR=$scale "$program" 2>/dev/null &
    program_pid=$!
    framed_window() { find_window && read_frame; }
    wait_for 100 framed_window || fail "no framed window at scale $scale"

    fill_clipboard "$report"

    # Window-relative device pixels: the layout's pixels times the scale, below the menu bar.
    local menu=$((client_height - 385 * scale))
    at() { xdotool mousemove --window "$window" $(($1 * scale)) $((menu + $2 * scale)) click 1; }
    at 100 120
    xdotool key ctrl+a ctrl+v
    at $((272 + 8 + 37)) $((16 + 32 + 12))  # Sabo
    at 100 330                              # back into the report: the caret, no selection
    sleep 0.5

    read_frame
    local shot
    shot=$(mktemp --suffix=.png)
    import -window root +repage \
        -crop "${frame_width}x${frame_height}+${frame_left}+${frame_top}" "$shot"
    local what="${frame_width}x${frame_height} (frame at $frame_left,$frame_top, scale $scale)"
    # compare exits 0 only when both have the same size and no pixel differs.
    if [ -f "$file" ] && compare -metric AE "$file" "$shot" null: 2>/dev/null; then
        rm -f "$shot"
        echo "$file: unchanged, $what"
    else
        cat "$shot" > "$file"
        rm -f "$shot"
        echo "$file: $what"
    fi

    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
}

shoot 1 docs/screenshot.png
shoot 2 docs/screenshot-2x.png
