#!/usr/bin/env bash
# Runs a Windows program under wine in a fresh Xvfb server, since wine's windows need an X
# display. The wine prefix is the test's own, whatever WINEPREFIX says, so that its desktop, its
# clipboard and its wine server belong to this X server and to no one else.
# Usage: [KORVA_WINE_DPI=N] [KORVA_WINE_DESKTOP=WxH] wine_xvfb.sh PREFIX_DIR PROGRAM.exe [ARGS...]
#   KORVA_WINE_DPI=N: the system's dpi is N, in a prefix of its own (PREFIX_DIR-N) made so.
#   KORVA_WINE_DESKTOP=WxH: its programs run on a virtual desktop of that size with a task bar
#   (wine's desktop "shell"), in a prefix of its own (PREFIX_DIR[-N]-desktop) made so.
# Exits 77 (skipped) when wine or Xvfb is missing.
set -euo pipefail

prefix=$(realpath -m "$1")
[ -z "${KORVA_WINE_DPI:-}" ] || prefix+="-$KORVA_WINE_DPI"
[ -z "${KORVA_WINE_DESKTOP:-}" ] || prefix+="-desktop"
shift
# shellcheck source=SCRIPTDIR/../../../tools/lib/xserver.sh
. "$(dirname "$0")/../../../tools/lib/xserver.sh"
need_tools wine Xvfb

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers when the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="

# A run that ended without its exit trap (ctest kills a test past its time limit, and with it
# this script, by SIGKILL) leaves the prefix's wine server and services running, tied to its gone
# X server: the next run's "wineserver -p0" would fail at once, and its program would meet that
# old server. Each run starts with none; the prefix's tests run one at a time (RESOURCE_LOCK).
if wineserver -k 2>/dev/null; then
    echo "ended the wine server an earlier run left running in $WINEPREFIX"
    wineserver -w
fi

start_xvfb 1920x1200x24
# Once the program has ended, its prefix's wine server and services go at once: left alone they
# linger 2 s, which every test run would wait for.
at_exit 'wineserver -k 2>/dev/null'

# A new prefix is made on the first run; that takes a while, once. Its windows are unmanaged:
# with no window manager in Xvfb, wine would wait 2 s at every window's end for one to answer,
# and it draws the caption and frame itself, as Windows does.
if [ ! -f "$WINEPREFIX/.korva-unmanaged" ]; then
    echo "making the wine prefix $WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # KORVA_WINE_DPI: the system's dpi in this prefix, as Windows' display scale sets it.
    if [ -n "${KORVA_WINE_DPI:-}" ]; then
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
            /d "$KORVA_WINE_DPI" /f >/dev/null 2>&1
    fi
    if [ -n "${KORVA_WINE_DESKTOP:-}" ]; then
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell \
            /d "$KORVA_WINE_DESKTOP" /f >/dev/null 2>&1
    fi
    wineserver -w
    touch "$WINEPREFIX/.korva-unmanaged"
fi
# Wine's own fonts (Marlett, whose glyphs are the caption buttons; the "MS Sans Serif" bitmaps;
# Tahoma) come with fonts-wine in $wine_fonts, but Debian's wine 8 looks for them at
# "Z:\usr\share\wine\../fonts", a path its file functions do not resolve, and finds none:
# the caption buttons then show as the letters "0 1 r". C:\windows\Fonts is read as on
# Windows, so they are linked there, also into a prefix made before.
wine_fonts=/usr/share/wine/fonts
fonts_dir="$WINEPREFIX/drive_c/windows/Fonts"
if [ -d "$wine_fonts" ] && [ -d "$fonts_dir" ]; then
    for font in "$wine_fonts"/*; do
        [ -e "$fonts_dir/${font##*/}" ] || ln -s "$font" "$fonts_dir/${font##*/}"
    done
fi
# Persist 0 s: the server goes as soon as the last program has, so cleanup does not wait long.
wineserver -p0 || fail "could not start the wine server for $WINEPREFIX (status $?)"
status=0
wine "$@" || status=$?
exit "$status"
