#!/usr/bin/env bash
# Builds everything (core, command line, window, every test; no benchmarks) with clang under
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer in build-asan, and runs the whole
# test suite. The first report of any of them fails the test that made it.
# Qt comes uninstrumented from Debian; tools/lsan.supp names the few leaks inside its own
# libraries (and the ones they load) that are not ours to fix.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh test

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# The sanitizer runtimes also run while building: test discovery starts each test program.
CC=clang CXX=clang++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="-O1 $sanitizers" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" -DCMAKE_SHARED_LINKER_FLAGS="$sanitizers" \
    -DKORVA_BUILD_BENCHMARKS=OFF -DKORVA_BUILD_APP=ON -DBUILD_TESTING=ON \
    -DKORVA_TEST_WITHOUT_AVX2=OFF
cmake --build build-asan -j2
ctest --test-dir build-asan --output-on-failure -j2
