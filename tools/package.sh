#!/usr/bin/env bash
# Builds every download into dist/: korva-counter_<version>_amd64.deb, the Windows zip and setup,
# the web page as korva-counter-<version>.html, and SHA256SUMS. The programs come from the builds
# tools/test.sh (build/) and tools/test-windows.sh (build-win/) made; where one is missing, only
# the programs are built, in a folder of their own (build-package/, build-package-win/). The web
# page is always brought up to date in build-web/ (an incremental build): every download carries it.
# Signatures, where the publisher's keys are given in the environment (never in the repository):
#   KORVA_SIGN_PKCS12, KORVA_SIGN_PASSWORD  Authenticode certificate (PKCS#12) and its password:
#                                           both programs, the setup and its uninstaller signed
#   KORVA_SIGN_TIMESTAMP                    an RFC 3161 timestamp server for those signatures
#   KORVA_GPG_KEY                           an OpenPGP key in gpg's keyring: the .deb and SHA256SUMS
#                                           get detached signatures (.asc)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/deps.sh package
tools/deps.sh page
umask 022

version=$(sed -n 's/^project(korva-counter VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
changelog_version=$(dpkg-parsechangelog -l packaging/debian/changelog -S Version)
metainfo_version=$(grep -o -m1 '<release version="[^"]*"' \
    packaging/linux/desktop/de.korva.KorvaCounter.metainfo.xml | cut -d'"' -f2)
if [ -z "$version" ] || [ "$changelog_version" != "$version" ] ||
    [ "$metainfo_version" != "$version" ]; then
    echo "The version differs: CMakeLists.txt '$version', packaging/debian/changelog" \
        "'$changelog_version', the metainfo's latest release '$metainfo_version'." >&2
    echo "A new version needs an entry in the changelog and in the metainfo." >&2
    exit 1
fi
# The same sources give the same .deb: file times are clamped to the changelog's date.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l packaging/debian/changelog -S Timestamp)
export SOURCE_DATE_EPOCH

# Prints the build folder that holds korva-count and korva-counter, built: the test script's
# release build, or a folder of its own configured for the programs alone. The rest are CMake
# arguments for that one.
programs_in() {
    local dir=$1 own=$2
    shift 2
    if ! grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$dir/CMakeCache.txt" 2>/dev/null; then
        dir=$own
        cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
            -DKORVA_BUILD_BENCHMARKS=OFF "$@" >&2
    fi
    cmake --build "$dir" -j2 --target korva-count korva-counter >&2
    echo "$dir"
}
linux=$(programs_in build build-package)
windows=$(programs_in build-win build-package-win \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)

# The web page, which every download carries: built, or brought up to date after a change.
tools/build-web.sh >&2
page=build-web/korva-counter.html

rm -rf dist
mkdir dist
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -n "${KORVA_SIGN_PKCS12:-}" ]; then
    echo "The Windows programs and setup are signed with $KORVA_SIGN_PKCS12${KORVA_SIGN_TIMESTAMP:+, timestamped by $KORVA_SIGN_TIMESTAMP}."
    authenticode=("$root/tools/lib/authenticode.sh")
else
    echo "No KORVA_SIGN_PKCS12: the Windows programs and setup stay unsigned."
    authenticode=(true)
fi
if [ -n "${KORVA_GPG_KEY:-}" ]; then
    echo "The .deb and SHA256SUMS are signed with the OpenPGP key $KORVA_GPG_KEY."
else
    echo "No KORVA_GPG_KEY: the .deb and SHA256SUMS stay without an OpenPGP signature."
fi
openpgp() {
    [ -z "${KORVA_GPG_KEY:-}" ] ||
        gpg --batch --yes --local-user "$KORVA_GPG_KEY" --armor --detach-sign "$1"
}

# The publisher's values (packaging/publisher.conf) for the files that name them.
publisher_value() { sed -n "s/^$1=//p" packaging/publisher.conf; }
with_publisher() {
    sed -e "s|@PUBLISHER@|$(publisher_value PUBLISHER)|g" -e "s|@EMAIL@|$(publisher_value EMAIL)|g" \
        -e "s|@HOMEPAGE@|$(publisher_value HOMEPAGE)|g" "$1"
}

# The .deb, put together as Debian's own tools do it: the install tree, programs stripped as
# dh_strip does, man pages and changelog gzipped without names or times, the Depends line from
# the libraries the programs use. The web page lies beside, and the menu entry's action
# "KORVA-Counter im Browser" opens it.
deb=$work/korva-counter
DESTDIR=$deb cmake --install "$linux" --prefix /usr >/dev/null
share=/usr/share/korva-counter
install -D -m 644 "$page" "$deb$share/korva-counter.html"
desktop=$deb/usr/share/applications/de.korva.KorvaCounter.desktop
sed -i 's|^Exec=korva-counter$|&\nActions=browser;|' "$desktop"
cat >> "$desktop" << EOF

[Desktop Action browser]
Name=KORVA-Counter in the browser
Name[de]=KORVA-Counter im Browser
Exec=xdg-open $share/korva-counter.html
EOF
strip --remove-section=.comment --remove-section=.note "$deb"/usr/bin/*
find "$deb/usr/share/man" -type f -name '*.[1-9]' -exec gzip -9n {} +
doc=$deb/usr/share/doc/korva-counter
mkdir -p "$doc"
with_publisher packaging/debian/copyright > "$doc/copyright"
with_publisher packaging/debian/changelog | gzip -9n > "$doc/changelog.gz"
mkdir "$work/debian" "$deb/DEBIAN"
for file in control changelog; do with_publisher "packaging/debian/$file" > "$work/debian/$file"; done
(
    cd "$work"
    dpkg-shlibdeps -Tdebian/substvars korva-counter/usr/bin/*
    dpkg-gencontrol -pkorva-counter -Pkorva-counter -Tdebian/substvars
    cd korva-counter
    find usr -type f -print0 | sort -z | xargs -0 md5sum > DEBIAN/md5sums
)
chmod 644 "$deb/DEBIAN/control" "$deb/DEBIAN/md5sums" "$doc/copyright"
dpkg-deb --root-owner-group -Zxz --build "$deb" "dist/korva-counter_${version}_amd64.deb" >/dev/null
openpgp "dist/korva-counter_${version}_amd64.deb"

# The Windows zip and setup hold one folder: what tools/test-windows.sh's zip holds (the programs
# stripped, LIESMICH.txt, LIZENZEN.txt) and the web page. It stays in build-package-setup/ with
# korva-setup-path.exe, which only the setup packs, for tools/test-packages.sh to build an older
# version's setup from.
cmake --build "$windows" -j2 --target korva-setup-path >&2
setup_files=build-package-setup
folder=korva-counter-$version-win64
rm -rf "$setup_files"
cmake --install "$windows" --prefix "$setup_files/$folder" --strip >/dev/null
cp "$page" "$setup_files/$folder/korva-counter.html"
cp "$windows/bin/korva-setup-path.exe" "$setup_files/"
for program in "$setup_files/$folder/korva-counter.exe" "$setup_files/$folder/korva-count.exe" \
    "$setup_files/korva-setup-path.exe"; do
    "${authenticode[@]}" "$program"
done
awk -f packaging/windows/paragraphs.awk "$setup_files/$folder/LIZENZEN.txt" > "$work/LIZENZEN.txt"
sign_define=()
[ -z "${KORVA_SIGN_PKCS12:-}" ] || sign_define=(-DSIGN="${authenticode[0]}")
(cd "$setup_files" && cmake -E tar cf "$root/dist/$folder.zip" --format=zip \
    --mtime="$(date -u -d "@$SOURCE_DATE_EPOCH" "+%Y-%m-%d %H:%M:%S UTC")" "$folder")
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$root/$setup_files/$folder" \
    -DPATH_TOOL="$root/$setup_files/korva-setup-path.exe" -DICON="$root/$windows/icons/korva-counter.ico" \
    -DPUBLISHER="$(publisher_value PUBLISHER)" -DHOMEPAGE="$(publisher_value HOMEPAGE)" \
    -DLICENCE="$work/LIZENZEN.txt" "${sign_define[@]}" -DOUTFILE="$root/dist/$folder-setup.exe" \
    packaging/windows/setup.nsi

cp "$page" "dist/korva-counter-$version.html"

(cd dist && sha256sum -- * > SHA256SUMS)
openpgp dist/SHA256SUMS
ls -l dist
