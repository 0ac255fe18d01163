#!/usr/bin/env bash
# Builds the web page into build-web/: korva-counter.html (one file, works from disk) and site/
# (to host: installable, works offline), plus the two modules korva-simd.wasm and
# korva-scalar.wasm for the tests. Installs its compilers first (tools/deps.sh page).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh page
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S frontends/web -B build-web -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build-web -j2
