#!/usr/bin/env bash
# Makes the downloads (tools/package.sh) and checks them the way a player meets them: lintian on
# the .deb; the .deb installed with apt-get on this machine, its programs, man pages and bash
# completion used, then purged, leaving nothing; the Windows setup installed silently into a
# fresh wine prefix, fresh and over an older version, used, and uninstalled, leaving nothing.
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
    # Only a package this script installed, if a failed check left it.
    if [ -n "$installed" ] &&
        dpkg-query -W -f='${Status}' korva-counter 2>/dev/null | grep -q "ok installed"; then
        "${sudo[@]}" apt-get purge -y -qq korva-counter >/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
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
# Debian's PATH for players, which holds /usr/games.
player_path=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
check_counts env PATH="$player_path" korva-count
desktop=/usr/share/applications/de.korva.KorvaCounter.desktop
command=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$command" ] || fail "$desktop starts $command, which is not an installed program"

# The window offscreen, and with no display at all: started (still running after 3 s, then ended
# by timeout's TERM), or ended with its own message.
window_rows=(
    "QT_QPA_PLATFORM=offscreen|124|"
    "QT_QPA_PLATFORM=|1|Keine grafische Anzeige gefunden"
)
for row in "${window_rows[@]}"; do
    IFS='|' read -r setting expected message <<< "$row"
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY PATH="$player_path" "$setting" \
        timeout -k 5 3 korva-counter > /dev/null 2> "$work/err" || status=$?
    [ "$status" = "$expected" ] || fail "korva-counter with $setting: status $status, not $expected"
    [ -z "$message" ] || grep -q "$message" "$work/err" ||
        fail "korva-counter with $setting: no \"$message\" in: $(cat "$work/err")"
done

# The man pages, found by name and rendered without a warning: page and its NAME line.
man_rows=(
    "korva-count|korva-count - Sabotage- und Plünderungsberichte zählen"
    "korva-counter|korva-counter - Sabotage- und Plünderungsberichte in einem Fenster zählen"
)
for row in "${man_rows[@]}"; do
    page=${row%%|*}
    line=${row#*|}
    shown=$(LANG=C.UTF-8 MANWIDTH=200 man --warnings "$page" 2> "$work/err") ||
        fail "man $page: status $?"
    grep -qF "$line" <<< "$shown" || fail "man $page: no \"$line\""
    [ ! -s "$work/err" ] || fail "man $page warns: $(cat "$work/err")"
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
start_menu=$(winepath -u "$(wine_run cmd /c echo %APPDATA%)")
start_menu="$start_menu/Microsoft/Windows/Start Menu/Programs"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KORVA-Counter'
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

# An older version to upgrade: the same files under version 0.0.0.1, with one file more.
cmake -E chdir "$work" cmake -E tar xf "$root/$zip"
old=$work/korva-counter-$version-win64
echo "ALT" > "$old/ALT.txt"
makensis -V1 -INPUTCHARSET UTF8 -DVERSION=0.0.0.1 -DSTAGE="$old" -DEXTRA_FILE=ALT.txt \
    -DOUTFILE="$work/korva-counter-0.0.0.1-win64-setup.exe" packaging/windows/setup.nsi

install_silently() {
    wine_run "$1" /S || fail "$1 /S: status $?"
    wineserver -w
}
# The uninstall as Windows starts it, from the registered command, made silent.
uninstall_silently() {
    local command
    command=$(wine_run reg query "$key" /v UninstallString | sed -n 's/.*REG_SZ *"\(.*\)".*/\1/p')
    [ -n "$command" ] || { fail "no UninstallString"; return; }
    wine_run "$command" /S || fail "$command /S: status $?"
    wineserver -w
    wineboot --restart
    wineserver -w
}

# Each way in: installed fresh, or over the older version.
for way in fresh upgrade; do
    if [ "$way" = upgrade ]; then
        install_silently "$work/korva-counter-0.0.0.1-win64-setup.exe"
        [ -f "$folder/ALT.txt" ] || fail "the older version did not install ALT.txt"
    fi
    install_silently "$setup"

    for file in korva-counter.exe korva-count.exe LIESMICH.txt LIZENZEN.txt uninstall.exe; do
        [ -f "$folder/$file" ] || fail "$way: $file not installed"
    done
    [ ! -e "$folder/ALT.txt" ] || fail "$way: the older version's ALT.txt is left"
    cmp -s "$folder/korva-count.exe" "$old/korva-count.exe" ||
        fail "$way: korva-count.exe is not the one in the zip"
    lnk="$start_menu/KORVA-Counter.lnk"
    [ -f "$lnk" ] || fail "$way: no Start menu shortcut $lnk"
    grep -qa 'KORVA-Counter\\korva-counter.exe' "$lnk" || fail "$way: the shortcut's target"

    # The uninstall key: each value as reg prints it.
    wine_run reg query "$key" > "$work/key"
    win_folder=$(winepath -w "$folder")
    size_kib=$(($(cat "$folder"/* | wc -c) / 1024))
    values=(
        "DisplayName|REG_SZ|KORVA-Counter"
        "DisplayVersion|REG_SZ|$version"
        "Publisher|REG_SZ|The KORVA-Counter developers"
        "DisplayIcon|REG_SZ|$win_folder\\korva-counter.exe,0"
        "InstallLocation|REG_SZ|$win_folder"
        "UninstallString|REG_SZ|\"$win_folder\\uninstall.exe\""
        "EstimatedSize|REG_DWORD|$(printf '0x%x' "$size_kib")"
        "NoModify|REG_DWORD|0x1"
        "NoRepair|REG_DWORD|0x1"
    )
    for row in "${values[@]}"; do
        IFS='|' read -r name type value <<< "$row"
        grep -qxF "    $name    $type    $value" "$work/key" ||
            fail "$way: $name is not $type $value in: $(grep "$name" "$work/key")"
    done

    check_counts wine_run "$folder/korva-count.exe"

    uninstall_silently
    snapshot > "$work/after"
    if diff "$work/before" "$work/after" > "$work/left"; then
        echo "$way: installed, used and uninstalled, nothing left"
    else
        fail "$way: left after uninstall:"$'\n'"$(cat "$work/left")"
    fi
done

[ "$failed" -eq 0 ] && echo "the downloads install, work and leave nothing behind (${SECONDS}s)"
exit "$failed"
