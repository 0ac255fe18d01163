#!/usr/bin/env bash
# Makes the downloads (tools/package.sh) and checks them the way a player meets them: lintian on
# the .deb; the .deb installed with apt-get on this machine, its programs (found by root and sudo
# too), man pages in English and German, menu entry, web page and bash completion used, then
# purged, leaving nothing; the Windows setup installed into a fresh wine prefix, fresh and over an
# older version, used by name in a console, and uninstalled, leaving nothing; the user's PATH
# given back as it was, whatever it held; then the setup and the uninstaller, silent and clicked,
# while the window or korva-count in a console runs, under an English and a German Windows. The
# downloads are signed with throwaway keys made here, and every signature checked against them.
# The man pages in a C locale.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$(mktemp -d)

# Throwaway keys, as a publisher's would be given: an Authenticode certificate in a PKCS#12 file,
# issued by a root of its own (the chain the checks below follow), and an OpenPGP key.
keys=$work/keys
mkdir -m 700 "$keys"
(
    cd "$keys"
    openssl req -x509 -newkey rsa:2048 -nodes -keyout root.key -out root.pem -days 2 \
        -subj "/CN=KORVA-Counter test root" -addext "basicConstraints=critical,CA:TRUE" \
        -addext "keyUsage=critical,keyCertSign" 2>/dev/null
    openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr \
        -subj "/CN=KORVA-Counter test signer" 2>/dev/null
    printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature \
        extendedKeyUsage=codeSigning > signer.ext
    openssl x509 -req -in signer.csr -CA root.pem -CAkey root.key -CAcreateserial -days 2 \
        -extfile signer.ext -out signer.pem 2>/dev/null
    openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile root.pem \
        -passout pass:Wegwerfschluessel -out signer.p12
)
export GNUPGHOME=$keys/gnupg
mkdir -m 700 "$GNUPGHOME"
gpg --batch --quiet --passphrase '' --quick-gen-key "KORVA-Counter test <test@korva.invalid>" \
    ed25519 sign 1d
gpg --batch --export > "$keys/openpgp.pub"
KORVA_SIGN_PKCS12=$keys/signer.p12 KORVA_SIGN_PASSWORD=Wegwerfschluessel \
    KORVA_GPG_KEY=test@korva.invalid tools/package.sh | tee "$work/package.log"
gpgconf --kill gpg-agent
grep -q "are signed with $keys/signer.p12" "$work/package.log" ||
    { echo "FAIL: package.sh did not sign the Windows programs" >&2; exit 1; }
version=$(sed -n 's/^project(korva-counter VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
deb=dist/korva-counter_${version}_amd64.deb
setup=dist/korva-counter-$version-win64-setup.exe
zip=dist/korva-counter-$version-win64.zip

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
installed=""
cleanup() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    # Only a package this script installed, if a failed check left it.
    if [ -n "$installed" ] &&
        dpkg-query -W -f='${Status}' korva-counter 2>/dev/null | grep -q "ok installed"; then
        "${sudo[@]}" apt-get purge -y -qq korva-counter >/dev/null || true
    fi
    xserver_cleanup
}
# The window under wine needs an X server; its plumbing, with this script's own fail and cleanup.
# xserver.sh sets its own EXIT trap, so this script's, which ends with it, is set after it.
source tools/lib/xserver.sh
trap cleanup EXIT
# A command that stops the script under set -e says where, rather than ending it without a word
# (in this shell only: a failing command substitution that a test reads is no stop).
set -E
trap 'err=$?; if [ "$BASHPID" = "$$" ]; then echo "FAIL: stopped at line $LINENO (status $err): $BASH_COMMAND" >&2; fi' ERR
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}

# A report with sabotage and plunder lines, CR LF and LF, UTF-8 and Windows-1252.
report=$work/Bericht.txt
printf '%b' '12:05 Eisenmine (3) zerst\xc3\xb6rt\r\nRaumhafen\r\nWohngeb\xe4ude (2)\n' \
    'Eisen 1500\r\nWasserstoff\t230\nEisen 25\n' > "$report"
json='{"counter":"pluen","resources":[{"name":"Eisen","amount":1525},'
json+='{"name":"Silizium","amount":0},{"name":"Kohlenstoff","amount":0},'
json+='{"name":"Wasser","amount":0},{"name":"Sauerstoff","amount":0},'
json+='{"name":"Wasserstoff","amount":230}]}'
# Arguments, and a line the result must hold; for the Linux and the Windows program alike.
counts=(
    "sabo|Gesamt zerstörte Punkte: 8"
    "pluen --json|$json"
)
# check_counts COMMAND...: runs COMMAND (a program, or wine_run and an .exe) on the report.
check_counts() {
    local row args line out
    for row in "${counts[@]}"; do
        args=${row%%|*}
        line=${row#*|}
        # shellcheck disable=SC2086
        out=$(cd "$work" && "$@" $args Bericht.txt | tr -d '\r') || fail "$* $args: status $?"
        grep -qxF -- "$line" <<< "$out" || fail "$* $args: no line \"$line\" in: $out"
    done
}

echo "== the signatures (${SECONDS}s)"
(cd dist && sha256sum --quiet -c SHA256SUMS) || fail "sha256sum -c SHA256SUMS"
for file in "korva-counter_${version}_amd64.deb" SHA256SUMS; do
    gpgv --quiet --keyring "$keys/openpgp.pub" "dist/$file.asc" "dist/$file" 2>/dev/null ||
        fail "$file: no good OpenPGP signature by the throwaway key"
done
# check_authenticode FILE [unsigned]: signed by the throwaway certificate, whose chain ends in the
# throwaway root; or, given "unsigned", not.
check_authenticode() {
    local status=0
    osslsigncode verify -CAfile "$keys/root.pem" -in "$1" > "$work/verify" 2>&1 || status=$?
    if [ "${2:-}" = unsigned ]; then
        [ "$status" != 0 ] || fail "$1: signed, though it should not be"
    else
        [ "$status" = 0 ] && grep -q "CN=KORVA-Counter test signer" "$work/verify" ||
            fail "$1: no Authenticode signature to the throwaway root: $(tail -3 "$work/verify")"
    fi
}
check_authenticode "$setup"

echo "== lintian (${SECONDS}s)"
lintian --fail-on error --display-info --pedantic "$deb" || fail "lintian reports errors"

echo "== the .deb, installed with apt-get (${SECONDS}s)"
if dpkg-query -W -f='${Status}' korva-counter 2>/dev/null | grep -q "ok installed"; then
    echo "korva-counter is installed on this machine already; remove it first" >&2
    exit 1
fi
installed=1
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "./$deb" >/dev/null
dpkg-query -W -f='${Status} ${Version}\n' korva-counter
# Found by name with sudo's secure_path, which root's PATH also holds.
root_path=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
check_counts env PATH="$root_path" korva-count
desktop=/usr/share/applications/de.korva.KorvaCounter.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
metainfo=/usr/share/metainfo/de.korva.KorvaCounter.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"
grep -qF "<url type=\"homepage\">$(sed -n 's/^HOMEPAGE=//p' packaging/publisher.conf)</url>" \
    "$metainfo" || fail "$metainfo: not the homepage of packaging/publisher.conf"
# The menu entry starts the window; its action "KORVA-Counter im Browser" opens the page, which is
# the page of the download.
commands=$(sed -n 's/^Exec=//p' "$desktop")
[ "$(sed -n 1p <<< "$commands")" = korva-counter ] && env PATH="$root_path" which korva-counter \
    >/dev/null || fail "$desktop: the menu entry starts \"$(sed -n 1p <<< "$commands")\""
read -r opener page <<< "$(sed -n 2p <<< "$commands")"
[ "$opener" = xdg-open ] && cmp -s "$page" "dist/korva-counter-$version.html" ||
    fail "$desktop: the browser action runs \"$opener $page\", not the download's page"
grep -qxF 'Name[de]=KORVA-Counter im Browser' "$desktop" || fail "$desktop: no \"KORVA-Counter im Browser\""

# The window offscreen, and with no display at all: started (still running after 3 s, then ended
# by timeout's TERM), or ended with its own message.
window_rows=(
    "QT_QPA_PLATFORM=offscreen|124|"
    "QT_QPA_PLATFORM=|1|Keine grafische Anzeige gefunden"
)
for row in "${window_rows[@]}"; do
    IFS='|' read -r setting expected message <<< "$row"
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY PATH="$root_path" "$setting" \
        timeout -k 5 3 korva-counter > /dev/null 2> "$work/err" || status=$?
    [ "$status" = "$expected" ] || fail "korva-counter with $setting: status $status, not $expected"
    [ -z "$message" ] || grep -q "$message" "$work/err" ||
        fail "korva-counter with $setting: no \"$message\" in: $(cat "$work/err")"
done

# The man pages, found by name in the reader's language and rendered without a warning: the
# language, the page, its NAME line, and the heading of the rules of which lines count. The
# footer names the version.
man_rows=(
    "C|korva-count|korva-count - tally sabotage and plunder reports|WHICH LINES COUNT"
    "C|korva-counter|korva-counter - tally sabotage and plunder reports in a window|WHICH LINES COUNT"
    "de|korva-count|korva-count - Sabotage- und Plünderungsberichte zählen|WELCHE ZEILEN ZÄHLEN"
    "de|korva-counter|korva-counter - Sabotage- und Plünderungsberichte in einem Fenster zählen|WELCHE ZEILEN ZÄHLEN"
)
for row in "${man_rows[@]}"; do
    IFS='|' read -r language page line heading <<< "$row"
    shown=$(LANG=C.UTF-8 MANWIDTH=200 man -L "$language" --warnings "$page" 2> "$work/err") ||
        fail "man -L $language $page: status $?"
    for expected in "$line" "$heading" "KORVA-Counter $version"; do
        grep -qF "$expected" <<< "$shown" || fail "man -L $language $page: no \"$expected\""
    done
    [ ! -s "$work/err" ] || fail "man -L $language $page warns: $(cat "$work/err")"
done

# The installed pages in a locale without UTF-8, where groff drops the umlauts' dots: the reader
# learns that before the first name so printed. In UTF-8 the names keep their umlauts and the
# note is not there. The locale, the page, the note, and a name as printed.
note_en="This terminal shows no umlauts, so the names below lack them"
note_de="Dieses Terminal zeigt keine Umlaute, den Namen unten fehlen sie daher"
c_locale_rows=(
    "C|man1/korva-count.1.gz|$note_en|Wohngebaude"
    "POSIX|man1/korva-counter.1.gz|$note_en|zerstort"
    "C|de/man1/korva-count.1.gz|$note_de|Wohngebaude"
    "C.UTF-8|man1/korva-count.1.gz||Wohngebäude"
)
for row in "${c_locale_rows[@]}"; do
    IFS='|' read -r locale page note name <<< "$row"
    shown=$(LANG=$locale MANWIDTH=200 man -l "/usr/share/man/$page" 2>&1) ||
        fail "LANG=$locale man -l $page: status $?"
    first_name=$(grep -n -m1 -F "$name" <<< "$shown" | cut -d: -f1)
    if [ -n "$note" ]; then
        first_note=$(grep -n -m1 -F "$note" <<< "$shown" | cut -d: -f1)
        [ -n "$first_note" ] && [ -n "$first_name" ] && [ "$first_note" -le "$first_name" ] ||
            fail "LANG=$locale man -l $page: \"$name\" (line ${first_name:-none}) before \"$note\" (line ${first_note:-none})"
    else
        [ -n "$first_name" ] && ! grep -qF -e "$note_en" -e "$note_de" <<< "$shown" ||
            fail "LANG=$locale man -l $page: no \"$name\", or the note about umlauts"
    fi
done

# The bash completion: the words typed so far, the last one being completed, and what bash is to
# offer. A file and a folder to complete lie in the folder bash runs in.
completion_rows=(
    "korva-count |pluen sabo"
    "korva-count p|pluen"
    "korva-count --enc|--encoding"
    "korva-count --encoding cp1252 |pluen sabo"
    "korva-count sabo --encoding |auto cp1252 utf-8"
    "korva-count sabo --encoding = u|utf-8"
    "korva-count sabo --encoding=c|cp1252"
    "korva-count sabo --raw --|--encoding --help --version"
    "korva-count sabo --explain --r|"
    "korva-count --json pluen --|--encoding --explain --help --version"
    "korva-count sabo --|--csv --encoding --explain --help --json --raw --version"
    "korva-count sabo --csv --|--encoding --explain --help --version"
    "korva-count pluen Be|Bericht ä.txt"
    "korva-count -- sabo --|--alt.txt"
    "korva-count pluen A|Archiv"
)
mkdir "$work/completion" "$work/completion/Archiv"
touch "$work/completion/Bericht ä.txt" "$work/completion/--alt.txt"
for row in "${completion_rows[@]}"; do
    words=${row%%|*}
    expected=${row#*|}
    offered=$(cd "$work/completion" && bash --norc --noprofile -c '
        source /usr/share/bash-completion/completions/korva-count
        read -ra COMP_WORDS <<< "$1"
        [[ $1 == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        function=$(complete -p korva-count | sed -n "s/.*-F \([^ ]*\) .*/\1/p")
        "$function" korva-count "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}" | sort | paste -sd " "' bash "$words")
    [ "$offered" = "$expected" ] || fail "completion of \"$words\": \"$offered\", not \"$expected\""
done

# Purged, every file the package put down is gone, and so is its doc folder.
dpkg -L korva-counter | while read -r path; do [ -d "$path" ] || echo "$path"; done > "$work/files"
[ -s "$work/files" ] || fail "dpkg -L korva-counter lists no files"
"${sudo[@]}" apt-get purge -y -qq korva-counter >/dev/null
! dpkg-query -W -f='${Status}' korva-counter 2>/dev/null | grep -q "ok installed" ||
    fail "korva-counter still installed after purge"
while read -r path; do
    [ ! -e "$path" ] || fail "left after purge: $path"
done < "$work/files"
[ ! -e /usr/share/doc/korva-counter ] || fail "left after purge: /usr/share/doc/korva-counter"
echo "installed, used and purged; checked that its $(wc -l < "$work/files") files are gone"

echo "== the Windows setup, under wine (${SECONDS}s)"
export WINEPREFIX=$work/wine WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko prompts; no Linux menu entries made from the Start menu's shortcuts.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
wineboot --init
wineserver -w
# Reads what the setup's windows show (packaging/windows/tests/).
probe=$work/setup_probe.exe
x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -Wall -Wextra -Werror -municode -static \
    -o "$probe" packaging/windows/tests/setup_probe.cpp
# Wine speaks the language of the locale it starts in; a German one made here, none being needed
# on the machine.
export LOCPATH=$work/locale
mkdir "$LOCPATH"
localedef -i de_DE -f UTF-8 "$LOCPATH/de_DE.UTF-8"
# Wine now and then fails to start a program at all: no output, a failure status. Such a run gets
# one more try; a real fault fails both.
wine_run() {
    local out status=0
    out=$(wine "$@") || status=$?
    [ "$status" = 0 ] || [ -n "$out" ] || { status=0; out=$(wine "$@") || status=$?; }
    printf '%s\n' "$out" | tr -d '\r'
    return "$status"
}
appdata=$(winepath -u "$(wine_run cmd /c echo %LOCALAPPDATA%)")
folder=$appdata/Programs/KORVA-Counter
win_folder=$(winepath -w "$folder")
start_menu=$(winepath -u "$(wine_run cmd /c echo %APPDATA%)")
start_menu="$start_menu/Microsoft/Windows/Start Menu/Programs"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KORVA-Counter'
# The user's PATH as stored: its type and its value, unexpanded; nothing where there is none.
user_path() {
    wine_run reg query 'HKCU\Environment' /v Path 2>/dev/null |
        sed -n 's/^    Path    \(REG_[A-Z_]*\)    /\1 /p'
}
# Everything a run could leave: the prefix's files, and what its registry says of KORVA. The
# uninstaller runs from a copy of itself in %TEMP%, which Windows deletes at the next restart with
# the folder it is in; wine deletes the folder first, which fails as the copy is still inside, and
# so leaves the emptied folder.
snapshot() (
    cd "$WINEPREFIX"
    find drive_c -path '*/Temp/~nsu*.tmp' -type d -empty -prune -o -print | sort
    grep -i korva user.reg system.reg || true
    # Every key of the user's uninstall keys, empty ones too.
    grep -o '^\[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall[^]]*\]' user.reg || true
)
snapshot > "$work/before"
[ -z "$(user_path)" ] || fail "a fresh wine prefix has a user PATH: $(user_path)"

# The zip holds what the setup installs, the web page too. An older version to upgrade: the same
# files under version 0.0.0.1, with one file more.
mkdir "$work/zip"
cmake -E chdir "$work/zip" cmake -E tar xf "$root/$zip"
cmp -s "$work/zip/korva-counter-$version-win64/korva-counter.html" "dist/korva-counter-$version.html" ||
    fail "the zip lacks the web page korva-counter.html"
for program in korva-counter.exe korva-count.exe; do
    check_authenticode "$work/zip/korva-counter-$version-win64/$program"
done
check_authenticode build-package-setup/korva-setup-path.exe
old=$work/korva-counter-$version-win64
cp -r "$work/zip/korva-counter-$version-win64" "$old"
echo "ALT" > "$old/ALT.txt"
publisher=$(sed -n 's/^PUBLISHER=//p' packaging/publisher.conf)
homepage=$(sed -n 's/^HOMEPAGE=//p' packaging/publisher.conf)
old_setup=$work/korva-counter-0.0.0.1-win64-setup.exe
makensis -V1 -INPUTCHARSET UTF8 -DVERSION=0.0.0.1 -DSTAGE="$old" -DEXTRA_FILE=ALT.txt \
    -DPATH_TOOL="$root/build-package-setup/korva-setup-path.exe" -DPUBLISHER="$publisher" \
    -DHOMEPAGE="$homepage" -DOUTFILE="$old_setup" packaging/windows/setup.nsi
check_authenticode "$old_setup" unsigned

install_silently() {
    wine_run "$1" /S || fail "$1 /S: status $?"
    wineserver -w
}
# The uninstall as Windows starts it, from the registered command, made silent.
uninstall_command() {
    wine_run reg query "$key" /v UninstallString | sed -n 's/.*REG_SZ *"\(.*\)".*/\1/p'
}
uninstall_silently() {
    local command
    command=$(uninstall_command) || true
    [ -n "$command" ] || { fail "no UninstallString"; return; }
    wine_run "$command" /S || fail "$command /S: status $?"
    wineserver -w
    wineboot --restart
    wineserver -w
}

# Each way in: installed fresh, or over the older version.
for way in fresh upgrade; do
    if [ "$way" = upgrade ]; then
        install_silently "$old_setup"
        [ -f "$folder/ALT.txt" ] || fail "the older version did not install ALT.txt"
    fi
    install_silently "$setup"

    for file in korva-counter.exe korva-count.exe korva-counter.html LIESMICH.txt LIZENZEN.txt \
        uninstall.exe; do
        [ -f "$folder/$file" ] || fail "$way: $file not installed"
    done
    [ ! -e "$folder/ALT.txt" ] || fail "$way: the older version's ALT.txt is left"
    cmp -s "$folder/korva-count.exe" "$old/korva-count.exe" ||
        fail "$way: korva-count.exe is not the one in the zip"
    cmp -s "$folder/korva-counter.html" "dist/korva-counter-$version.html" ||
        fail "$way: korva-counter.html is not the download's page"
    # The Start menu's shortcuts: the window, and the page "KORVA-Counter im Browser".
    for row in "KORVA-Counter|korva-counter.exe" "KORVA-Counter im Browser|korva-counter.html"; do
        lnk="$start_menu/${row%%|*}.lnk"
        [ -f "$lnk" ] || fail "$way: no Start menu shortcut $lnk"
        grep -qa "KORVA-Counter\\\\${row#*|}" "$lnk" || fail "$way: $lnk does not lead to ${row#*|}"
    done

    # The uninstall key: each value as reg prints it.
    wine_run reg query "$key" > "$work/key"
    size_kib=$(($(cat "$folder"/* | wc -c) / 1024))
    values=(
        "DisplayName|REG_SZ|KORVA-Counter"
        "DisplayVersion|REG_SZ|$version"
        "Publisher|REG_SZ|$publisher"
        "DisplayIcon|REG_SZ|$win_folder\\korva-counter.exe,0"
        "InstallLocation|REG_SZ|$win_folder"
        "UninstallString|REG_SZ|\"$win_folder\\uninstall.exe\""
        "HelpLink|REG_SZ|$homepage"
        "URLInfoAbout|REG_SZ|$homepage"
        "Readme|REG_SZ|$win_folder\\LIESMICH.txt"
        "EstimatedSize|REG_DWORD|$(printf '0x%x' "$size_kib")"
        "NoModify|REG_DWORD|0x1"
        "NoRepair|REG_DWORD|0x1"
        "AddedToPath|REG_DWORD|0x1"
        "MadeUninstallParent|REG_DWORD|0x1"
    )
    for row in "${values[@]}"; do
        IFS='|' read -r name type value <<< "$row"
        grep -qxF "    $name    $type    $value" "$work/key" ||
            fail "$way: $name is not $type $value in: $(grep "$name" "$work/key")"
    done

    # The folder is on the user's PATH, once, and a console finds korva-count by name.
    [ "$(user_path)" = "REG_EXPAND_SZ $win_folder" ] || fail "$way: the user PATH is $(user_path)"
    check_counts wine_run cmd /c korva-count

    # Signed, and the version each file's properties show the program's (the version
    # resource's UTF-16 strings: a name, then its value).
    check_authenticode "$folder/uninstall.exe"
    for file in "$root/$setup" "$folder/uninstall.exe" "$folder/korva-counter.exe" \
        "$folder/korva-count.exe"; do
        shown=$(strings -el "$file" | grep -x -A1 -e ProductVersion -e FileVersion | grep -vx -- --)
        [ "$(sort <<< "$shown" | paste -sd ' ')" = "$version $version FileVersion ProductVersion" ] ||
            fail "$way: $(basename "$file") carries: $shown"
    done

    uninstall_silently
    snapshot > "$work/after"
    if diff "$work/before" "$work/after" > "$work/left"; then
        echo "$way: installed, used and uninstalled, nothing left"
    else
        fail "$way: left after uninstall:"$'\n'"$(cat "$work/left")"
    fi
done

echo "== the user PATH, given back as it was (${SECONDS}s)"
# A user PATH more than 3,000 characters long, beyond a setup's strings, with a variable in it.
long_path=""
while [ ${#long_path} -lt 3000 ]; do long_path+="C:\\Werkzeuge\\Werkzeug ${#long_path}\\bin;"; done
long_path+="%USERPROFILE%\\bin"
# The PATH before (type and value; none: no PATH), and after the install: "+" the folder added at
# its end, "=" unchanged. After the uninstall it is the one before, type and all.
F=$win_folder
path_rows=(
    "||+"
    "REG_EXPAND_SZ|$F;C:\\Werkzeuge|="
    "REG_EXPAND_SZ|C:\\Werkzeuge;$F;D:\\x|="
    "REG_EXPAND_SZ|C:\\Werkzeuge;$F|="
    "REG_SZ|${F,,};C:\\Werkzeuge|="
    "REG_EXPAND_SZ|$F;C:\\Werkzeuge;$F|="
    "REG_EXPAND_SZ|%LOCALAPPDATA%\\Programs\\KORVA-Counter;C:\\Werkzeuge|="
    "REG_SZ|%LOCALAPPDATA%\\Programs\\KORVA-Counter;C:\\Werkzeuge|+"
    "REG_SZ|C:\\Werkzeuge;D:\\x|+"
    "REG_EXPAND_SZ|%USERPROFILE%\\bin;|+"
    "REG_EXPAND_SZ|$long_path|+"
)
for row in "${path_rows[@]}"; do
    IFS='|' read -r type before after <<< "$row"
    if [ -n "$type" ]; then
        wine_run reg add 'HKCU\Environment' /v Path /t "$type" /d "$before" /f >/dev/null
        path_before="$type $before"
    else
        path_before=""
    fi
    wineserver -w
    [ "$(user_path)" = "$path_before" ] || { fail "PATH $path_before did not arrive: $(user_path)"; continue; }
    case $after in
        +) expected="${type:-REG_EXPAND_SZ} ${before:+$before;}$F" ;;
        *) expected=$path_before ;;
    esac
    install_silently "$setup"
    [ "$(user_path)" = "$expected" ] || fail "PATH ${path_before:0:80}: installed, it is $(user_path)"
    uninstall_silently
    [ "$(user_path)" = "$path_before" ] || fail "PATH ${path_before:0:80}: uninstalled, it is $(user_path)"
    wine_run reg delete 'HKCU\Environment' /v Path /f >/dev/null 2>&1 || true
done
wineserver -w
snapshot > "$work/after"
diff "$work/before" "$work/after" > "$work/left" || fail "the PATH rows left:"$'\n'"$(cat "$work/left")"

echo "== while KORVA-Counter runs, with a long user PATH (${SECONDS}s)"
# The long user PATH: the setup adds its folder at the end, the uninstaller gives back the very
# value. (Wine itself passes only the PATH's first characters to programs, so korva-count is run
# by name above.)
wine_run reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d "$long_path" /f >/dev/null
path_before=$(user_path)
[ "$path_before" = "REG_EXPAND_SZ $long_path" ] || fail "the long PATH did not arrive: $path_before"
install_silently "$old_setup"
# The old install, as a check that changes nothing must leave it: its files, version, shortcuts
# and PATH.
install_state() {
    ls -A "$folder" "$start_menu"
    wine_run reg query "$key" /v DisplayVersion | grep DisplayVersion
    user_path
}
install_state > "$work/installed"
[ "$(user_path)" = "$path_before;$win_folder" ] ||
    fail "installed: the user PATH is not the old one with the folder at its end"

start_xvfb
# What keeps the install from being replaced: the window, or korva-count waiting for input in a
# console (a terminal made by script, where wine gives it one, fed by a pipe that stays open).
window_up() { xdotool search --name '^KORVA-Counter Alpha' >/dev/null 2>&1; }
start_window() {
    wine "$folder/korva-counter.exe" &
    program=$!
    track "$program"
    wait_for 300 window_up || fail "korva-counter.exe shows no window"
}
mkfifo "$work/keyboard"
exec 7<> "$work/keyboard"
console_waits() { grep -q "Strg+Z" "$work/console" 2>/dev/null; }
start_console() {
    rm -f "$work/console"
    setsid script -qfec "wine '$folder/korva-count.exe' sabo" "$work/console" \
        < "$work/keyboard" > /dev/null 2>&1 &
    program=-$!
    at_exit "kill -- $program 2>/dev/null || true"
    wait_for 300 console_waits || fail "korva-count.exe does not wait for input in a console"
}
stop_program() {
    kill -- "$program" 2>/dev/null || true
    wait "${program#-}" 2>/dev/null || true
    wineserver -w
}

# The setup's and uninstaller's windows, and their message boxes, by caption.
setup_windows() { xdotool search --name 'stallation' 2>/dev/null | sort; }
setup_shown() { [ -n "$(setup_windows)" ]; }
box_shown() { [ "$(setup_windows | wc -l)" -gt "$1" ]; }
setup_gone() { ! setup_shown; }
# The licence page, the setup's second: each paragraph in one line of its box, which wraps it.
check_licence_page() {
    wine_run "$probe" texts "Permission is hereby granted" |
        grep -q "Permission is hereby granted.*the following conditions:" ||
        fail "the licence page's box does not hold the MIT licence's paragraph in one line"
}
# click_through PAGES [KEY]: presses Return on each of PAGES pages of the setup or uninstaller
# just started, waits for the box that asks to close KORVA-Counter (sets box), and answers it with
# KEY (Escape: cancel, Return: retry).
click_through() {
    local pages=$1 answer=${2:-} main page
    wait_for 300 setup_shown || { fail "no setup window"; return; }
    main=$(setup_windows)
    for ((page = 0; page < pages; page++)); do
        [ "$page" != 1 ] || check_licence_page
        xdotool windowfocus --sync "$main" key Return
        sleep 1
    done
    wait_for 300 box_shown "$(wc -l <<< "$main")" || { fail "no box asks to close KORVA-Counter"; return; }
    box=$(comm -13 <(echo "$main") <(setup_windows) | head -n1)
    [ -z "$answer" ] || xdotool windowfocus --sync "$box" key "$answer"
}
# check_box WHAT BUTTONS: the box that asks to close KORVA-Counter has the BUTTONS Windows
# labelled in its language, and its words name none of them.
check_box() {
    local texts buttons words button
    texts=$(wine_run "$probe" texts "und kann so nicht") || { fail "$1: the box's texts not found"; return; }
    buttons=$(sed -n 's/^Button\t//p' <<< "$texts" | tr -d '&' | paste -sd ' ')
    words=$(grep -v "^Button"$'\t' <<< "$texts")
    [ "$buttons" = "$2" ] || fail "$1: the box's buttons are \"$buttons\", not \"$2\""
    for button in $buttons; do
        ! grep -qiF "$button" <<< "$words" || fail "$1: the box's words name the button $button: $words"
    done
}
# check_whole WHAT: the old install is as it was.
check_whole() {
    install_state > "$work/now"
    diff "$work/installed" "$work/now" > "$work/changed" || fail "$1 changed the install:"$'\n'"$(cat "$work/changed")"
}

# What runs, the locale wine starts the setup in, and the buttons its box then has.
running_rows=(
    "window|C.UTF-8|Retry Cancel"
    "console|de_DE.UTF-8|Wiederholen Abbrechen"
)
for row in "${running_rows[@]}"; do
    IFS='|' read -r running locale buttons <<< "$row"
    echo "-- the $running runs, $locale"
    "start_$running"

    # Silently: the setup and the uninstaller end with a failure status and change nothing. The
    # registered uninstall command starts a copy of the uninstaller and ends at once, with status
    # 0 whatever the copy does; the setup runs the uninstaller as below, and sees its status.
    status=0
    wine "$setup" /S || status=$?
    [ "$status" != 0 ] || fail "$running: the setup /S succeeded"
    check_whole "$running: the setup /S"
    status=0
    wine "$folder/uninstall.exe" /S "_?=$win_folder" || status=$?
    [ "$status" != 0 ] || fail "$running: the uninstaller /S succeeded"
    check_whole "$running: the uninstaller /S"
    wine "$(uninstall_command)" /S || fail "$running: the registered uninstall command /S: status $?"
    copy_ended() { ! pgrep -f 'Un_A\.exe' >/dev/null; }
    sleep 1
    wait_for 300 copy_ended || fail "$running: the uninstaller's copy does not end"
    check_whole "$running: the registered uninstall command with /S"

    # Clicked: through the pages to the box, whose cancel leaves the old install whole.
    status=0
    LC_ALL=$locale wine "$setup" & setup_pid=$!
    click_through 2
    check_box "$running, $locale: the setup" "$buttons"
    xdotool windowfocus --sync "$box" key Escape
    wait "$setup_pid" || status=$?
    [ "$status" != 0 ] || fail "$running: the setup, cancelled at the box, ends with status 0"
    check_whole "$running: the setup, cancelled"
    LC_ALL=$locale wine "$(uninstall_command)" || fail "the registered uninstall command: status $?" &
    click_through 1
    check_box "$running, $locale: the uninstaller" "$buttons"
    xdotool windowfocus --sync "$box" key Escape
    wait_for 300 setup_gone || fail "$running: the uninstaller, cancelled at the box, stays open"
    check_whole "$running: the uninstaller, cancelled"
    stop_program
done

# Closed while the box asks, retried, the setup installs: the new version, the older one's file
# gone, the folder on the PATH once. The finish page starts the window, ended with the rest.
start_window
status=0
wine "$setup" & setup_pid=$!
click_through 2
kill "$program"
wait "$program" 2>/dev/null || true
xdotool windowfocus --sync "$box" key Return
# Fertig stellen, once the finish page is there.
for ((try = 0; try < 30; try++)); do
    kill -0 "$setup_pid" 2>/dev/null || break
    xdotool windowfocus --sync "$(setup_windows | head -n1)" key Return 2>/dev/null || true
    sleep 1
done
wait "$setup_pid" || status=$?
[ "$status" = 0 ] || fail "the setup, retried after closing KORVA-Counter: status $status"
wineserver -k
wineserver -w
[ ! -e "$folder/ALT.txt" ] && wine_run reg query "$key" /v DisplayVersion | grep -q "REG_SZ    $version$" ||
    fail "the setup, retried after closing KORVA-Counter, did not install $version"
[ "$(user_path)" = "$path_before;$win_folder" ] ||
    fail "reinstalled: the user PATH is not the old one with the folder once at its end"
uninstall_silently
[ "$(user_path)" = "$path_before" ] || fail "uninstalled: the user PATH is not the one before"
wine_run reg delete 'HKCU\Environment' /v Path /f >/dev/null
wineserver -w
snapshot > "$work/after"
diff "$work/before" "$work/after" > "$work/left" || fail "left after uninstall:"$'\n'"$(cat "$work/left")"

[ "$failed" -eq 0 ] && echo "the downloads install, work and leave nothing behind (${SECONDS}s)"
exit "$failed"
