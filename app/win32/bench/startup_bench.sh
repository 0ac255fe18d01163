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

export WINEPREFIX=$prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Makes the prefix on the first run, as the tests do.
"$here/../tests/wine_xvfb.sh" "$WINEPREFIX" cmd /c exit 0 >/dev/null

work=$(mktemp -d)
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
wineserver -p
# One run to warm the wine server and the file cache; not counted.
wine cmd /c exit 0 >/dev/null 2>&1

times=()
for ((run = 1; run <= runs; run++)); do
    start=$(date +%s%N)
    wine "$program" 2>"$work/stderr" &
    pid=$!
    until window=$(xdotool search --onlyvisible --name '^KORVA-Counter Alpha 0\.3$' 2>/dev/null | head -n1) && [ -n "$window" ]; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "run $run: the program ended without a window: $(cat "$work/stderr")"
            exit 1
        fi
        sleep 0.002
    done
    end=$(date +%s%N)
    ms=$(((end - start) / 1000000))
    times+=("$ms")
    echo "run $run: window shown after $ms ms"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    # The next run must not find this run's window.
    while xdotool search --onlyvisible --name '^KORVA-Counter Alpha 0\.3$' >/dev/null 2>&1; do
        sleep 0.01
    done
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
echo "median: $median ms"
