#!/usr/bin/env bash
# How long a large paste and a count take in each window, against the same paste into a bare
# text box of the same toolkit: the Qt window on a real X server (Xvfb with openbox, Ctrl+V from
# the clipboard) and the Win32 window under wine (WM_PASTE, as Ctrl+V sends it). The two lines of
# each size are printed as the programs give them.
# Usage: bench/window_paste.sh [MEGABYTES...]   (default 5 50; after tools/test.sh and
#        tools/test-windows.sh, or with build/ and build-win/ built as they build them)
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=(5 50)
[ $# -eq 0 ] || sizes=("$@")

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
if [ -x build/bin/paste_bench ]; then
    echo "Qt window (build/bin/paste_bench under Xvfb and openbox):"
    frontends/qt/tests/xvfb_openbox.sh build/bin/paste_bench "${sizes[@]}"
else
    echo "no build/bin/paste_bench: build build/ with KORVA_BUILD_BENCHMARKS=ON" >&2
fi
if [ -f build-win/bin/win32_paste_bench.exe ]; then
    echo "Win32 window under wine (build-win/bin/win32_paste_bench.exe):"
    WINEDEBUG=-all frontends/win32/tests/wine_xvfb.sh build-win/wineprefix \
        build-win/bin/win32_paste_bench.exe "${sizes[@]}"
else
    echo "no build-win/bin/win32_paste_bench.exe: run tools/test-windows.sh first" >&2
fi
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
