#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Doxygen input filter: descriptions the headers give once, or that Qt already gives.

The headers document a published property once, above its getter (`int Boxes() const`); the
setter (`void SetBoxes(...)`) follows at once. This filter gives such a setter a description
that points to the getter's. In the same way, where the header leaves them undocumented:
- the Qt signal of an event (`onClick` beside `OnClick`) points to the event, since both fire
  together (host/core/Events.h);
- a component's constructor that takes its owner says what the owner does, and constructors
  taken over from the base (`using TControl::TControl;`) name the base;
- an override of a Qt virtual (Qt's names start in lower case, ours in upper case) is left out
  of the reference: Qt documents it, and the class's own rules are stated elsewhere;
- a published property's description, written above its Q_PROPERTY line, goes to its getter
  (and so to its setter), since Q_PROPERTY lines are not part of the reference;
- the widget classes for Qt Designer (package/JXDesignerWidgets.h) point to their component.
Every description goes in front of its declaration on the same line, so that every line keeps
its number and Doxygen's messages name the right line. Backslashes in comments are doubled,
since they are Windows paths, not Doxygen commands. Other lines pass unchanged.

Usage: doxygen-filter.py HEADER   (writes the filtered text to standard output)
"""
import re
import sys

GETTER = re.compile(r"^\s+(?:virtual\s+|static\s+)?[\w:<>,\*&\s]+?\b(\w+)\(\s*\)\s*const\b")
PROPERTY = re.compile(r"^\s+Q_PROPERTY\(")
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


QT_OVERRIDE = re.compile(r"^\s+(?:virtual\s+)?[\w:<>,\*&\s]+?\b[a-z]\w*\(")
SIGNAL = re.compile(r"^\s+void\s+on([A-Z]\w*)\(")
OWNER_CONSTRUCTOR = re.compile(r"^\s+(?:explicit\s+)?(\w+)\(\s*(?:jxt::)?TComponent\s*\*\s*owner"
                               r"\s*=\s*nullptr\s*\)\s*;")
INHERITED_CONSTRUCTOR = re.compile(r"^\s+using\s+(?:\w+::)*(\w+)::(\w+)\s*;")
UI_CLASS = re.compile(r"^class\s+JXT_EXPORT\s+(\w+)\s*:\s*public\s+::jxt::(\w+)\s*$")
QT_SHADOW = re.compile(r"^\s+void\s+SetQt(Font|Cursor)\(")
ACCESS = re.compile(r"^\s*(public|protected|private|signals|Q_SIGNALS)\s*(?:slots\s*)?:")


def documented(lines, index):
    """Whether a doc comment stands right above lines[index] or trails on its line."""
    return (index > 0 and lines[index - 1].strip().startswith(("///", "/**", "*/", "//!"))
            or "///<" in lines[index] or "//!<" in lines[index] or "/**" in lines[index])


def describe(lines):
    """Puts the descriptions the header leaves to this filter in front of their lines."""
    text = "\n".join(lines)
    original = list(lines)
    section = None
    for n, line in enumerate(lines):
        access = ACCESS.match(line)
        if access:
            section = access.group(1)
            continue
        if line.strip().startswith("//") or documented(original, n):
            continue
        indent = re.match(r"^\s*", line).group(0)
        body = line[len(indent):]
        signal = SIGNAL.match(line)
        if signal and section in ("signals", "Q_SIGNALS"):
            name = signal.group(1)
            if re.search(r"\bOn%s\b" % name, text):
                lines[n] = ("%s/** Qt signal of On%s: emitted after its handler ran (unless that "
                            "freed the component), with the same arguments; a value the handler "
                            "may change comes by address. */ %s" % (indent, name, body))
            continue
        constructor = OWNER_CONSTRUCTOR.match(line)
        if constructor:
            lines[n] = ("%s/** Creates the component; a given owner frees it when the owner goes "
                        "(see TComponent). */ %s" % (indent, body))
            continue
        inherited = INHERITED_CONSTRUCTOR.match(line)
        if inherited and inherited.group(1) == inherited.group(2):
            lines[n] = ("%s/** The constructors of %s. */ %s" % (indent, inherited.group(1), body))
            continue
        ui = UI_CLASS.match(line)
        if ui and ui.group(1) == ui.group(2):
            lines[n] = ("/** jxt::%s as a widget for forms made in Qt Designer: constructed on a "
                        "parent widget, its properties in the types Designer edits (see "
                        "JXDesignerWidgets.h). */ %s" % (ui.group(1), line))
            continue
        shadow = QT_SHADOW.match(line)
        if shadow:
            lines[n] = ("%s/** Sets QWidget's own %s property, which Designer does not show: the "
                        "published %s stands for it. */ %s"
                        % (indent, shadow.group(1).lower(), shadow.group(1), body))
            continue
        if QT_OVERRIDE.match(line):
            end = declaration_end(lines, n)
            if re.search(r"\boverride\b", " ".join(lines[n:end + 1])):
                lines[n] = "%s/** \\cond */ %s" % (indent, body)
                lines[end] = lines[end] + " /** \\endcond */"


def property_docs(lines):
    """The descriptions of published properties, to be moved to their getters.

    A property is documented by the /// block above its Q_PROPERTY line, which Doxygen drops
    (Q_PROPERTY expands to nothing), so that the block would describe whatever comes next.
    Returns {getter line: description} for the getters of the class that have no description
    of their own, and the lines of every such block (to be turned into plain comments)."""
    moved, blocks = {}, []
    for n, line in enumerate(lines):
        if not PROPERTY.match(line) or comment_start(lines, n) == n:
            continue
        start = comment_start(lines, n)
        blocks.extend(range(start, n))
        end = n
        while end + 1 < len(lines) and lines[end].count("(") > lines[end].count(")"):
            end += 1
        read = re.search(r"\bREAD\s+(\w+)", " ".join(lines[n:end + 1]))
        if not read:
            continue
        for g in range(end + 1, len(lines)):
            if lines[g].startswith("};"):
                break
            m = GETTER.match(lines[g])
            if m and m.group(1) == read.group(1) and not lines[g].strip().startswith("//"):
                if comment_start(lines, g) == g and g not in moved:
                    text = " ".join(l.strip()[3:].strip() for l in lines[start:n])
                    moved[g] = text.replace("\\", "\\\\").replace("*/", "* /")
                break
    return moved, blocks


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        lines = f.read().split("\n")
    moved, blocks = property_docs(lines)
    setters = {}
    i = 0
    while i < len(lines):
        m = GETTER.match(lines[i])
        if m and not lines[i].strip().startswith("//"):
            getter_end = declaration_end(lines, i)
            setter = getter_end + 1
            if (setter < len(lines) and (comment_start(lines, i) < i or i in moved) and
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
    for n in blocks:
        lines[n] = lines[n].replace("///", "// ", 1)
    for n, text in moved.items():
        indent = re.match(r"^\s*", lines[n]).group(0)
        lines[n] = "%s/** %s */ %s" % (indent, text, lines[n].lstrip())
    describe(lines)
    for n, name in setters.items():
        indent = re.match(r"^\s*", lines[n]).group(0)
        lines[n] = "%s/** Sets %s (see %s()). */ %s" % (indent, name, name, lines[n].lstrip())
    sys.stdout.write("\n".join(lines))

if __name__ == "__main__":
    main()
