#!/usr/bin/env bash
# What an explanation costs against the count alone: korva-count COUNTER against korva-count
# COUNTER --explain (and --csv), both counting in the same single pass, on generated UTF-8 reports of
# 5 MB and 300 MB (sizes as arguments), sabo and pluen. CPU time of korva-count (perf's
# task-clock, user + sys), the text read as standard input (which is never split); median of
# RUNS runs (default 5), the commands taking turns so that a passing load falls on all of them.
# OUTPUT says where the rows go: null (default) or file, which korva-count writes them to as they
# come, or pipe, for which it holds them back (in memory, then a temporary file). With REALTIME=1
# (as root) each run is under the real-time scheduler, as in bench/timing.sh. Prints each median
# and the ratio explained / counted. The page's module: node bench/web_bench.mjs explain-module
# FILE.
# Usage: [OUTPUT=null|file|pipe] bench/explain_cost.sh [MEGABYTES...]   (default: 5 300)
# Needs build/bin/korva-count and korva-make-reports (tools/test.sh or tools/run.sh makes them).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-5}
bin=${BIN:-build/bin}
output=${OUTPUT:-null}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ $# -gt 0 ] || set -- 5 300

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
cpu_seconds() {
    local first=()
    [ -n "${REALTIME:-}" ] && first=(chrt -f 10)
    case "$output" in
        null) "${first[@]}" perf stat -x, -e task-clock -o "$work/perf" "$@" < "$work/reports.txt" > /dev/null ;;
        file) "${first[@]}" perf stat -x, -e task-clock -o "$work/perf" "$@" < "$work/reports.txt" > "$work/out" ;;
        pipe) "${first[@]}" perf stat -x, -e task-clock -o "$work/perf" "$@" < "$work/reports.txt" | cat > /dev/null ;;
        *) echo "OUTPUT is null, file or pipe" >&2; exit 2 ;;
    esac
    awk -F, '$3 == "task-clock" { printf "%.4f\n", $1 / 1000 }' "$work/perf"
}

echo "load average $(cut -d' ' -f1-3 /proc/loadavg); $runs runs each; output to $output"
for megabytes in "$@"; do
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
