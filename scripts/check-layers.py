#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Fails on any #include that runs against the library's floors.

The floors, lowest first (a file may include headers of its own floor and of the floors below):

    base       the export macro, which every floor needs
    platform   the operating system: paths, files, processes, sound headers
    host       the component framework on Qt, itself in rooms:
                   core < graphics < files < controls < designer
    util       the jxt... helper functions
    display, effects, controls   the components (one floor, three rooms side by side)
    services   the non-visual components and their forms
    editors    the design-time property editors and their forms
    package    registration and the Designer widget classes
    designer   the Qt Designer plugin (the top-level designer/ folder)

Components do not include each other: a component header or source may include another
component's header only where SIDEWAYS below names the pair. Tests, benchmarks, fuzzers and
examples sit above everything and are not checked.

Usage: check-layers.py [ROOT]   (ROOT defaults to the project folder)
"""
import os
import re
import sys

FLOORS = {
    "base": 0,
    "platform": 1,
    "host": 2,
    "util": 3,
    "display": 4,
    "effects": 4,
    "controls": 4,
    "services": 5,
    "editors": 6,
    "package": 7,
    "designer": 8,
}
HOST_ROOMS = {"core": 0, "graphics": 1, "files": 2, "controls": 3, "designer": 4}
COMPONENT_FOLDERS = {"display", "effects", "controls", "services"}

# The only includes between different components, each with its reason.
SIDEWAYS = {
    # The copy progress form shows the progress of the file and of the whole run in gauges.
    ("services/JXCopy", "display/JXGauge.h"),
    # The application's information form has a form background.
    ("services/JXApp", "effects/JXForm.h"),
    # The form background fills with the fill styles and pictures of the fill image's unit.
    ("effects/JXForm", "effects/JXFillImage.h"),
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def floor_of(path):
    """The floor of a path relative to src/ (or 'designer/...'), or None outside the library."""
    top = path.split("/", 1)[0]
    return FLOORS.get(top)


def room_of(path):
    parts = path.split("/")
    if parts[0] == "host" and len(parts) > 2:
        return HOST_ROOMS.get(parts[1])
    return None


def unit_of(path):
    """The component unit a file belongs to: its folder and file name without extension."""
    return os.path.splitext(path)[0]


def check_include(source, header):
    """An error text, or None when source (relative path) may include header."""
    src_floor, hdr_floor = floor_of(source), floor_of(header)
    if hdr_floor is None:
        return None  # a Qt, system or generated header
    if hdr_floor > src_floor:
        return "includes %s from a higher floor" % header
    src_top, hdr_top = source.split("/", 1)[0], header.split("/", 1)[0]
    if src_top == "host" and hdr_top == "host":
        src_room, hdr_room = room_of(source), room_of(header)
        if src_room is not None and hdr_room is not None and hdr_room > src_room:
            return "includes %s from a higher room of the host layer" % header
    if src_top in COMPONENT_FOLDERS and hdr_top in COMPONENT_FOLDERS:
        pair = (unit_of(source), header)
        if unit_of(source) != unit_of(header) and pair not in OWN_HELPERS and pair not in SIDEWAYS:
            return "includes the component header %s sideways (not in SIDEWAYS)" % header
    return None


# A component's private helper or second class in its own folder.
OWN_HELPERS = {
    ("services/JXWAV", "services/WavSound.h"),
    ("services/JXHint", "services/JXHintWindow.h"),
    ("services/JXHintWindow", "services/JXHint.h"),
}


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), ".."))
    trees = [(os.path.join(root, "src"), ""), (os.path.join(root, "designer"), "designer/")]
    errors = []
    checked = 0
    for tree, prefix in trees:
        for folder, _, files in os.walk(tree):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                full = os.path.join(folder, name)
                rel = prefix + os.path.relpath(full, tree).replace(os.sep, "/")
                if floor_of(rel) is None:
                    continue
                checked += 1
                with open(full, encoding="utf-8") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        error = check_include(rel, m.group(1))
                        if error:
                            shown = os.path.relpath(full, root)
                            errors.append("%s:%d: %s" % (shown, number, error))
    for e in errors:
        print(e)
    if errors:
        print("check-layers: %d include(s) against the floors in %d files" % (len(errors), checked))
        return 1
    print("check-layers: %d files, every include goes down or sideways where allowed" % checked)
    return 0


if __name__ == "__main__":
    sys.exit(main())
