#!/usr/bin/env bash
# The page heard through Orca in Firefox ESR, as a blind player meets Erklärung: Orca's debug log
# (speech itself off: the log keeps every line it would speak) after real keys (xdotool) on an
# Xvfb display with a D-Bus session and AT-SPI bus of its own. Checks that opening Erklärung
# speaks the dialog's name, that Down and Up speak each row once, and that browse mode's Down
# goes from the heading to Berichte without stopping at the disabled menu bar.
# Not part of CI (Orca and Firefox under load take their time); needs orca and espeak-ng.
# Usage: tools/orca-page.sh [PAGE]   (default build-web/korva-counter.html)
set -euo pipefail
cd "$(dirname "$0")/.."
page=$(realpath "${1:-build-web/korva-counter.html}")
# shellcheck source=SCRIPTDIR/lib/xserver.sh
. tools/lib/xserver.sh
need_tools Xvfb dbus-run-session xdotool orca firefox-esr
start_xvfb 1280x1024x24

# The page with three lines of reports in Berichte, so that a count has rows to explain.
python3 - "$page" "$work/page.html" <<'PY'
import sys
text = open(sys.argv[1], encoding="utf-8").read()
start = text.index(">", text.index('<textarea id="Input"')) + 1
reports = "12:05 Eisenmine (3) zerstört\n12:06 Raumhafen (1) zerstört\n12:07 Bohrturm (2) zerstört"
open(sys.argv[2], "w", encoding="utf-8").write(text[:start] + reports + text[text.index("</textarea>", start):])
PY

cat > "$work/session.sh" <<'SESSION'
set -u
export HOME=$work/home XDG_RUNTIME_DIR=$work/home GNOME_ACCESSIBILITY=1
mkdir -p "$HOME"
/usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
sleep 1
orca --replace -d speech -d braille -u "$work/prefs" --debug-file "$work/orca.log" & reader=$!
sleep 8
firefox-esr --no-remote --profile "$work/profile" "file://$work/page.html" & browser=$!
sleep 20
xdotool windowfocus --sync "$(xdotool search --onlyvisible --class firefox | head -1)"
# Orca writes its log at its own offset: the marks go to a file of their own, with the time.
mark() { echo "$1 $(date +%H:%M:%S.%6N)" >> "$work/marks"; }
key() { xdotool key --clearmodifiers "$1"; sleep 1.5; }
key Tab; key Tab; key Return; sleep 1          # Ergebnis, Sabo: a count
key Tab; key Tab; mark open; key Return; sleep 1  # Plünder, Erklärung: opened
mark down; key Down; mark up; key Up
mark close; key Escape
mark browse; key Insert+a; key ctrl+Home
key Down; key Down; key Down
mark end
kill "$browser"; sleep 1; kill -INT "$reader"; sleep 2; kill "$bus" 2>/dev/null
SESSION
mkdir -p "$work/profile" "$work/prefs"
export work
dbus-run-session -- bash "$work/session.sh" >"$work/session.log" 2>&1 || true

# What Orca spoke between two marks, one line each.
at() { grep "^$1 " "$work/marks" | cut -d' ' -f2; }
spoken() {
    awk -v from="$(at "$1")" -v to="$(at "$2")" '$1 >= from && $1 < to && /SPEECH OUTPUT/' "$work/orca.log" |
        grep -o "SPEECH OUTPUT: '[^']*" | cut -c17- || true
}
failures=0
expect() {  # what, from, to, pattern (grep -E), how many times
    local count
    count=$(spoken "$2" "$3" | grep -cE "$4" || true)
    if [ "$count" = "$5" ]; then echo "ok: $1"; else
        echo "FAIL: $1 ($count times, not $5); spoken:"; spoken "$2" "$3" | sed 's/^/    /'; failures=1; fi
}
expect "opening speaks the dialog's name with its count" open down '^Erklärung 3 Zeilen haben gezählt\. dialog' 1
expect "Down speaks the second row once" down up '^Zeile 2: Raumhafen' 1
expect "Down speaks no button of the dialog" down up 'push button' 0
expect "Up speaks the first row once" up close '^Zeile 1: Eisenmine' 1
expect "browse mode passes the menu bar" browse end 'menu bar|grayed' 0
expect "browse mode reaches Berichte" browse end '^Berichte entry' 1
[ "$failures" = 0 ] || { mkdir -p /tmp/orca-debug; cp "$work"/*.log "$work/marks" /tmp/orca-debug/; }
exit "$failures"
