#!/usr/bin/env bash
# Times korva-count against grep, ripgrep and wc on the same generated report file, side by side
# in one run, with the file in the page cache, and prints the ratios (our time / theirs).
# Usage: bench/compare.sh [MEGABYTES=1024] [realistic|dense] [cp1252|utf-8]
# Needs a build in build/ (tools/test.sh or tools/run.sh makes one); installs ripgrep if missing.
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-1024}
shape=${2:-realistic}
encoding=${3:-cp1252}
runs=${RUNS:-3}
bin=build/bin

command -v rg >/dev/null || tools/deps.sh bench
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

# Best of $runs wall-clock seconds; output read through a pipe (grep stops early on /dev/null).
best() {
    local best_time=
    for _ in $(seq "$runs"); do
        local start end t
        start=$(date +%s.%N)
        "$@" | cat > /dev/null
        end=$(date +%s.%N)
        t=$(echo "$end - $start" | bc)
        if [ -z "$best_time" ] || [ "$(echo "$t < $best_time" | bc)" = 1 ]; then best_time=$t; fi
    done
    echo "$best_time"
}
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

size=$(stat -c %s "$file")
echo "file: $megabytes MB, $shape, $encoding ($size bytes), best of $runs runs"
wc_time=$(best wc -l "$file")
for counter in sabo pluen; do
    if [ $counter = sabo ]; then patterns=$work/names; rg_pattern=$rg_names; else
        patterns=$work/keywords; rg_pattern=$rg_keywords; fi
    ours=$(best "$bin/korva-count" $counter "$file")
    grep_time=$(best env LC_ALL=C grep -c -F -f "$patterns" "$file")
    rg_time=$(best rg -c --no-mmap --no-unicode "$rg_pattern" "$file")
    memory=$(peak_kb "$bin/korva-count" $counter "$file")
    printf '%-6s korva-count %6.3f s (%5.0f MB/s, peak %s KB) | grep -F %6.3f s, ratio %.2f | rg %6.3f s, ratio %.2f | wc -l %6.3f s\n' \
        $counter "$ours" "$(echo "$size / $ours / 1000000" | bc -l)" "$memory" \
        "$grep_time" "$(echo "$ours / $grep_time" | bc -l)" \
        "$rg_time" "$(echo "$ours / $rg_time" | bc -l)" "$wc_time"
done
