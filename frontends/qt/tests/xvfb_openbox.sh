#!/usr/bin/env bash
# Runs a command on a real X server with a window manager: a fresh Xvfb with openbox, which
# frames, places and focuses windows as a desktop does. The command gets DISPLAY and
# QT_QPA_PLATFORM=xcb; its exit status is the script's.
# Usage: xvfb_openbox.sh COMMAND [ARG...]
# KORVA_XVFB_SCREEN sets the screen's size and depth (default 1024x768x24).
# Exits 77 (skipped) when Xvfb, openbox or xprop is missing.
set -euo pipefail
# shellcheck source=SCRIPTDIR/../../../tools/lib/xserver.sh
. "$(dirname "$0")/../../../tools/lib/xserver.sh"

need_tools Xvfb openbox xprop
start_xvfb "${KORVA_XVFB_SCREEN:-}"
start_openbox

status=0
QT_QPA_PLATFORM=xcb "$@" || status=$?
exit "$status"
