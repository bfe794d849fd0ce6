#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every benchmark program in DIR (the executable files named bench_*, not the build's
# folders of the same prefix); each prints its times and ratios against its anchor. A program
# that fails does not stop the others; the exit status says whether all of them succeeded.
set -uo pipefail
dir=${1:?bench build directory}
failed=()
ran=0
for b in "$dir"/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    ran=$((ran + 1))
    if ! QT_QPA_PLATFORM=offscreen "$b" --benchmark_min_time=0.2; then
        failed+=("$(basename "$b")")
    fi
done
if [ "$ran" -eq 0 ]; then
    echo "run-benchmarks: no benchmark programs in $dir" >&2
    exit 1
fi
if [ "${#failed[@]}" -ne 0 ]; then
    echo "run-benchmarks: failed: ${failed[*]}" >&2
    exit 1
fi
echo "run-benchmarks: $ran programs ran"
