#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every benchmark program in DIR (the executable files named bench_*, not the build's
# folders of the same prefix); each prints its times and ratios against its anchor. A program
# that fails does not stop the others; the exit status says whether all of them succeeded.
# At the end a summary gives one line per compared job: its ratio, its aim (the highest
# ratio it should show) and whether the aim is met in this run; a job that misses its aim
# in this run is followed by what keeps it from the aim, where its program says so.
set -uo pipefail
dir=${1:?bench build directory}
failed=()
ran=0
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT
export JXT_BENCH_SUMMARY=$summary
for b in "$dir"/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    ran=$((ran + 1))
    if ! QT_QPA_PLATFORM=offscreen "$b" --benchmark_min_time=0.2; then
        failed+=("$(basename "$b")")
    fi
done
echo
echo "== summary: ours / anchor in the same run; aim: the highest ratio that holds"
awk -F'\t' '
    { job = $1; ratio = $2 + 0; aim = $3 + 0; why = $4
      if (ratio < 0)      verdict = "not measured"
      else if (aim <= 0)  verdict = "no aim"
      else if (ratio <= aim) verdict = "met"
      else                verdict = "NOT MET"
      shown = ratio < 0 ? "     -" : sprintf("%6.2f", ratio)
      aimed = aim <= 0 ? "     -" : sprintf("%6.2f", aim)
      printf "  %-56s ratio %s  aim <= %s  %s\n", job, shown, aimed, verdict
      if (verdict == "NOT MET" && why != "") {
          printf "      why: %s\n", why
          explained++
      }
      if (verdict == "met") met++; else if (verdict == "NOT MET") missed++
    }
    END { printf "  %d met, %d not met (%d of them explained)\n", met, missed, explained }' "$summary"
if [ "$ran" -eq 0 ]; then
    echo "run-benchmarks: no benchmark programs in $dir" >&2
    exit 1
fi
if [ "${#failed[@]}" -ne 0 ]; then
    echo "run-benchmarks: failed: ${failed[*]}" >&2
    exit 1
fi
echo "run-benchmarks: $ran programs ran"
