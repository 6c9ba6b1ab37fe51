#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up to first paint, offscreen: the program's window against a bare Qt window of the same size with one
# line of text, which pays for the font database as any window with text does, run alternately so that a
# busy machine slows both alike. Prints each median, the goal line, and for reference the ratio to a bare
# window without text.
# Usage: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail

probe="$1/tintorb_startup_probe"
runs="${2:-15}"

# Wall time of one run in microseconds, taken by the shell itself so that no helper process is counted.
time_run() {
    local start end
    start=${EPOCHREALTIME/./}
    "$probe" "$@" >/dev/null 2>&1 || { echo "$probe $* did not paint" >&2; exit 1; }
    end=${EPOCHREALTIME/./}
    echo $((end - start))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One untimed run of each fills the page cache and the font cache.
time_run >/dev/null
time_run --bare >/dev/null
time_run --bare-text >/dev/null
program=()
bare=()
text=()
for ((i = 0; i < runs; i++)); do
    program+=("$(time_run)")
    bare+=("$(time_run --bare)")
    text+=("$(time_run --bare-text)")
done
program_median=$(printf '%s\n' "${program[@]}" | median)
bare_median=$(printf '%s\n' "${bare[@]}" | median)
text_median=$(printf '%s\n' "${text[@]}" | median)
awk -v p="$program_median" -v b="$bare_median" -v t="$text_median" -v n="$runs" 'BEGIN {
    printf "startup to first paint, median of %d: program %.1f ms, bare Qt window %.1f ms, ", n, p / 1000, b / 1000
    printf "bare window with a line of text %.1f ms\n", t / 1000
    ratio = p / t
    printf "goal startup/bare-qt-text: %.2fx (target 1.3x) %s\n", ratio, ratio <= 1.3 ? "met" : "missed"
    printf "reference startup/bare-qt: %.2fx\n", p / b
}'
