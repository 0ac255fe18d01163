#!/usr/bin/env bash
# Makes the downloads (tools/package.sh) and checks them the way a player meets them: lintian on
# the .deb; the .deb installed with apt-get on this machine, its programs (found by root and sudo
# too), man pages in English and German, menu entry, web page and bash completion used, then
# purged, leaving nothing; the Windows setup installed into a fresh wine prefix, fresh and over an
# older version, used by name in a console, and uninstalled, leaving nothing; then the setup and
# the uninstaller, silent and clicked, while KORVA-Counter runs, with a long user PATH.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/package.sh
version=$(sed -n 's/^project(korva-counter VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
deb=dist/korva-counter_${version}_amd64.deb
setup=dist/korva-counter-$version-win64-setup.exe
zip=dist/korva-counter-$version-win64.zip

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
work=$(mktemp -d)
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
trap cleanup EXIT
# The window under wine needs an X server; its plumbing, with this script's own fail and cleanup.
source tools/lib/xserver.sh
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
    wine reg query 'HKCU\Environment' /v Path 2>/dev/null | tr -d '\r' |
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
)
snapshot > "$work/before"
[ -z "$(user_path)" ] || fail "a fresh wine prefix has a user PATH: $(user_path)"

# The zip holds what the setup installs, the web page too. An older version to upgrade: the same
# files under version 0.0.0.1, with one file more.
mkdir "$work/zip"
cmake -E chdir "$work/zip" cmake -E tar xf "$root/$zip"
cmp -s "$work/zip/korva-counter-$version-win64/korva-counter.html" "dist/korva-counter-$version.html" ||
    fail "the zip lacks the web page korva-counter.html"
old=$work/korva-counter-$version-win64
cp -r "$work/zip/korva-counter-$version-win64" "$old"
echo "ALT" > "$old/ALT.txt"
publisher=$(sed -n 's/^PUBLISHER=//p' packaging/publisher.conf)
homepage=$(sed -n 's/^HOMEPAGE=//p' packaging/publisher.conf)
old_setup=$work/korva-counter-0.0.0.1-win64-setup.exe
makensis -V1 -INPUTCHARSET UTF8 -DVERSION=0.0.0.1 -DSTAGE="$old" -DEXTRA_FILE=ALT.txt \
    -DPATH_TOOL="$root/build-package-setup/korva-setup-path.exe" -DPUBLISHER="$publisher" \
    -DHOMEPAGE="$homepage" -DOUTFILE="$old_setup" packaging/windows/setup.nsi

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
    command=$(uninstall_command)
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
    )
    for row in "${values[@]}"; do
        IFS='|' read -r name type value <<< "$row"
        grep -qxF "    $name    $type    $value" "$work/key" ||
            fail "$way: $name is not $type $value in: $(grep "$name" "$work/key")"
    done

    # The folder is on the user's PATH, once, and a console finds korva-count by name.
    [ "$(user_path)" = "REG_EXPAND_SZ $win_folder" ] || fail "$way: the user PATH is $(user_path)"
    check_counts wine_run cmd /c korva-count

    uninstall_silently
    snapshot > "$work/after"
    if diff "$work/before" "$work/after" > "$work/left"; then
        echo "$way: installed, used and uninstalled, nothing left"
    else
        fail "$way: left after uninstall:"$'\n'"$(cat "$work/left")"
    fi
done

echo "== while KORVA-Counter runs, with a long user PATH (${SECONDS}s)"
# A user PATH of more than 3,000 characters, longer than a setup's strings, with a variable in it:
# the setup adds its folder at the end, the uninstaller gives back the very value. (Wine itself
# passes only the PATH's first characters to programs, so korva-count is run by name above.)
long_path=""
while [ ${#long_path} -lt 3000 ]; do long_path+="C:\\Werkzeuge\\Werkzeug ${#long_path}\\bin;"; done
long_path+="%USERPROFILE%\\bin"
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
wine "$folder/korva-counter.exe" &
program=$!
track "$program"
window_up() { xdotool search --name '^KORVA-Counter Alpha' >/dev/null 2>&1; }
wait_for 300 window_up || fail "korva-counter.exe shows no window"

# The setup's and uninstaller's windows, and their message boxes, by caption.
setup_windows() { xdotool search --name 'stallation' 2>/dev/null | sort; }
setup_shown() { [ -n "$(setup_windows)" ]; }
box_shown() { [ "$(setup_windows | wc -l)" -gt "$1" ]; }
setup_gone() { ! setup_shown; }
# click_through PAGES [KEY]: presses Return on each of PAGES pages of the setup or uninstaller
# just started, waits for the box that asks to close KORVA-Counter (sets box), and answers it with
# KEY (Escape: Abbrechen, Return: Wiederholen).
click_through() {
    local pages=$1 answer=${2:-} main page
    wait_for 300 setup_shown || { fail "no setup window"; return; }
    main=$(setup_windows)
    for ((page = 0; page < pages; page++)); do
        xdotool windowfocus --sync "$main" key Return
        sleep 1
    done
    wait_for 300 box_shown "$(wc -l <<< "$main")" || { fail "no box asks to close KORVA-Counter"; return; }
    box=$(comm -13 <(echo "$main") <(setup_windows) | head -n1)
    [ -z "$answer" ] || xdotool windowfocus --sync "$box" key "$answer"
}
# check_whole WHAT: the old install is as it was.
check_whole() {
    install_state > "$work/now"
    diff "$work/installed" "$work/now" > "$work/changed" || fail "$1 changed the install:"$'\n'"$(cat "$work/changed")"
}

# Silently: the setup and the uninstaller end with a failure status and change nothing. The
# registered uninstall command starts a copy of the uninstaller and ends at once, with status 0
# whatever the copy does; the setup runs the uninstaller as below, and sees its status.
status=0
wine "$setup" /S || status=$?
[ "$status" != 0 ] || fail "the setup /S succeeded while KORVA-Counter runs"
check_whole "the setup /S"
status=0
wine "$folder/uninstall.exe" /S "_?=$win_folder" || status=$?
[ "$status" != 0 ] || fail "the uninstaller /S succeeded while KORVA-Counter runs"
check_whole "the uninstaller /S"
wine "$(uninstall_command)" /S || fail "the registered uninstall command /S: status $?"
copy_ended() { ! pgrep -f 'Un_A\.exe' >/dev/null; }
sleep 1
wait_for 300 copy_ended || fail "the uninstaller's copy does not end"
check_whole "the registered uninstall command with /S"

# Clicked: through the pages to the box, whose Abbrechen leaves the old install whole.
status=0
wine "$setup" & setup_pid=$!
click_through 2 Escape
wait "$setup_pid" || status=$?
[ "$status" != 0 ] || fail "the setup, cancelled at the box, ends with status 0"
check_whole "the setup, cancelled"
wine "$(uninstall_command)" || fail "the registered uninstall command: status $?" &
click_through 1 Escape
wait_for 300 setup_gone || fail "the uninstaller, cancelled at the box, stays open"
check_whole "the uninstaller, cancelled"

# Closed while the box asks, Wiederholen installs: the new version, the older one's file gone,
# the folder on the PATH once. The finish page starts the window, ended with the rest.
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
