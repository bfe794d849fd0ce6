#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every benchmark program in DIR; each prints its own time against its anchor's.
set -euo pipefail
dir=${1:?bench build directory}
for b in "$dir"/bench_*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    QT_QPA_PLATFORM=offscreen "$b" --benchmark_min_time=0.2
done
