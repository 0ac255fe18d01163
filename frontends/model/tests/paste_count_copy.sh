# shellcheck shell=bash disable=SC2154,SC2317  # (sourced: $window and $work are the caller's)
# What both windows' end-to-end runs do as a player does: a sabotage report pasted into Input from
# X's clipboard, Sabo pressed, all of Output selected and copied; the copy must be the result byte
# for byte. Sourced after tools/lib/xserver.sh, with $window found; LEFT TOP is where the client
# area starts in the X window. Input is at (8,16) of the client area, Sabo at Panel1 (272,16) +
# (8,32), 75 x 25, Output at (368,16).
#   paste_count_copy LEFT TOP COMMAND...   COMMAND prints the clipboard's text
#   window_screenshot LEFT TOP FILE        without a file, or without ImageMagick, nothing

report=$'Sabotagebericht vom 07.12.2026 14:32\r\n14:32:05 Eisenmine (3) zerstört\r\n14:32:05 Raumhafen (1) zerstört\n14:32:07 Wohngebäude (2) zerstört\r\n14:32:09 Forschungszentrum zerstört\r\n'
expected=$'Planetenzentrale  (0)\r\nRaumhafen  (1)\r\nWohngebäude  (2)\r\nSolarpark  (0)\r\nEisenmine  (3)\r\nSiliziumraffinerie  (0)\r\nKohlenstoffgewinnungsanlage  (0)\r\nBohrturm  (0)\r\nChemiefabrik  (0)\r\nRecyclinganlage  (0)\r\nRohstofflager  (0)\r\nSchiffsfabrik  (0)\r\nWaffenfabrik  (0)\r\nForschungszentrum  (1)\r\n\r\nGesamt zerstörte Punkte: 11\r\n'

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

paste_count_copy() {
    local left=$1 top=$2
    shift 2
    printf '%s' "$expected" >"$work/expected"
    fill_clipboard "$report"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    click $((left + 100)) $((top + 16 + 100))
    xdotool key ctrl+a ctrl+v
    click $((left + 272 + 8 + 37)) $((top + 16 + 32 + 12))
    copy_result() {
        click $((left + 450)) $((top + 16 + 100))
        xdotool key ctrl+a ctrl+c
        "$@"
    }
    expect_copied copy_result "$@"
}

window_screenshot() {
    [ -n "$3" ] && command -v import >/dev/null || return 0
    click $(($1 + 450)) $(($2 + 16 + 340))  # below the text: the selection goes, the caret stays
    click $(($1 + 100)) $(($2 + 16 + 300))
    sleep 0.3
    import -window "$window" "$3"
    echo "screenshot: $3"
}
