#!/usr/bin/env bash
# The real program as a screen reader meets it: in a real X server and a D-Bus session of its
# own, through AT-SPI (the Python script says what is checked: atspi_names.py unless named).
# Usage: e2e_atspi.sh PROGRAM [SCRIPT.py]
# Exits 77 (skipped) when Xvfb, dbus-run-session, the AT-SPI bus or Python's Atspi binding is
# missing.
set -euo pipefail

program=$1
here=$(dirname "$0")
script=${2:-$here/atspi_names.py}
# shellcheck source=SCRIPTDIR/../../../tools/lib/xserver.sh
. "$here/../../../tools/lib/xserver.sh"

need_tools Xvfb dbus-run-session
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
# Debian's binding belongs to Debian's interpreter, whatever python3 comes first in PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=$(command -v python3) || skip "python3 is not installed"
"$python" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    skip "Python's Atspi binding (gir1.2-atspi-2.0, python3-gi) is not installed"

start_xvfb

status=0
dbus-run-session -- "$python" "$script" "$program" 2>"$work/session.log" || status=$?
[ "$status" = 0 ] || cat "$work/session.log"
exit "$status"
