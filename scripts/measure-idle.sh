#!/bin/sh
# SPDX-License-Identifier: MIT
# Processor time of the gallery out of sight against a window of Qt's own widgets doing the same
# work, both running side by side in one run: first minimised, then hidden.
#   scripts/measure-idle.sh [BUILD_DIR] [SECONDS]
# Uses the display in DISPLAY when there is one, otherwise the offscreen platform. The offscreen
# platform keeps a minimised window exposed, so Qt's own widgets go on painting there; hidden,
# neither window paints and the figures compare the work of the timers alone.
set -eu
build=${1:-build}
seconds=${2:-20}
gallery="$build/examples/gallery/jxtgallery"
[ -x "$gallery" ] || { echo "measure-idle: $gallery not built" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# measure STATE [--hidden]: both windows side by side; fails when either run fails.
measure() {
    state=$1
    shift
    "$gallery" --idle "$seconds" "$@" >"$out/gallery" 2>"$out/gallery.err" &
    ours_pid=$!
    "$gallery" --idle "$seconds" --qt-only "$@" >"$out/qt" 2>"$out/qt.err" &
    anchor_pid=$!
    wait "$ours_pid" || { cat "$out/gallery.err" >&2; echo "measure-idle: gallery failed" >&2; exit 1; }
    wait "$anchor_pid" || { cat "$out/qt.err" >&2; echo "measure-idle: Qt-only window failed" >&2; exit 1; }
    ours=$(cut -d' ' -f2 "$out/gallery")
    anchor=$(cut -d' ' -f2 "$out/qt")
    awk -v st="$state" -v o="$ours" -v a="$anchor" -v s="$seconds" 'BEGIN {
        printf "gallery %s: %.3f s of CPU in %d s (%.2f %% of a core)\n", st, o, s, 100 * o / s
        printf "Qt-only %s: %.3f s of CPU in %d s (%.2f %% of a core)\n", st, a, s, 100 * a / s
        if (a > 0) printf "ratio gallery / Qt-only, %s = %.2f\n", st, o / a
    }'
}

measure minimised
measure hidden --hidden
