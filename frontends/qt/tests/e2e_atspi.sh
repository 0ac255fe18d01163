#!/usr/bin/env bash
# The real program as a screen reader meets it: in a real X server and a D-Bus session of its
# own, through AT-SPI (atspi_names.py says what is checked).
# Usage: e2e_atspi.sh PROGRAM
# Exits 77 (skipped) when Xvfb, dbus-run-session, xdotool, the AT-SPI bus or Python's Atspi
# binding is missing.
set -euo pipefail

program=$1
here=$(dirname "$0")
# shellcheck source=SCRIPTDIR/../../../tools/lib/xserver.sh
. "$here/../../../tools/lib/xserver.sh"

need_tools Xvfb dbus-run-session xdotool
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
# Debian's binding belongs to Debian's interpreter, whatever python3 comes first in PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=$(command -v python3) || skip "python3 is not installed"
"$python" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    skip "Python's Atspi binding (gir1.2-atspi-2.0, python3-gi) is not installed"

start_xvfb

status=0
dbus-run-session -- "$python" "$here/atspi_names.py" "$program" 2>"$work/session.log" || status=$?
[ "$status" = 0 ] || cat "$work/session.log"
exit "$status"
