#!/usr/bin/env bash
# Times korva-count over read sizes from 16 KiB to 1 MiB, so that its read size is chosen from a
# measurement on the machine at hand (frontends/cli/run.cpp, docs/speed.md). korva-count is built
# once per size (KORVA_READ_KB, in build-read-sizes/), then each counter runs on generated reports,
# realistic and dense, with the file in the page cache:
# - from standard input (one thread): CPU time (user + sys);
# - by name (split in two threads from 64 MiB on): wall time, and CPU time of both threads.
# Every size takes its turn in each of RUNS rounds (default 5), so that a load that comes and goes
# on a shared machine falls on all of them; medians are printed, and each one's ratio to the best
# of its column.
# Usage: bench/read_sizes.sh [MEGABYTES=300]
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-300}
runs=${RUNS:-5}
sizes=(16 32 64 128 256 512 1024)
build=build-read-sizes

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
command -v perf >/dev/null || tools/deps.sh bench
for kb in "${sizes[@]}"; do
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DKORVA_READ_KB="$kb" "${launcher[@]}" > /dev/null
    cmake --build "$build" -j2 --target korva-count korva-make-reports > /dev/null
    cp "$build/bin/korva-count" "$work/korva-count-$kb"
done

for shape in realistic dense; do
    "$build/bin/korva-make-reports" "$megabytes" "$shape" | iconv -f UTF-8 -t CP1252 > "$work/$shape"
    cat "$work/$shape" > /dev/null  # into the page cache
done

source bench/timing.sh

echo "CPU: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores"
echo "caches: L1d $(getconf LEVEL1_DCACHE_SIZE), L2 $(getconf LEVEL2_CACHE_SIZE)," \
     "L3 $(getconf LEVEL3_CACHE_SIZE) bytes (per core: $(lscpu | sed -n 's/^L2 cache: *//p') L2)"
echo "files: $megabytes MB of generated reports, Windows-1252; medians of $runs rounds"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

declare -A result=()
columns=()
for shape in realistic dense; do
    for counter in sabo pluen; do
        for how in stdin name; do
            column="$shape $counter $how"
            columns+=("$column")
            declare -A samples=() cpu=()
            for _ in $(seq "$runs"); do
                for kb in "${sizes[@]}"; do
                    if [ $how = stdin ]; then
                        t=$(STDIN_FILE=$work/$shape measure "$work/korva-count-$kb" $counter)
                        samples[$kb]="${samples[$kb]:-} ${t#* }"
                    else
                        t=$(measure "$work/korva-count-$kb" $counter "$work/$shape")
                        samples[$kb]="${samples[$kb]:-} ${t% *}"
                        cpu[$kb]="${cpu[$kb]:-} ${t#* }"
                    fi
                done
            done
            for kb in "${sizes[@]}"; do result["$column/$kb"]=$(echo "${samples[$kb]}" | median); done
            if [ $how = name ]; then
                columns+=("$shape $counter name-cpu")
                for kb in "${sizes[@]}"; do
                    result["$shape $counter name-cpu/$kb"]=$(echo "${cpu[$kb]}" | median)
                done
            fi
            unset samples cpu
        done
    done
done

printf '\n%-44s' "column \\ read size (KiB)"
for kb in "${sizes[@]}"; do printf '%14s' "$kb"; done
echo
for column in "${columns[@]}"; do
    best=$(for kb in "${sizes[@]}"; do echo "${result["$column/$kb"]}"; done | sort -n | head -n 1)
    unit="s CPU"
    [[ $column == *name ]] && unit="s wall, 2 threads"
    [[ $column == *name-cpu ]] && unit="s CPU, 2 threads"
    printf '%-44s' "$column ($unit)"
    for kb in "${sizes[@]}"; do
        value=${result["$column/$kb"]}
        printf '%14s' "$value ($(echo "scale=2; $value / $best" | bc -l | sed 's/^\./0./'))"
    done
    echo
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
