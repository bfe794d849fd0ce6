#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Writes the eight 8 x 8 fill patterns of the fill styles as 16-colour (4 bits per pixel)
# BMP files with the standard palette, and the resource file that publishes each of them
# under both of its names (the fill image's "JX..." and the form background's "JXF...").
#
#   tools/make_fill_patterns.py [resource-directory]   (default: src/resources)
#
# Letters: K black, G gray, S silver, W white, t teal, A aqua. tests/effects checks the
# compiled resources against the same rows.
import os
import sys

from bmp4 import encode_bmp4

PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
LETTERS = {"K": 0, "t": 6, "S": 7, "G": 8, "A": 14, "W": 15}

# (fill image name, form background name, rows top to bottom)
PATTERNS = [
    ("JXBCYAN", "JXFBCYAN", ["tttttttt", "tWtWtWtW"] * 4),
    ("JXBGRAY", "JXFBGRAY", ["WSWSWSWS", "SSSSSSSS"] * 4),
    ("JXLCYAN", "JXFLCYAN", ["WtWtWtWt", "tWtWtWtW"] * 4),
    ("JXLGRAY", "JXFLGRAY", ["SWSWSWSW", "WSWSWSWS"] * 4),
    ("JXWDGRAY", "JXFWDGRAY", ["KKKKKKSS", "KKKKKSSK", "SSKKSSKK", "KSSKKKKK",
                               "KKSSKKKK", "KKKSSKKK", "SSKKSSKK", "SKKKKKKS"]),
    ("JXWEAVE", "JXFWEAVE", ["KtAtKtAt", "tKtKtKtA", "AtKtAtKt", "tAtKtKtK",
                             "KtAtKtAt", "tKtKtAtK", "AtKtAtKt", "tKtAtKtK"]),
    ("JXWGRAY", "JXFWGRAY", ["GGGGGGSS", "GGGGGSSG", "SSGGSSGG", "GSSGGGGG",
                             "GGSSGGGG", "GGGSSGGG", "SSGGSSGG", "SGGGGGGS"]),
    ("JXWLGRAY", "JXFWLGRAY", ["WWWWWWGG", "WWWWWGGW", "GGWWGGWW", "WGGWWWWW",
                               "WWGGWWWW", "WWWGGWWW", "GGWWGWWW", "GWWWWWWG"]),
]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "src", "resources")
    os.makedirs(os.path.join(out, "patterns"), exist_ok=True)
    entries = []
    for name, form_name, rows in PATTERNS:
        pixels = [[LETTERS[c] for c in row] for row in rows]
        with open(os.path.join(out, "patterns", name + ".bmp"), "wb") as f:
            f.write(encode_bmp4(pixels, PALETTE))
        for alias in (name, form_name):
            entries.append('        <file alias="%s.bmp">patterns/%s.bmp</file>' % (alias, name))
    with open(os.path.join(out, "fillpatterns.qrc"), "w") as f:
        f.write("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/jxt\">\n")
        f.write("\n".join(entries) + "\n")
        f.write("    </qresource>\n</RCC>\n")
    print("wrote %d patterns to %s" % (len(PATTERNS), os.path.normpath(out)))


if __name__ == "__main__":
    main()
