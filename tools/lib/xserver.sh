# shellcheck shell=bash disable=SC2317,SC2034  # (functions called through wait_for; variables set for the sourcing script)
# The plumbing of the scripts that run the window in a fresh X server: sourced, never run.
#   need_tools TOOL...      skip (exit 77) unless every tool is in PATH
#   skip MESSAGE / fail MESSAGE
#   wait_for TRIES COMMAND...   up to TRIES tenths of a second for COMMAND to succeed
#   make_work               a scratch folder in $work, removed at exit
#   at_exit COMMAND         run at exit, the last registered first
#   track PID               killed at exit
#   start_xvfb [SCREEN]     a fresh Xvfb (default 1024x768x24); sets DISPLAY
#   start_openbox           a window manager on that server
#   find_window [ARG...]    sets window to the program's window (ARGs go to xdotool search)
#   read_frame              sets client_* and frame_* (left, top, width, height) and extent_left
#                           and extent_top of $window; fails until the window manager framed it
#   fill_clipboard TEXT     X's clipboard holds TEXT until the script ends
#   expect_copied COMMAND...    COMMAND copies and prints the result: it must be $work/expected
#   expect_closed PID       the program, its window just closed, ends within 10 s with status 0
#   time_window_shown RUNS COMMAND...   prints each start-up time to the window and the median

skip() {
    echo "SKIP: $*"
    exit 77
}

fail() {
    echo "FAIL: $*"
    exit 1
}

need_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
}

wait_for() {
    local tries=$1 i
    shift
    for ((i = 0; i < tries; i++)); do
        if "$@"; then return 0; fi
        sleep 0.1
    done
    return 1
}

# A stack, so that whatever was started last goes first (a wine program before its wine server).
xserver_exit_commands=()
at_exit() { xserver_exit_commands+=("$1"); }
track() { at_exit "kill $1 2>/dev/null || true"; }
xserver_cleanup() {
    local i
    for ((i = ${#xserver_exit_commands[@]} - 1; i >= 0; i--)); do
        eval "${xserver_exit_commands[i]}" || true
    done
    wait 2>/dev/null || true
    if [ -n "${work:-}" ]; then rm -rf "$work"; fi
}
trap xserver_cleanup EXIT

make_work() { work=$(mktemp -d); }

# Xvfb picks a free display itself and writes its number once it accepts clients. Without
# -noreset it would reset whenever its last client leaves, and a client connecting just then
# (the program, right after an xdotool call) is refused.
start_xvfb() {
    [ -n "${work:-}" ] || make_work
    Xvfb -displayfd 3 -noreset -screen 0 "${1:-1024x768x24}" -nolisten tcp \
        3>"$work/display" 2>"$work/xvfb.log" &
    local pid=$!
    track "$pid"
    xvfb_ready() { [ -s "$work/display" ] || ! kill -0 "$pid" 2>/dev/null; }
    if ! wait_for 100 xvfb_ready || [ ! -s "$work/display" ]; then
        fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    fi
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
}

start_openbox() {
    # openbox keeps its cache and session files in the scratch folder, not in the user's home.
    XDG_CACHE_HOME=$work XDG_CONFIG_HOME=$work openbox --sm-disable >"$work/openbox.log" 2>&1 &
    track $!
    wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    wait_for 100 wm_running || fail "openbox did not start: $(cat "$work/openbox.log")"
}

find_window() {
    window=$(xdotool search "$@" --name '^KORVA-Counter Alpha 0\.3$' 2>/dev/null | head -n1) &&
        [ -n "$window" ]
}

# The frame's outer corner is the client's place on the root window (xwininfo) minus the frame's
# widths (_NET_FRAME_EXTENTS), as the X server and the window manager report them.
read_frame() {
    local extents info extent_right extent_bottom
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p' | tr -d ' ')
    [ -n "$extents" ] || return 1
    IFS=, read -r extent_left extent_right extent_top extent_bottom <<<"$extents"
    info=$(xwininfo -id "$window")
    client_left=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    client_top=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    client_width=$(sed -n 's/.*Width: *//p' <<<"$info")
    client_height=$(sed -n 's/.*Height: *//p' <<<"$info")
    frame_left=$((client_left - extent_left))
    frame_top=$((client_top - extent_top))
    frame_width=$((client_width + extent_left + extent_right))
    frame_height=$((client_height + extent_top + extent_bottom))
}

fill_clipboard() {
    # xclip serves the clipboard until someone else owns it; -quiet keeps it in the foreground.
    printf '%s' "$1" | xclip -quiet -selection clipboard -i 2>/dev/null &
    track $!
    clipboard_holds() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
    wait_for 50 clipboard_holds "$(printf '%s' "$1")" || fail "could not fill the clipboard"
}

# Tried again for up to 3 s: the program may take a moment to show the result.
expect_copied() {
    copied_as_expected() { "$@" >"$work/copied" 2>/dev/null && cmp -s "$work/copied" "$work/expected"; }
    if ! wait_for 30 copied_as_expected "$@"; then
        echo "expected:"; od -c "$work/expected" | head -n 20
        echo "copied:"; od -c "$work/copied" | head -n 20
        fail "the copied result differs"
    fi
    echo "copied result matches, CR LF included ($(wc -c <"$work/copied") bytes)"
}

expect_closed() {
    gone() { ! kill -0 "$1" 2>/dev/null; }
    wait_for 100 gone "$1" || fail "the program did not end when its window was closed"
    local status=0
    wait "$1" || status=$?
    [ "$status" = 0 ] || fail "exit status $status"
    echo "window closed, exit status 0"
}

# Mapped means viewable: --onlyvisible finds the window only once the X server shows it. Each
# run waits for the last run's window to be gone, so that it cannot find that one.
time_window_shown() {
    local runs=$1 run start end ms pid times=()
    shift
    for ((run = 1; run <= runs; run++)); do
        start=$(date +%s%N)
        "$@" 2>"$work/stderr" &
        pid=$!
        until find_window --onlyvisible; do
            if ! kill -0 "$pid" 2>/dev/null; then
                echo "run $run: the program ended without a window: $(cat "$work/stderr")"
                exit 1
            fi
            sleep 0.002
        done
        end=$(date +%s%N)
        ms=$(((end - start) / 1000000))
        times+=("$ms")
        echo "run $run: window shown after $ms ms"
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        while find_window --onlyvisible; do sleep 0.01; done
    done
    echo "median: $(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p") ms"
}
