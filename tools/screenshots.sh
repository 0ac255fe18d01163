#!/usr/bin/env bash
# Retakes the README's screenshots: the window under a window manager (Xvfb with openbox) after
# a sabotage count of a small report, at scale 1 (docs/screenshot.png) and at
# QT_SCALE_FACTOR=2 (docs/screenshot-2x.png), frame and title bar included; and the web page
# (built into build-web/) in headless Chromium after a count, wide and on a phone
# (docs/web-wide.png, docs/web-phone.png). A picture whose pixels are the same as the new one's
# is kept as it is, so an unchanged window changes no file.
# Usage: tools/screenshots.sh [PROGRAM]   (default build/bin/korva-counter)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/bin/korva-counter}")

if [ -z "${KORVA_SCREENSHOT_X:-}" ]; then
    tools/deps.sh docs
    tools/build-web.sh
    (cd frontends/web && npm ci --no-audit --no-fund --loglevel=error)
    # Room for the doubled window at its doubled place.
    KORVA_SCREENSHOT_X=1 KORVA_XVFB_SCREEN=1920x1200x24 \
        exec frontends/qt/tests/xvfb_openbox.sh "$0" "$program"
fi

# shellcheck source=SCRIPTDIR/lib/xserver.sh
. tools/lib/xserver.sh

report=$'Sabotagebericht vom 07.12.2026 14:32\r\n14:32:05 Eisenmine (3) zerstört\r\n14:32:05 Raumhafen (1) zerstört\r\n14:32:07 Wohngebäude (2) zerstört\r\n14:32:09 Forschungszentrum zerstört\r\n'

# keep_or_take SHOT FILE WHAT: FILE becomes SHOT unless their pixels are the same.
keep_or_take() {
    # compare exits 0 only when both have the same size and no pixel differs.
    if [ -f "$2" ] && compare -metric AE "$2" "$1" null: 2>/dev/null; then
        echo "$2: unchanged, $3"
    else
        cat "$1" > "$2"
        echo "$2: $3"
    fi
    rm -f "$1"
}

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
    keep_or_take "$shot" "$file" \
        "${frame_width}x${frame_height} (frame at $frame_left,$frame_top, scale $scale)"

    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
}

shoot 1 docs/screenshot.png
shoot 2 docs/screenshot-2x.png

web=$(mktemp -d)
node tools/lib/web_screenshots.mjs "$web"
for file in web-wide.png web-phone.png; do
    keep_or_take "$web/$file" "docs/$file" "$(identify -format %wx%h "$web/$file"), headless Chromium"
done
rmdir "$web"
