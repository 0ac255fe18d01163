#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with clang and runs each, one after the other, on a copy
# of its seed corpus (so a run adds nothing to the repository). Fails when any target crashes,
# trips a sanitizer or breaks one of its properties; the input that did it is kept in
# build-fuzz/artifacts/ and printed.
# Usage: tools/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
max_len="${KORVA_FUZZ_MAX_LEN:-4096}"

tools/deps.sh test
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVA_BUILD_FUZZERS=ON -DKORVA_BUILD_APP=OFF -DKORVA_BUILD_BENCHMARKS=OFF \
    -DBUILD_TESTING=OFF >/dev/null

targets=()
for source in fuzz/*.cpp; do
    name="$(basename "$source" .cpp)"
    # replay.cpp is the plain main that replays the corpora in ctest, not a target.
    [ "$name" = replay ] && continue
    targets+=("$name")
done
cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz_}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
artifacts="$PWD/build-fuzz/artifacts"
mkdir -p "$artifacts"
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

failed=()
for name in "${targets[@]}"; do
    corpus="$work/$name"
    mkdir -p "$corpus"
    [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
    options=(-max_total_time="$seconds" -max_len="$max_len" -timeout=20 -rss_limit_mb=2048
        -print_final_stats=1 -artifact_prefix="$artifacts/$name-")
    [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
    log="$work/$name.log"
    echo "== fuzz_$name: ${seconds}s"
    if build-fuzz/bin/"fuzz_$name" "${options[@]}" "$corpus" >"$log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units)' "$log" || true
        echo "   corpus grew to $(find "$corpus" -type f | wc -l) inputs"
    else
        failed+=("$name")
        tail -n 60 "$log"
        for input in $(grep -oE "$artifacts/[^ ]+" "$log" | sort -u); do
            [ -f "$input" ] || continue
            echo "   input $input:"
            od -A d -c "$input" | head -n 40
        done
    fi
done

[ ${#failed[@]} -eq 0 ] || echo "failed: ${failed[*]}"
echo "fuzz: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
