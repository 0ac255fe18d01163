#!/usr/bin/env bash
# Time from starting korva-counter.exe under wine to its window being on screen, in a fresh
# Xvfb server. The wine server is started first and kept between runs, as Windows is already
# up when a user starts the program; each run still starts a new wine process.
# Usage: startup_bench.sh PREFIX_DIR PROGRAM.exe [RUNS]   (default: 10 runs; prints each and the median)
set -euo pipefail
prefix=$(realpath -m "$1")
program=$2
runs=${3:-10}
here=$(dirname "$0")
# shellcheck source=SCRIPTDIR/../../../tools/lib/xserver.sh
. "$here/../../../tools/lib/xserver.sh"

export WINEPREFIX=$prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Makes the prefix on the first run, as the tests do.
"$here/../tests/wine_xvfb.sh" "$WINEPREFIX" cmd /c exit 0 >/dev/null

start_xvfb
at_exit 'wineserver -k 2>/dev/null'
wineserver -p
# One run to warm the wine server and the file cache; not counted.
wine cmd /c exit 0 >/dev/null 2>&1

time_window_shown "$runs" wine "$program"
