#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the reference's component pages from the public headers.

For every component it reads the class comment, the published properties (the Q_PROPERTY
lines, with the comment of each property's getter or setter), the events (OnX members) and the
Qt signals, and writes one Doxygen Markdown page with the component's pictures (taken by the
gallery), those tables and its example from docs/examples.

Usage: make-docs-pages.py SRC_DIR EXAMPLES_DIR OUT_DIR
"""
import os
import re
import sys

# The palette's groups, in palette order within each, and the header of each component.
GROUPS = [
    ("display", "Display controls",
     "Instrument-like read-outs: segment and dot-matrix displays, box gauges, panels with "
     "live system figures, embossed labels, scrolling text and a blinker.",
     ["TJXLCDPanel", "TJXDOTPanel", "TJXGauge", "TJXPanel", "TJX3dLabel", "TJXScrollText",
      "TJXBlinker"]),
    ("effects", "Animations and image effects",
     "A wire-frame 3D viewer, a star field, a bouncing ball, frame animation, colour ramps "
     "and fill patterns, form backgrounds and picture fades.",
     ["TJX3D", "TJXStars", "TJXBounce", "TJXAnimate", "TJXFillImage", "TJXForm",
      "TJXFxImage"]),
    ("controls", "Lists, pickers and buttons",
     "A picture list box filled in the background, an icon list box, a picture clip, a font "
     "combo, drive tabs, a two-state button with an LED, a hot-tracking button and a "
     "splitter bar.",
     ["TJXPicBox", "TJXIcoBox", "TJXPicClip", "TJXFontCombo", "TJXDriveTab", "TJXBiBtn",
      "TJXAutoButton", "TJXGrabBar"]),
    ("services", "Application services",
     "The non-visual components: form state in INI files, balloon hints, the application "
     "component, a wave player, a printer with preview, file copy with progress, file "
     "search and directory lists.",
     ["TJXINI", "TJXHint", "TJXApp", "TJXWAV", "TJXPrinter", "TJXCopy", "TJXFind",
      "TJXDirList"]),
]

# Headers whose getters document the properties that components publish from their bases.
BASE_HEADERS = ["host/controls/Controls.h", "host/core/Component.h", "host/controls/Forms.h",
                "host/controls/ExtCtrls.h", "host/controls/ListBox.h",
                "host/controls/CustomComboBox.h", "host/controls/TabSet.h",
                "host/controls/StdCtrls.h", "host/controls/Buttons.h",
                "host/controls/HintWindow.h"]

PROPERTY = re.compile(r"Q_PROPERTY\(\s*([\w:<>\s\*]+?)\s+(\w+)\s+READ\s+(\w+)(?:\s+WRITE\s+(\w+))?")
EVENT = re.compile(r"^\s+(T\w*Event\w*|std::function<[^;]*>)\s+(On\w+);")
SIGNAL = re.compile(r"^\s+void\s+(\w+)\((.*)\);")


def header_of(src, cls):
    name = cls[1:] + ".h"
    for folder in ("display", "effects", "controls", "services"):
        path = os.path.join(src, folder, name)
        if os.path.exists(path):
            return path
    raise SystemExit("make-docs-pages: no header for %s" % cls)


def comment_before(lines, index):
    """The /// comment block that ends just above lines[index], as one paragraph."""
    out = []
    i = index - 1
    while i >= 0 and lines[i].strip().startswith("///"):
        out.append(lines[i].strip()[3:].strip())
        i -= 1
    return " ".join(reversed(out))


def member_docs(lines):
    """Name of a declared member function -> the comment above its first declaration."""
    docs = {}
    decl = re.compile(r"^\s+(?:virtual\s+|static\s+)?[\w:<>,\*&\s]*?\b(\w+)\(")
    for i, line in enumerate(lines):
        m = decl.match(line)
        if not m or line.strip().startswith(("//", "Q_", "return", "if ")):
            continue
        name = m.group(1)
        doc = comment_before(lines, i)
        if doc and name not in docs:
            docs[name] = doc
    return docs


def class_block(lines, cls):
    """(first, last) line indexes of the class body of cls."""
    start = None
    for i, line in enumerate(lines):
        if re.match(r"^class\s+(JXT_EXPORT\s+)?%s\b[^;]*$" % cls, line):
            start = i
            break
    if start is None:
        raise SystemExit("make-docs-pages: class %s not found" % cls)
    depth = 0
    for j in range(start, len(lines)):
        depth += lines[j].count("{") - lines[j].count("}")
        if depth == 0 and "};" in lines[j]:
            return start, j
    return start, len(lines) - 1


def escape(text):
    """Text of a comment as Markdown table cell text: backslashes are Windows paths, not
    Doxygen commands, and a bar would end the cell."""
    return text.replace("\\", "\\\\").replace("|", "\\|")


def component_page(src, examples, cls, base_docs):
    path = header_of(src, cls)
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    first, last = class_block(lines, cls)
    body = lines[first:last + 1]
    summary = comment_before(lines, first)
    docs = dict(base_docs)
    docs.update(member_docs(body))

    properties = []
    for line in body:
        m = PROPERTY.search(line)
        if m:
            ptype, name, getter, setter = m.groups()
            doc = docs.get(getter) or docs.get(setter or "") or ""
            ptype = ptype.replace("jxt::", "").strip()
            properties.append((name, ptype, doc, setter is not None))

    events, signals = [], []
    in_signals = False
    for i, line in enumerate(body):
        stripped = line.strip()
        if stripped in ("signals:", "Q_SIGNALS:"):
            in_signals = True
            continue
        if re.match(r"^(public|protected|private)( slots)?:$", stripped):
            in_signals = False
        m = EVENT.match(line)
        if m:
            events.append((m.group(2), comment_before(body, i)))
        if in_signals:
            s = SIGNAL.match(line)
            if s:
                signals.append((s.group(1), s.group(2).replace("jxt::", ""),
                                comment_before(body, i)))

    rel = os.path.relpath(path, src)
    out = []
    out.append("# %s {#%s}" % (cls, page_id(cls)))
    out.append("")
    out.append("`#include \"%s\"` — class jxt::%s" % (rel, cls))
    out.append("")
    out.append(escape(summary).replace("\\|", "|"))
    out.append("")
    out.append("<table class=\"jxt-shots\"><tr>"
               "<td>\\image html %s.png \"In light colours\"</td>"
               "<td>\\image html %s-dark.png \"In dark colours\"</td></tr></table>" % (cls, cls))
    out.append("")
    out.append("## Published properties")
    out.append("")
    out.append("In published order; each is a Qt property of the same name, so Qt Designer, "
               "`.ui` files and `QObject::setProperty` reach it. Defaults, ranges and what a "
               "change repaints are in the description.")
    out.append("")
    out.append("| Property | Type | Description |")
    out.append("| --- | --- | --- |")
    for name, ptype, doc, writable in properties:
        note = "" if writable else " (read-only)"
        out.append("| `%s` | `%s`%s | %s |" % (name, escape(ptype), note, escape(doc)))
    out.append("")
    if events:
        out.append("## Events")
        out.append("")
        out.append("Each event is a `std::function` member and a Qt signal of the same name "
                   "beginning with a small letter (`OnScroll` and `onScroll`); values the "
                   "handler may change reach the signal by pointer.")
        out.append("")
        out.append("| Event | Description |")
        out.append("| --- | --- |")
        for name, doc in events:
            out.append("| `%s` | %s |" % (name, escape(doc)))
        out.append("")
    if signals:
        out.append("## Signals")
        out.append("")
        out.append("| Signal | Description |")
        out.append("| --- | --- |")
        for name, args, doc in signals:
            out.append("| `%s(%s)` | %s |" % (name, escape(args), escape(doc)))
        out.append("")
    example = os.path.join(examples, cls[1:] + ".cpp")
    if os.path.exists(example):
        out.append("## Example")
        out.append("")
        out.append("\\snippet %s example" % os.path.basename(example))
        out.append("")
    out.append("See the class reference jxt::%s for every member." % cls)
    out.append("")
    return "\n".join(out), len(properties)


# The helper functions by area: (page anchor, title, headers).
FUNCTION_AREAS = [
    ("functions_strings", "Strings and numbers", ["util/Jxutil.h"]),
    ("functions_files", "Files and folders", ["util/JxutilFiles.h", "util/JXU_File.h"]),
    ("functions_ini", "INI files", ["util/JxutilIni.h"]),
    ("functions_system", "System, programs and windows", ["util/JxutilSystem.h"]),
    ("functions_graphics", "Graphics and sound", ["util/JxutilGraphics.h"]),
]

SECTION = re.compile(r"^// ([A-Z][^.]*[^.:])$")
FUNCTION = re.compile(r"^JXT_EXPORT\s+(.*?\b(jxt\w+)\s*\(.*)$")


def function_sections(path):
    """[(section title, [(name, signature, doc)])] of the exported jxt functions of a header."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    sections = [("", [])]
    i = 0
    while i < len(lines):
        line = lines[i]
        m = SECTION.match(line)
        if m and i > 2 and not lines[i + 1].startswith("///"):
            sections.append((m.group(1), []))
        f = FUNCTION.match(line)
        if f:
            signature = f.group(1)
            j = i
            while not lines[j].rstrip().endswith(";") and j + 1 < len(lines):
                j += 1
                signature += " " + lines[j].strip()
            signature = re.sub(r"\s+", " ", signature.rstrip(";"))
            sections[-1][1].append((f.group(2), signature, comment_before(lines, i)))
            i = j
        i += 1
    return [(title, items) for title, items in sections if items]


def functions_pages(src, out_dir):
    index = ["# Helper functions {#functions}", "",
             "The `jxt…` functions of `util/`, by area. They take and return Windows paths "
             "(\\ref guide_paths) and report failures by the sentinel each one documents.", ""]
    count = 0
    for anchor, title, headers in FUNCTION_AREAS:
        index.append("- \\subpage %s" % anchor)
        page = ["# %s {#%s}" % (title, anchor), ""]
        for header in headers:
            page.append("From `#include \"%s\"`." % header)
            page.append("")
            for section, items in function_sections(os.path.join(src, header)):
                if section:
                    page.append("## %s" % section)
                    page.append("")
                page.append("| Function | Description |")
                page.append("| --- | --- |")
                for name, signature, doc in items:
                    page.append("| %s() | `%s` %s |" % (name, escape(signature), escape(doc)))
                    count += 1
                page.append("")
        with open(os.path.join(out_dir, anchor + ".md"), "w", encoding="utf-8") as f:
            f.write("\n".join(page) + "\n")
    with open(os.path.join(out_dir, "functions.md"), "w", encoding="utf-8") as f:
        f.write("\n".join(index) + "\n")
    return count


def page_id(cls):
    return "component_" + cls.lower()


def main():
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    src, examples, out_dir = sys.argv[1:]
    os.makedirs(out_dir, exist_ok=True)
    base_docs = {}
    for header in BASE_HEADERS:
        with open(os.path.join(src, header), encoding="utf-8") as f:
            for name, doc in member_docs(f.read().split("\n")).items():
                base_docs.setdefault(name, doc)

    index = ["# Components {#components}", "",
             "Thirty components in four groups; twenty-nine are on the \"JX Tools\" page of "
             "Qt Designer, and the directory list is for applications' own use.", ""]
    for key, title, description, classes in GROUPS:
        group = ["# %s {#group_%s}" % (title, key), "", description, ""]
        index.append("- \\subpage group_%s" % key)
        for cls in classes:
            text, _ = component_page(src, examples, cls, base_docs)
            with open(os.path.join(out_dir, cls + ".md"), "w", encoding="utf-8") as f:
                f.write(text)
            group.append("- \\subpage %s" % page_id(cls))
        with open(os.path.join(out_dir, "group_%s.md" % key), "w", encoding="utf-8") as f:
            f.write("\n".join(group) + "\n")
    with open(os.path.join(out_dir, "components.md"), "w", encoding="utf-8") as f:
        f.write("\n".join(index) + "\n")
    functions_pages(src, out_dir)
    # The design document, as a page of the reference under a fixed name.
    with open(os.path.join(src, "..", "docs", "ARCHITECTURE.md"), encoding="utf-8") as f:
        text = f.read().split("\n")
    text[0] = "# Architecture {#architecture}"
    with open(os.path.join(out_dir, "architecture.md"), "w", encoding="utf-8") as f:
        f.write("\n".join(text))


if __name__ == "__main__":
    main()
