#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every libFuzzer target in DIR for SECONDS each, starting from its seed corpus.
set -euo pipefail
dir=${1:?fuzz build directory}
seconds=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$dir"/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=$(mktemp -d)
    seeds="$root/fuzz/corpus/${name#fuzz_}"
    [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
    echo "fuzz: $name for ${seconds}s"
    if ! QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp" "$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -print_final_stats=0 "$corpus" >"$corpus.log" 2>&1; then
        tail -n 40 "$corpus.log"
        status=1
    fi
    rm -rf "$corpus" "$corpus.log"
done
exit $status
