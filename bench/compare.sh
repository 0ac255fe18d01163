#!/usr/bin/env bash
# Times korva-count against ripgrep, grep and wc on the same generated report file, side by side
# in one run, with the file in the page cache, and prints the ratios (our time / theirs):
# - one thread: CPU time. korva-count reads the file as standard input, which it
#   never splits;
# - two threads: wall time, korva-count given the file by name (split in two from 64 MiB on);
#   ripgrep searches one file on one thread either way;
# - memory: korva-count's anonymous peak (RssAnon of /proc/PID/status, sampled while it runs:
#   heap, stacks and read buffers, not the program's mapped code) and its peak RSS.
# Every command runs RUNS times (default 5), the commands taking turns, so that a load that comes
# and goes on a shared machine falls on all of them; medians are printed. Output is read through
# a pipe (grep -c with its output on /dev/null stops early).
# With BASELINE=path/to/an/older/korva-count, that binary takes its turns too (one thread), for
# a before-and-after figure taken under the same load.
# With REALTIME=1 (as root), each timed command runs ahead of other work (bench/timing.sh).
# Usage: bench/compare.sh [MEGABYTES=1024] [realistic|dense] [cp1252|utf-8]
# Needs a build in build/ (tools/test.sh or tools/run.sh makes one); installs ripgrep if missing.
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-1024}
shape=${2:-realistic}
encoding=${3:-cp1252}
runs=${RUNS:-5}
bin=build/bin

command -v rg >/dev/null && command -v perf >/dev/null || tools/deps.sh bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file=$work/reports.txt
"$bin/korva-make-reports" "$megabytes" "$shape" > "$work/utf8.txt"
if [ "$encoding" = cp1252 ]; then
    iconv -f UTF-8 -t CP1252 "$work/utf8.txt" > "$file"
    umlaut=$'\xE4'
    rg_umlaut='\xE4'
else
    mv "$work/utf8.txt" "$file"
    umlaut=$'\xC3\xA4'
    rg_umlaut='\xC3\xA4'
fi
rm -f "$work/utf8.txt"
names=(Planetenzentrale Raumhafen "Wohngeb${umlaut}ude" Solarpark Eisenmine Siliziumraffinerie
       Kohlenstoffgewinnungsanlage Bohrturm Chemiefabrik Recyclinganlage Rohstofflager
       Schiffsfabrik Waffenfabrik Forschungszentrum)
keywords=(Eisen Silizium Kohlenstoff Wasserstoff Sauerstoff Wasser)
printf '%s\n' "${names[@]}" > "$work/names"
printf '%s\n' "${keywords[@]}" > "$work/keywords"
rg_names=$(printf '%s|' "${names[@]/Wohngeb${umlaut}ude/Wohngeb${rg_umlaut}ude}")
rg_names=${rg_names%|}
rg_keywords=$(IFS='|'; echo "${keywords[*]}")
cat "$file" > /dev/null  # into the page cache

source bench/timing.sh
ratio() {
    if [ "$(echo "$2 == 0" | bc)" = 1 ]; then echo "-"; return; fi
    echo "scale=2; $1 / $2" | bc -l | sed 's/^\./0./'
}

# Largest RssAnon seen, in KiB, while the command runs (STDIN_FILE as with measure).
anon_peak_kb() {
    "$@" < "${STDIN_FILE:-/dev/null}" > /dev/null &
    local pid=$! peak=0 key value
    while [ -r "/proc/$pid/status" ]; do
        while read -r key value _; do
            if [ "$key" = RssAnon: ] && [ "$value" -gt "$peak" ]; then peak=$value; fi
        done < "/proc/$pid/status" 2>/dev/null || true
    done
    wait "$pid"
    echo "$peak"
}
rss_peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

size=$(stat -c %s "$file")
echo "file: $megabytes MB, $shape, $encoding ($size bytes), medians of $runs alternating runs"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
for counter in sabo pluen; do
    if [ $counter = sabo ]; then patterns=$work/names; rg_pattern=$rg_names; else
        patterns=$work/keywords; rg_pattern=$rg_keywords; fi
    declare -A wall=() cpu=()
    for _ in $(seq "$runs"); do
        for tool in one two rg grep wc ${BASELINE:+base}; do
            case $tool in
                base) t=$(STDIN_FILE=$file measure "$BASELINE" $counter) ;;
                one) t=$(STDIN_FILE=$file measure "$bin/korva-count" $counter) ;;
                two) t=$(measure "$bin/korva-count" $counter "$file") ;;
                rg) t=$(measure rg -c --no-mmap --no-unicode "$rg_pattern" "$file") ;;
                grep) t=$(measure env LC_ALL=C grep -c -F -f "$patterns" "$file") ;;
                wc) t=$(measure wc -l "$file") ;;
            esac
            wall[$tool]="${wall[$tool]:-} ${t% *}"
            cpu[$tool]="${cpu[$tool]:-} ${t#* }"
        done
    done
    for tool in one two rg grep wc ${BASELINE:+base}; do
        wall[$tool]=$(echo "${wall[$tool]}" | median)
        cpu[$tool]=$(echo "${cpu[$tool]}" | median)
    done
    anon_one=$(STDIN_FILE=$file anon_peak_kb "$bin/korva-count" $counter)
    anon_two=$(anon_peak_kb "$bin/korva-count" $counter "$file")
    rss_two=$(rss_peak_kb "$bin/korva-count" $counter "$file")
    printf '%-5s one thread:  korva-count %.3f s CPU (%.0f MB/s) | rg %.3f s, ratio %s | grep -F %.3f s, ratio %s | wc -l %.3f s, ratio %s\n' \
        $counter "${cpu[one]}" "$(echo "$size / ${cpu[one]} / 1000000" | bc -l)" \
        "${cpu[rg]}" "$(ratio "${cpu[one]}" "${cpu[rg]}")" \
        "${cpu[grep]}" "$(ratio "${cpu[one]}" "${cpu[grep]}")" \
        "${cpu[wc]}" "$(ratio "${cpu[one]}" "${cpu[wc]}")"
    printf '      two threads: korva-count %.3f s wall (%.3f s CPU) | rg %.3f s wall, ratio %s | one thread %.3f s wall, ratio %s\n' \
        "${wall[two]}" "${cpu[two]}" "${wall[rg]}" "$(ratio "${wall[two]}" "${wall[rg]}")" \
        "${wall[one]}" "$(ratio "${wall[two]}" "${wall[one]}")"
    if [ -n "${BASELINE:-}" ]; then
        printf '      before: %s %.3f s CPU, ratio %s (now / before); / rg %s\n' "$BASELINE" \
            "${cpu[base]}" "$(ratio "${cpu[one]}" "${cpu[base]}")" "$(ratio "${cpu[base]}" "${cpu[rg]}")"
    fi
    printf '      memory: anonymous peak %s KiB with one thread, %s KiB with two; peak RSS %s KiB\n' \
        "$anon_one" "$anon_two" "$rss_two"
    unset wall cpu
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
