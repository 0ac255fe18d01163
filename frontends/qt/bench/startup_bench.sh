#!/usr/bin/env bash
# Time from starting korva-counter to its window being on screen, in a fresh Xvfb server.
# Usage: startup_bench.sh PROGRAM [RUNS]   (default: 10 runs; prints each and the median)
set -euo pipefail
program=$1
runs=${2:-10}
# shellcheck source=SCRIPTDIR/../../../tools/lib/xserver.sh
. "$(dirname "$0")/../../../tools/lib/xserver.sh"

start_xvfb
export QT_QPA_PLATFORM=xcb  # whatever the calling session prefers
time_window_shown "$runs" "$program"
