#!/usr/bin/env bash
# What an explanation costs against the count alone: korva-count COUNTER against korva-count
# COUNTER --explain (and --csv), both counting in the same single pass, on generated UTF-8 reports of
# 5 MB and 300 MB (sizes as arguments), sabo and pluen. CPU time (user + sys) of one thread, the
# text read as standard input (which is never split); median of RUNS runs
# (default 5), the commands taking turns so that a passing load falls on all of them; output to
# the null device, which korva-count writes the rows to as they come, as to a file. Prints each
# median and the ratio explained / counted. The page's module: node bench/web_bench.mjs
# explain-module FILE.
# Usage: bench/explain_cost.sh [MEGABYTES...]   (default: 5 300)
# Needs build/bin/korva-count and korva-make-reports (tools/test.sh or tools/run.sh makes them).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-5}
bin=${BIN:-build/bin}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ $# -gt 0 ] || set -- 5 300

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# bash's times reports a subshell's children to the millisecond: a small text is run repeats
# times in a row, and the time of one run reported, to a tenth of a millisecond.
cpu_seconds() {
    ( for _ in $(seq "$repeats"); do "$@" < "$work/reports.txt" > /dev/null; done; times ) |
        tail -n 1 | awk -v n="$repeats" '{ split($1, u, /[ms]/); split($2, s, /[ms]/);
            printf "%.4f\n", (u[1] * 60 + u[2] + s[1] * 60 + s[2]) / n }'
}

echo "load average $(cut -d' ' -f1-3 /proc/loadavg); $runs runs each"
for megabytes in "$@"; do
    repeats=$(( (100 + megabytes - 1) / megabytes ))
    "$bin/korva-make-reports" "$megabytes" > "$work/reports.txt"
    cat "$work/reports.txt" > /dev/null
    for counter in sabo pluen; do
        : > "$work/count"; : > "$work/explain"; : > "$work/csv"
        for _ in $(seq "$runs"); do
            cpu_seconds "$bin/korva-count" "$counter" >> "$work/count"
            cpu_seconds "$bin/korva-count" "$counter" --explain >> "$work/explain"
            cpu_seconds "$bin/korva-count" "$counter" --csv >> "$work/csv"
        done
        count=$(median < "$work/count")
        explain=$(median < "$work/explain")
        csv=$(median < "$work/csv")
        ratio() { echo "scale=2; $1 / $2" | bc -l | sed 's/^\./0./'; }
        echo "$megabytes MB $counter: count $count s, --explain $explain s (x$(ratio "$explain" "$count")), --csv $csv s (x$(ratio "$csv" "$count"))"
    done
done
