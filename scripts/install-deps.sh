#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building, testing, benchmarking and fuzzing jxtpack needs on Debian 12.
# The last line of packages brings files made by others that the icon readers are tested on:
# Windows launcher programs, icon files, scanner test programs and 16-bit font libraries.
# Idempotent: packages already present are left alone, and apt is not called at all
# when nothing is missing.
set -euo pipefail

# The Qt Designer plugin needs qt6-tools-dev (Designer, UiPlugin, UiTools) and, because Qt's
# Designer and UiTools CMake packages require Qt6::OpenGL and Qt6::OpenGLWidgets,
# libqt6opengl6-dev, which qt6-base-dev only recommends. The English translation is made with
# lupdate and lrelease (qt6-l10n-tools; their CMake package comes with qt6-tools-dev). Fuzzing
# needs clang and its libFuzzer runtime (libclang-rt-14-dev); the format check needs
# clang-format. The wave player plays
# through Qt Multimedia; the printer's tests read their PDFs with poppler-utils, the shell-link
# tests check their files with lnkinfo, and sox and alsa-utils bring the sounds the wave reader
# is tested on. Qt 6.4 plays sound through the PulseAudio client library that its multimedia
# library already depends on (no plugin package is needed); without a PulseAudio or PipeWire
# sound server the wave player plays silently. xdg-utils (xdg-open, xdg-mime) opens documents
# and finds the mail program.
packages=(
    build-essential cmake ninja-build ccache pkg-config python3 doxygen qt6-documentation-tools
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools libqt6opengl6-dev libgl-dev
    libfontconfig-dev fonts-liberation2 fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    mscompress qt6-multimedia-dev
    poppler-utils liblnk-utils sox alsa-utils xdg-utils
    python3-distlib nsis-common clamav-testfiles fonts-wine
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    echo "install-deps: everything is present"
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    sudo=sudo
else
    sudo=
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
