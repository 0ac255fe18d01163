#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# Usage: tools/deps.sh build|test|bench|docs|windows|package|web|page
set -euo pipefail

# fonts-dejavu-core: the sans-serif and monospace fonts the Qt window and the browsers fall back
# to, and the tests' pixels and sizes with them. It is named because nothing else brings it for
# sure: fontconfig depends on "fonts-dejavu-core | … | fonts-liberation | …", and with
# fonts-liberation in the same install apt takes that, leaving a fresh system's sans-serif to
# ghostscript's Nimbus Sans, whose taller lines stretch the page past a phone's height.
packages=(cmake g++ make qt6-base-dev qt6-translations-l10n libgtest-dev googletest libbenchmark-dev
          fonts-wine fonts-liberation fonts-dejavu-core librsvg2-bin)
case "${1:-build}" in
    test) packages+=(xvfb openbox x11-utils xdotool xclip libx11-dev desktop-file-utils appstream clang
                   libclang-rt-14-dev dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
                   qemu-user) ;;  # the tests again on a CPU without AVX2 (cmake/without-avx2.cmake)
    bench) packages+=(ripgrep bc time linux-perf) ;;
    docs) packages+=(xvfb openbox x11-utils xdotool xclip imagemagick) ;;
    # The downloads: the .deb is put together with dpkg-dev's tools and checked by lintian, the
    # Windows setup is made by nsis; osslsigncode signs the Windows programs and gnupg the .deb
    # and SHA256SUMS where keys are given; their tests read the man pages with man, validate the
    # menu entry and metainfo, and run the setup in a German locale made from locales' sources.
    # Falls through to the Windows build's packages, for the programs in the zip and setup, and
    # wine, Xvfb and xdotool to test them.
    package) packages+=(dpkg-dev lintian nsis man-db desktop-file-utils appstream osslsigncode
                        gnupg locales) ;&
    # The Windows cross-build (GoogleTest is built from the googletest package's sources) and
    # wine to run its tests; Xvfb for the window's tests under wine. The Win32 window's icon is
    # packed by icoutils; its end-to-end run types and copies through xdotool and xclip. Wine's
    # own fonts (Marlett for the caption buttons) come with fonts-wine, in the list above.
    windows) packages+=(mingw-w64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64
                        xvfb icoutils xdotool xclip) ;;
    # The web page's tests: the three engines (Chromium, Firefox ESR, WebKitGTK's MiniBrowser
    # through WebKitWebDriver) on an Xvfb display whose clipboard xclip fills and reads, xdotool
    # giving MiniBrowser's window the focus; Python's csv module reads the tables the page saves
    # and copies, as a spreadsheet would. Node and
    # npm come from Debian only where the machine has none of its own: Debian's packages conflict
    # with a node installed another way. Falls through to the page's build.
    web) packages+=(chromium firefox-esr webkit2gtk-driver libwebkit2gtk-4.1-0 xvfb xclip xdotool python3)
         command -v node >/dev/null || packages+=(nodejs)
         command -v npm >/dev/null || packages+=(npm) ;&
    # The web page's build: clang for wasm32-wasi with its C and C++ libraries, and binaryen's
    # wasm-opt, which makes the modules the page carries smaller.
    page) packages+=(clang-14 lld-14 wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32
                     libclang-rt-14-dev-wasm32 ccache binaryen) ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
