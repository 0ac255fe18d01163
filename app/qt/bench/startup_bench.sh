#!/usr/bin/env bash
# Time from starting korva-counter to its window being on screen, in a fresh Xvfb server.
# Usage: startup_bench.sh PROGRAM [RUNS]   (default: 10 runs; prints each and the median)
set -euo pipefail
program=$1
runs=${2:-10}

work=$(mktemp -d)
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export QT_QPA_PLATFORM=xcb  # whatever the calling session prefers

# -noreset: an X server that resets when its last client leaves refuses clients meanwhile.
# Mapped means viewable: xdotool's --onlyvisible finds the window only once the X server
# shows it.
times=()
for ((run = 1; run <= runs; run++)); do
    start=$(date +%s%N)
    "$program" 2>"$work/stderr" &
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
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
echo "median: $median ms"
