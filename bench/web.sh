#!/usr/bin/env bash
# The web page's figures: the module in node against native korva-count --encoding utf-8 on a
# generated UTF-8 report text (sabo and pluen, CPU time of one thread, median of RUNS runs), the
# time from a click to the result in headless Chromium for 5 MB and 50 MB (median of 5), Erklärung
# against the count there, and the single-file page's size.
# Usage: bench/web.sh [MEGABYTES=200]
# Needs build-web/ (tools/build-web.sh, frontends/web/node_modules from npm ci) and build/ with
# korva-count and korva-make-reports.
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-200}
runs=${RUNS:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/bin/korva-make-reports "$megabytes" > "$work/reports.txt"
build/bin/korva-make-reports 5 > "$work/5mb.txt"
build/bin/korva-make-reports 50 > "$work/50mb.txt"
size=$(stat -c %s "$work/reports.txt")
echo "report text: $megabytes MB generated ($size bytes, UTF-8); load average $(cut -d' ' -f1-3 /proc/loadavg)"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# CPU seconds (user + sys, to the millisecond) of one command reading the report text: bash's
# times reports a subshell's children exactly, where /usr/bin/time counts in hundredths.
cpu_seconds() {
    ( "$@" < "$work/reports.txt" > /dev/null; times ) | tail -n 1 |
        awk '{ split($1, u, /[ms]/); split($2, s, /[ms]/); printf "%.3f\n", u[1] * 60 + u[2] + s[1] * 60 + s[2] }'
}
for counter in sabo pluen; do
    for _ in $(seq "$runs"); do
        cpu_seconds build/bin/korva-count $counter --encoding utf-8
    done | median > "$work/native-$counter"
    seconds=$(cat "$work/native-$counter")
    echo "native korva-count $counter: $seconds s CPU, $(echo "$size / $seconds / 1000000" | bc) MB/s"
done
node bench/web_bench.mjs node "$work/reports.txt" "$runs" | tee "$work/module"
for counter in sabo pluen; do
    native=$(cat "$work/native-$counter")
    grep " $counter:" "$work/module" | while read -r _ kernel _ seconds _; do
        echo "ratio $kernel $counter (module throughput / native): $(echo "scale=2; $native / $seconds" | bc -l | sed 's/^\./0./')"
    done
done
node bench/web_bench.mjs click "$work/5mb.txt" "$work/50mb.txt" 5
node bench/web_bench.mjs explain "$work/5mb.txt" "$work/50mb.txt" 5
echo "single-file page: $(stat -c %s build-web/korva-counter.html) bytes, $(gzip -9 -c build-web/korva-counter.html | wc -c) gzipped"
