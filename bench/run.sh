#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark of a bench build and ends with the verdict of each goal, one line each.
# Usage: bench/run.sh BUILD_DIR
set -euo pipefail

build="$1"
report="$build/bench-report.txt"
{
    "$build/tintorb_bench"
    "$build/tintorb_window_bench"
    "$(dirname "$0")/startup.sh" "$build"
} | tee "$report"
echo
echo "Goals (medians of at least 9 runs; ratios within one run):"
sed 's/\x1b\[[0-9;]*m//g' "$report" | grep -E '^(goal|reference) '
