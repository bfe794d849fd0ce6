#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Doxygen input filter: a property's getter and setter share one description.

The headers document a published property once, above its getter (`int Boxes() const`); the
setter (`void SetBoxes(...)`) follows at once. This filter gives such a setter a description
that points to the getter's, in front of the setter on its own line, so that every line keeps
its number and Doxygen's messages name the right line. Backslashes in comments are doubled,
since they are Windows paths, not Doxygen commands. Other lines pass unchanged.

Usage: doxygen-filter.py HEADER   (writes the filtered text to standard output)
"""
import re
import sys

GETTER = re.compile(r"^\s+(?:virtual\s+|static\s+)?[\w:<>,\*&\s]+?\b(\w+)\(\s*\)\s*const\b")
SETTER = r"^\s+(?:virtual\s+)?void\s+Set%s\("


def declaration_end(lines, start):
    """Index of the last line of the declaration or inline definition starting at start."""
    depth = 0
    for i in range(start, len(lines)):
        depth += lines[i].count("{") - lines[i].count("}")
        stripped = lines[i].rstrip()
        if depth == 0 and (stripped.endswith(";") or stripped.endswith("}")):
            return i
    return start


def comment_start(lines, index):
    """Index of the first line of the /// block right above lines[index] (index if none)."""
    i = index
    while i > 0 and lines[i - 1].strip().startswith("///"):
        i -= 1
    return i


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        lines = f.read().split("\n")
    setters = {}
    i = 0
    while i < len(lines):
        m = GETTER.match(lines[i])
        if m and not lines[i].strip().startswith("//"):
            getter_end = declaration_end(lines, i)
            setter = getter_end + 1
            if (setter < len(lines) and comment_start(lines, i) < i and
                    re.match(SETTER % re.escape(m.group(1)), lines[setter])):
                setters[setter] = m.group(1)
                i = declaration_end(lines, setter) + 1
                continue
        i += 1
    # The comments hold Windows paths ("C:\\x\\*.*") and no Doxygen commands: every backslash
    # in them is a backslash.
    for n, line in enumerate(lines):
        k = line.find("///")
        if k >= 0 and (not line[:k].strip() or line.startswith("///<", k)):
            lines[n] = line[:k] + line[k:].replace("\\", "\\\\")
    for n, name in setters.items():
        indent = re.match(r"^\s*", lines[n]).group(0)
        lines[n] = "%s/** Sets %s (see %s()). */ %s" % (indent, name, name, lines[n].lstrip())
    sys.stdout.write("\n".join(lines))

if __name__ == "__main__":
    main()
