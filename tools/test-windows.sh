#!/usr/bin/env bash
# Cross-builds the Windows programs with mingw-w64 into build-win/, runs their tests under wine,
# makes the zip, and checks that korva-count.exe from the unpacked zip prints the very bytes the
# Linux korva-count prints, and German text rightly in a console.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/deps.sh windows

cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DKORVA_BUILD_BENCHMARKS=OFF -DKORVA_BUILD_APP=ON -DBUILD_TESTING=ON
cmake --build build-win -j2

# Wine names the Unix files after Windows names in the locale's character set: with no locale
# set (a fresh system, a CI job without LANG) "Berichte äöüß.txt" cannot be made at all. C.UTF-8
# is built into Debian's C library, so it needs no locales package.
export LC_ALL=C.UTF-8
# A wine of our own inside the build folder, made once; no Mono or Gecko install prompts.
export WINEPREFIX="$root/build-win/wine" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
[ -f "$WINEPREFIX/system.reg" ] || wineboot --init
# One wine server for every run below, ended by the trap. Its services start with the first
# program and keep the standard handles they got from it, so that one has them on /dev/null: a
# pipe they held would never end for ctest.
wineserver -p || true
wine build-win/bin/korva-count.exe --version < /dev/null > /dev/null 2>&1
# Wine now and then fails to start a program at all, and a loaded machine can push a test past
# its time limit; a failed test gets one more run, from a clean state (wine_xvfb.sh first ends a
# wine server a killed run left). A real fault fails both runs and still fails the script.
ctest --test-dir build-win --output-on-failure -j2 --repeat until-pass:2

(cd build-win && cpack -G ZIP)
zip=$(ls build-win/korva-counter-*-win64.zip)
cmake -E chdir "$work" cmake -E tar xf "$root/$zip"
folder=$(ls -d "$work"/korva-counter-*-win64)
for f in korva-count.exe korva-counter.exe LIESMICH.txt LIZENZEN.txt; do
    [ -f "$folder/$f" ] || { echo "$zip lacks $f" >&2; exit 1; }
done
for f in LIESMICH.txt LIZENZEN.txt; do
    if LC_ALL=C grep -qv $'\r$' "$folder/$f"; then
        echo "$f in $zip has a line not ended by CR LF" >&2
        exit 1
    fi
done

# The window from the zip, end to end: paste, Sabo, copy, compare, close (77: skipped).
status=0
frontends/win32/tests/e2e_wine_xvfb.sh build-win/wineprefix "$folder/korva-counter.exe" \
    build-win/bin/clipboard_text.exe || status=$?
[ "$status" = 0 ] || [ "$status" = 77 ] || exit 1

# The Linux program to compare with: the one tools/test.sh built, or a build of it alone.
linux=build/bin/korva-count
if [ ! -x "$linux" ]; then
    cmake -S . -B build-cli -DCMAKE_BUILD_TYPE=Release -DKORVA_BUILD_APP=OFF \
        -DKORVA_BUILD_BENCHMARKS=OFF -DBUILD_TESTING=OFF
    cmake --build build-cli -j2 --target korva-count
    linux=build-cli/bin/korva-count
fi

# A small report: CR LF and LF, UTF-8 and Windows-1252, a 0x1A byte, a plunder and sabotage.
printf '%b' '12:05 Eisenmine (3) zerst\xc3\xb6rt\r\nRaumhafen\r\n\x1a\nWohngeb\xe4ude (2)\n' \
    'Eisen 1500\r\nWasserstoff\t230\nSauerstoff 2147483647\nSauerstoff 5\n' > "$work/Bericht ä.txt"
expected_sabo=$(printf '%s\n' 'Planetenzentrale  (0)' 'Raumhafen  (1)' 'Wohngebäude  (2)' \
    'Solarpark  (0)' 'Eisenmine  (3)' 'Siliziumraffinerie  (0)' \
    'Kohlenstoffgewinnungsanlage  (0)' 'Bohrturm  (0)' 'Chemiefabrik  (0)' \
    'Recyclinganlage  (0)' 'Rohstofflager  (0)' 'Schiffsfabrik  (0)' 'Waffenfabrik  (0)' \
    'Forschungszentrum  (0)' '' 'Gesamt zerstörte Punkte: 8')
failed=0
for args in "sabo" "sabo --raw" "sabo --json" "pluen" "pluen --raw" "pluen --json" \
    "pluen --encoding cp1252"; do
    # shellcheck disable=SC2086
    (cd "$work" && wine "$folder/korva-count.exe" $args "Bericht ä.txt") > "$work/windows.out"
    # shellcheck disable=SC2086
    (cd "$work" && "$root/$linux" $args "Bericht ä.txt") > "$work/linux.out"
    [ "$args" != sabo ] || cp "$work/windows.out" "$work/sabo.out"
    if cmp -s "$work/windows.out" "$work/linux.out"; then
        echo "same bytes: korva-count $args"
    else
        echo "DIFFERENT: korva-count $args" >&2
        cmp "$work/windows.out" "$work/linux.out" >&2 || true
        failed=1
    fi
done
if [ "$(cat "$work/sabo.out")" != "$expected_sabo" ]; then
    echo "korva-count.exe sabo gives an unexpected result:" >&2
    cat "$work/sabo.out" >&2
    failed=1
fi
# In a terminal wine gives the program a console, and the console's characters reach the terminal
# as UTF-8. The default output is UTF-8 and --raw Windows-1252: both can show "ä" only if each is
# written as characters, as no one console code page reads both byte forms alike.
for args in "sabo" "sabo --raw"; do
    shown=$(cd "$work" && LANG=C.UTF-8 timeout 60 script -qec \
        "wine '$folder/korva-count.exe' $args 'Bericht ä.txt'" /dev/null | tr -d '\r')
    if ! grep -q 'Wohngebäude  (2)' <<< "$shown"; then
        echo "korva-count.exe $args in a console does not show German text rightly:" >&2
        echo "$shown" >&2
        failed=1
    fi
    # Standard input is the console, but a file is named: nothing is read from the keyboard.
    if grep -q 'Tastatur' <<< "$shown"; then
        echo "korva-count.exe $args speaks of the keyboard though it reads a file:" >&2
        echo "$shown" >&2
        failed=1
    fi
done
# Typed into the console: the program says how to end the input, the umlaut arrives whatever the
# console's code page, and Ctrl+Z at the start of a line ends the input. (The terminal must pass
# Ctrl+Z on instead of suspending.)
shown=$( (sleep 5; printf 'Wohngeb\xc3\xa4ude (2)\r'; sleep 1; printf 'Eisenmine (3)\r'; sleep 1
          printf '\x1a\r'; sleep 5) |
    LANG=C.UTF-8 timeout 60 script -qfec "stty susp undef; wine '$folder/korva-count.exe' sabo" \
        /dev/null | tr -d '\r')
if ! grep -q 'Wohngebäude  (2)' <<< "$shown" || ! grep -q 'Gesamt zerstörte Punkte: 5' <<< "$shown" ||
    ! grep -q 'Ende der Eingabe: Strg+Z am Anfang einer Zeile, dann die Eingabetaste.' <<< "$shown"
then
    echo "korva-count.exe sabo does not say how to end typed input, or miscounts it:" >&2
    echo "$shown" >&2
    failed=1
fi
[ "$failed" -eq 0 ] && echo "$zip: korva-count.exe from the zip prints what Linux prints"
exit "$failed"
