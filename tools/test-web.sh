#!/usr/bin/env bash
# Builds the web page into build-web/ and tests it: the modules in node against the native
# korva-count (built into build/ with korva-make-reports when missing), the core's fuzz targets
# built for WebAssembly in node, then the page in Chromium, Firefox ESR and WebKitGTK on a fresh
# Xvfb display, whose clipboard the player's Ctrl+V reads: over http on 127.0.0.1, from file://
# and as the hosted site offline; the layouts again with the fewest fonts. KORVA_WEB_ENGINES=firefox,webkit
# picks engines.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh web
tools/build-web.sh
if [ ! -x build/bin/korva-count ] || [ ! -x build/bin/korva-make-reports ]; then
    tools/deps.sh build
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build --target korva-count korva-make-reports -j2
fi
(cd frontends/web && npm ci --no-audit --no-fund --loglevel=error)
export PUPPETEER_SKIP_DOWNLOAD=1
# shellcheck source=SCRIPTDIR/lib/xserver.sh
. tools/lib/xserver.sh
start_xvfb 1280x1024x24
node --test --test-concurrency=1 frontends/web/tests/module.test.mjs frontends/web/tests/fuzz.test.mjs \
    frontends/web/tests/kernels.test.mjs frontends/web/tests/size.test.mjs \
    frontends/web/tests/browsers.test.mjs
# The layouts again with whatever font the system falls back to among the fewest it may have.
FONTCONFIG_FILE=$PWD/tools/lib/fewest-fonts.conf node --test --test-concurrency=1 \
    --test-name-pattern='phone|touch screen|width from' frontends/web/tests/browsers.test.mjs
ls -l build-web/korva-counter.html
