#!/usr/bin/env bash
# The timing programs' calls as a user types them: a wrong call gets the usage on stderr and
# status 2 with nothing on stdout; --help gets it on stdout and status 0.
# Usage: bench/tests/calls_test.sh PROGRAM   (korva-make-reports, click_bench or paste_bench)
set -uo pipefail
program=$1
name=$(basename "$program")

# Rows: status | what the streams hold | arguments. out, err: the usage there, the other stream
# empty; data: reports on stdout, stderr empty; none: both empty.
case $name in
    korva-make-reports) rows=("0|out|--help" "0|out|-h" "2|err|" "2|err|1x" "2|err|-1"
        "2|err|1 xyz" "2|err|1 dense 4294967296" "2|err|1 dense 7 more" "0|none|0"
        "0|data|1 dense 4294967295") ;;
    click_bench) rows=("0|out|--help" "0|out|-h" "2|err|" "2|err|0" "2|err|10 5x") ;;
    paste_bench) rows=("0|out|--help" "0|out|-h" "2|err|" "2|err|0" "2|err|5 x" "2|err|-5") ;;
    *) echo "no calls listed for $name" >&2; exit 1 ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
for row in "${rows[@]}"; do
    IFS='|' read -r want streams args <<< "$row"
    read -ra argv <<< "$args"
    # A call that runs on (as a wrong call once did) fails with timeout's status 124.
    timeout 60 "$program" "${argv[@]}" > "$work/out" 2> "$work/err"
    status=$?
    usage_out=$(grep -c "^Aufruf: $name " "$work/out")
    usage_err=$(grep -c "^Aufruf: $name " "$work/err")
    case $streams in
        out) [ "$usage_out" = 1 ] && [ ! -s "$work/err" ] ;;
        err) [ "$usage_err" = 1 ] && [ ! -s "$work/out" ] ;;
        data) [ -s "$work/out" ] && [ "$usage_out" = 0 ] && [ ! -s "$work/err" ] ;;
        none) [ ! -s "$work/out" ] && [ ! -s "$work/err" ] ;;
    esac
    streams_ok=$?
    if [ "$status" != "$want" ] || [ "$streams_ok" != 0 ]; then
        echo "FAIL: $name $args: status $status (want $want), streams not as '$streams' says" >&2
        head -c 400 "$work/err" >&2
        failures=$((failures + 1))
    fi
done
echo "$name: ${#rows[@]} calls, $failures failed"
[ "$failures" -eq 0 ]
