#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes the Qt Designer pictures of docs/ under Xvfb: the "JX Tools" page of the widget box, a
# form with components, the property editor and the animation editor. Not part of CI; run it
# after a change that shows in Designer and commit the pictures it writes.
#
# Usage: scripts/designer-screenshots.sh [BUILD_DIR] [OUTPUT_DIR]   (defaults: build docs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$root/docs}
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (Debian package xvfb)" >&2; exit 1; }

cmake -S "$root" -B "$build" -DJXT_BUILD_DESIGNER_SCREENSHOTS=ON >/dev/null
cmake --build "$build" --target jxtdesignerscreenshots jxtdesignerplugin
# The animation editor lists the pictures of a folder: the examples' sample pictures.
QT_PLUGIN_PATH="$build/plugins" xvfb-run -a -s "-screen 0 1400x900x24" \
    "$build/designer/jxtdesignerscreenshots" "$out" "$root/examples/pictures"
echo "pictures written to $out"
