#!/usr/bin/env bash
# CPU time (user + sys) of the Windows korva-count.exe under wine against the Linux korva-count
# on the same generated report file in the page cache; best of $RUNS runs each. Also the CPU
# time of starting the .exe under wine at all (--version), which the first figure includes.
# Usage: bench/wine-vs-linux.sh [MEGABYTES=1024] [realistic|dense]
# Needs build/ (tools/test.sh) and build-win/ (tools/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-1024}
shape=${2:-realistic}
runs=${RUNS:-3}
root=$PWD
command -v /usr/bin/time >/dev/null || tools/deps.sh bench
cmake --build build -j2 --target korva-make-reports korva-count >/dev/null

export WINEPREFIX="$root/build-win/wine" WINEARCH=win64 WINEDEBUG=-all
work=$(mktemp -d)
# The wine server runs apart from the timed processes, as it would on a desktop that has it.
wineserver -p || true  # one may be running already
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
build/bin/korva-make-reports "$megabytes" "$shape" > "$work/reports.txt"
cat "$work/reports.txt" > /dev/null

# Best user+sys seconds of a command over $runs runs, then that run's user and sys. Output goes
# to files: wine's services inherit the standard handles and would keep a pipe open.
best_cpu() {
    local best= split=
    for _ in $(seq "$runs"); do
        /usr/bin/time -o "$work/time" -f '%U %S' "$@" > "$work/out" 2>/dev/null
        local t
        t=$(awk '{ printf "%.2f", $1 + $2 }' "$work/time")
        if [ -z "$best" ] || awk "BEGIN { exit !($t < $best) }"; then
            best=$t
            split=$(awk '{ printf "user %.2f, sys %.2f", $1, $2 }' "$work/time")
        fi
    done
    echo "$best s ($split)"
}

echo "file: $megabytes MB, $shape, UTF-8 ($(stat -c %s "$work/reports.txt") bytes), best of $runs"
echo "wine start alone (korva-count.exe --version): $(best_cpu wine build-win/bin/korva-count.exe --version)"
for counter in sabo pluen; do
    linux=$(best_cpu build/bin/korva-count "$counter" "$work/reports.txt")
    windows=$(best_cpu wine build-win/bin/korva-count.exe "$counter" "$work/reports.txt")
    ratio=$(awk "BEGIN { printf \"%.2f\", ${windows%% *} / ${linux%% *} }")
    echo "$counter: Linux $linux; Windows under wine $windows; ratio $ratio"
done
