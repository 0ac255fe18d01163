#!/usr/bin/env bash
# A run of wine_xvfb.sh killed as ctest kills a test past its time limit (SIGKILL to the test's
# process group, so no exit trap runs) must not spoil the next run in the same prefix: the next
# run of a test that timed out is its retry, and it must start from a clean state.
# Usage: killed_run_test.sh WINE_XVFB_SH PREFIX_DIR
# Exits 77 (skipped) when wine or Xvfb is missing.
set -uo pipefail

wine_xvfb=$1
prefix=$2
# shellcheck source=SCRIPTDIR/../../../tools/lib/xserver.sh
. "$(dirname "$0")/../../../tools/lib/xserver.sh"
need_tools wine Xvfb setsid
make_work

# The run to be killed: a program that waits, in a process group of its own, as ctest starts it.
marker="127.0.0.$((RANDOM % 200 + 2))"
setsid "$wine_xvfb" "$prefix" ping -n 120 "$marker" >"$work/killed.log" 2>&1 &
killed=$!
at_exit "kill -KILL -- -$killed 2>/dev/null || true"
pinging() { pgrep -f "ping.exe -n 120 $marker" >/dev/null; }
wait_for 1200 pinging || fail "the run to be killed never started its program: $(cat "$work/killed.log")"
kill -KILL -- "-$killed"
wait "$killed" 2>/dev/null

# Then the next run, in the same prefix: it must run its program and end with its status.
status=0
"$wine_xvfb" "$prefix" cmd /c "echo fresh run& exit 3" >"$work/next.log" 2>&1 || status=$?
if [ "$status" != 3 ] || ! grep -q 'fresh run' "$work/next.log"; then
    fail "the run after a killed one ended with status $status: $(cat "$work/next.log")"
fi
echo "after a killed run the next one ran its program: $(tr -d '\r' <"$work/next.log" | tr '\n' ' ')"
