# Sourced by the timing scripts in bench/: one timed run, and the median of several.
# Needs perf, and $work: a folder for perf's output.

# One run: "wall cpu" in seconds. With STDIN_FILE set, the command reads that file as its
# standard input. CPU is perf's task-clock, the scheduler's own nanoseconds summed over the
# threads (time(1) and getrusage count in ticks of 4 ms or more, too coarse for a fraction of a
# second); wall is perf's duration_time, from the command's start to its end: a clock read around
# perf would add perf's own start, 30 to 90 ms, more than korva-count takes for 300 MB on two
# cores. Output is read through a pipe (grep -c with its output on /dev/null stops early).
# With REALTIME=1 (as root) the command runs under the real-time scheduler (chrt -f), ahead of
# other work: on a machine shared with builds, the wall time is then about an idle machine's.
measure() {
    local first=()
    [ -n "${REALTIME:-}" ] && first=(chrt -f 10)
    "${first[@]}" perf stat -x, -e task-clock,duration_time -o "$work/perf" "$@" < "${STDIN_FILE:-/dev/null}" |
        cat > /dev/null
    awk -F, '$3 == "task-clock" { cpu = $1 / 1000 } $3 == "duration_time" { wall = $1 / 1e9 }
        END { printf "%.4f %.4f\n", wall, cpu }' "$work/perf"
}

# The median of the numbers on standard input, separated by spaces or lines.
median() { tr ' ' '\n' | grep . | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
