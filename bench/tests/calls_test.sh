#!/usr/bin/env bash
# The timing programs' calls as a user types them: a wrong call gets the usage on stderr and
# status 2 with nothing on stdout; --help gets it on stdout and status 0.
# Usage: bench/tests/calls_test.sh PROGRAM   (korva-make-reports or click_bench, as built)
set -uo pipefail
program=$1
name=$(basename "$program")

# Rows: expected status | what the streams hold | the arguments. out: the usage on stdout, stderr
# empty; err: the usage on stderr, stdout empty; data: reports on stdout, stderr empty; none: both
# empty. A call that runs on past a minute fails (timeout gives status 124).
case $name in
    korva-make-reports) rows=(
        "0|out|--help"
        "0|out|-h"
        "2|err|"
        "2|err|xyz"
        "2|err|1x"
        "2|err|-1"
        "2|err|1 xyz"
        "2|err|1 Dense"
        "2|err|1 dense x7"
        "2|err|1 dense 4294967296"
        "2|err|1 dense 7 more"
        "2|err|--help 1"
        "0|none|0"
        "0|data|1"
        "0|data|1 dense 4294967295"
    ) ;;
    click_bench) rows=(
        "0|out|--help"
        "0|out|-h"
        "2|err|"
        "2|err|xyz"
        "2|err|0"
        "2|err|10 -5"
        "2|err|10x"
    ) ;;
    *) echo "no calls listed for $name" >&2; exit 1 ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
for row in "${rows[@]}"; do
    IFS='|' read -r want_status streams args <<< "$row"
    read -ra argv <<< "$args"
    timeout 60 "$program" "${argv[@]}" > "$work/out" 2> "$work/err"
    status=$?
    problem=
    if [ "$status" != "$want_status" ]; then
        problem="status $status, not $want_status"
    else
        case $streams in
            out | err) usage=$work/$streams ;;
            *) usage= ;;
        esac
        for stream in "$work/out" "$work/err"; do
            if [ "$stream" = "$usage" ]; then
                grep -q "^Aufruf: $name " "$stream" || problem="no usage on ${stream##*/}"
            elif [ "$streams" = data ] && [ "$stream" = "$work/out" ]; then
                [ -s "$stream" ] && ! grep -q '^Aufruf:' "$stream" || problem="no reports on out"
            elif [ -s "$stream" ]; then
                problem="${stream##*/} not empty"
            fi
        done
    fi
    if [ -n "$problem" ]; then
        echo "FAIL: $name $args: $problem" >&2
        sed 's/^/  stdout: /' "$work/out" >&2
        sed 's/^/  stderr: /' "$work/err" >&2
        failures=$((failures + 1))
    fi
done
echo "$name: ${#rows[@]} calls, $failures failed"
[ "$failures" -eq 0 ]
