#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that both programs, the desktop file, icons,
# metainfo, man pages (English and German) and bash completion land in the standard folders,
# validating them where the validators are installed.
# Usage: install_check.sh BUILD-DIR APP-ID
set -euo pipefail
build=$1
id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

missing=0
for file in bin/korva-counter bin/korva-count \
    "share/applications/$id.desktop" \
    "share/metainfo/$id.metainfo.xml" \
    "share/icons/hicolor/scalable/apps/$id.svg" \
    "share/icons/hicolor/16x16/apps/$id.png" \
    "share/icons/hicolor/48x48/apps/$id.png" \
    "share/icons/hicolor/256x256/apps/$id.png" \
    share/man/man1/korva-count.1 share/man/man1/korva-counter.1 \
    share/man/de/man1/korva-count.1 share/man/de/man1/korva-counter.1 \
    share/bash-completion/completions/korva-count; do
    if [ ! -f "$prefix/$file" ]; then
        echo "missing: $file"
        missing=1
    fi
done
for program in korva-counter korva-count; do
    [ -x "$prefix/bin/$program" ] || { echo "not executable: bin/$program"; missing=1; }
done
[ "$missing" = 0 ] || exit 1

# The installed korva-count runs on its own and counts.
counted=$(printf 'Eisen 1500\r\nEisen 500\n' | "$prefix/bin/korva-count" pluen | grep '^Eisen')
[ "$counted" = "Eisen = 2000" ] || { echo "installed korva-count counted: $counted"; exit 1; }

# A 48x48 icon must really be 48 pixels square: bytes 16-23 of a PNG hold width and height.
size=$(od -An -tu1 -j16 -N8 "$prefix/share/icons/hicolor/48x48/apps/$id.png" | tr -s ' ')
[ "$size" = " 0 0 0 48 0 0 0 48" ] || { echo "48x48 icon has size bytes$size"; exit 1; }

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/$id.desktop"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
fi
echo "installed and valid"
