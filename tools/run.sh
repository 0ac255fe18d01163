#!/usr/bin/env bash
# Builds the programs and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh build
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j2
exec build/bin/korva-counter "$@"
