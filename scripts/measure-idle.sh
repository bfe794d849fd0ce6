#!/bin/sh
# SPDX-License-Identifier: MIT
# Processor time of the gallery minimised against a window of Qt's own widgets doing the same
# work, both running side by side in one run.
#   scripts/measure-idle.sh [BUILD_DIR] [SECONDS]
# Uses the display in DISPLAY when there is one, otherwise the offscreen platform.
set -eu
build=${1:-build}
seconds=${2:-20}
gallery="$build/examples/gallery/jxtgallery"
[ -x "$gallery" ] || { echo "measure-idle: $gallery not built" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
out=$(mktemp -d)
"$gallery" --idle "$seconds" >"$out/gallery" &
"$gallery" --idle "$seconds" --qt-only >"$out/qt" &
wait
ours=$(cut -d' ' -f2 "$out/gallery")
anchor=$(cut -d' ' -f2 "$out/qt")
rm -rf "$out"
awk -v o="$ours" -v a="$anchor" -v s="$seconds" 'BEGIN {
    printf "gallery minimised: %.3f s of CPU in %d s (%.2f %% of a core)\n", o, s, 100 * o / s
    printf "Qt-only window:    %.3f s of CPU in %d s (%.2f %% of a core)\n", a, s, 100 * a / s
    if (a > 0) printf "ratio gallery / Qt-only = %.2f\n", o / a
}'
