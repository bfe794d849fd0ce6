#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Writes src/resources/JXDOTFNT.bmp, the built-in font of the dot-matrix panel: 64 glyphs of
# 7 x 9 dots (21 x 27 pixels) in two rows of 32, as an uncompressed 16-colour BMP.
#
# Usage: tools/make_dotfont.py [output.bmp]
from bmp4 import encode_bmp4
import sys
from pathlib import Path

# Characters in glyph order: blank to "@", "a" to "z", then "[", backslash, "]", "^", "_".
CHARSET = "".join(chr(c) for c in range(32, 65)) + "abcdefghijklmnopqrstuvwxyz" + "[\\]^_"

# Seven rows per glyph, top to bottom; bit 0x10 is the leftmost of the five lit columns.
GLYPHS = {
    " ": "00 00 00 00 00 00 00", "!": "04 04 04 04 04 00 04", '"': "0A 00 00 00 00 00 00",
    "#": "00 0A 1F 0A 1F 0A 00", "$": "04 0F 14 0E 05 1E 04", "%": "00 19 1A 04 0B 13 00",
    "&": "08 14 14 08 15 12 0D", "'": "04 04 00 00 00 00 00", "(": "02 04 08 08 08 04 02",
    ")": "08 04 02 02 02 04 08", "*": "00 00 0A 04 0A 00 00", "+": "00 00 04 0E 04 00 00",
    ",": "00 00 00 00 02 02 04", "-": "00 00 00 0E 00 00 00", ".": "00 00 00 00 00 06 06",
    "/": "00 01 02 04 08 10 00",
    "0": "0E 11 13 15 19 11 0E", "1": "04 0C 04 04 04 04 0E", "2": "0E 11 01 02 04 08 1F",
    "3": "0E 11 01 06 01 11 0E", "4": "02 06 0A 12 1F 02 02", "5": "1F 10 1E 01 01 11 0E",
    "6": "0E 11 10 1E 11 11 0E", "7": "1F 01 01 02 04 04 04", "8": "0E 11 11 0E 11 11 0E",
    "9": "0E 11 11 0F 01 11 0E", ":": "00 00 04 00 04 00 00", ";": "00 00 04 00 04 04 08",
    "<": "02 04 08 10 08 04 02", "=": "00 00 0E 00 0E 00 00", ">": "08 04 02 01 02 04 08",
    "?": "0E 11 01 02 04 00 04",
    "@": "0E 11 15 15 12 10 0E", "a": "0E 11 11 1F 11 11 11", "b": "1E 09 09 0E 09 09 1E",
    "c": "0E 11 10 10 10 11 0E", "d": "1E 09 09 09 09 09 1E", "e": "1F 08 08 0E 08 08 1F",
    "f": "1F 08 08 0E 08 08 08", "g": "0E 11 10 17 11 11 0E", "h": "11 11 11 1F 11 11 11",
    "i": "0E 04 04 04 04 04 0E", "j": "01 01 01 01 01 11 0E", "k": "11 12 14 18 14 12 11",
    "l": "10 10 10 10 10 10 1F", "m": "11 1B 15 11 11 11 11", "n": "11 19 15 13 11 11 11",
    "o": "0E 11 11 11 11 11 0E",
    "p": "1E 09 09 0E 08 08 1C", "q": "0E 11 11 11 11 12 0D", "r": "1E 09 09 0E 0C 0A 09",
    "s": "0E 11 10 0E 01 11 0E", "t": "1F 04 04 04 04 04 04", "u": "11 11 11 11 11 11 0E",
    "v": "11 11 11 11 11 0A 04", "w": "11 11 11 11 11 15 0A", "x": "11 11 0A 04 0A 11 11",
    "y": "11 11 0A 04 04 04 04", "z": "1F 11 02 04 08 11 1F", "[": "0E 08 08 08 08 08 0E",
    "\\": "00 10 08 04 02 01 00", "]": "0E 02 02 02 02 02 0E", "^": "04 0A 00 00 00 00 00",
    "_": "00 00 00 00 00 00 1F",
}

GLYPHS_PER_ROW = 32
DOT_PITCH = 3
CELL_W = 7 * DOT_PITCH  # 7 dots across, the outer ring always unlit
CELL_H = 9 * DOT_PITCH  # 9 dots down
WIDTH = GLYPHS_PER_ROW * CELL_W
HEIGHT = (len(CHARSET) // GLYPHS_PER_ROW) * CELL_H

# The standard 16-colour palette as (blue, green, red); the font uses three of its entries.
PALETTE = [
    (0x00, 0x00, 0x00), (0x00, 0x00, 0x80), (0x00, 0x80, 0x00), (0x00, 0x80, 0x80),
    (0x80, 0x00, 0x00), (0x80, 0x00, 0x80), (0x80, 0x80, 0x00), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0x00, 0x00, 0xFF), (0x00, 0xFF, 0x00), (0x00, 0xFF, 0xFF),
    (0xFF, 0x00, 0x00), (0xFF, 0x00, 0xFF), (0xFF, 0xFF, 0x00), (0xFF, 0xFF, 0xFF),
]
BACKGROUND = 0  # black
UNLIT = 2  # dark green
LIT = 10  # lime


def render():
    """Returns the font as rows (top first) of palette indexes."""
    pixels = [[BACKGROUND] * WIDTH for _ in range(HEIGHT)]
    for index, char in enumerate(CHARSET):
        rows = [int(v, 16) for v in GLYPHS[char].split()]
        if len(rows) != 7 or any(r > 0x1F for r in rows):
            raise ValueError(f"bad glyph for {char!r}")
        left = (index % GLYPHS_PER_ROW) * CELL_W
        top = (index // GLYPHS_PER_ROW) * CELL_H
        for dy in range(9):
            for dx in range(7):
                lit = 1 <= dy <= 7 and 1 <= dx <= 5 and rows[dy - 1] & (0x10 >> (dx - 1))
                x = left + dx * DOT_PITCH
                y = top + dy * DOT_PITCH
                if lit:
                    for oy in (1, 2):
                        for ox in (1, 2):
                            pixels[y + oy][x + ox] = LIT
                else:
                    pixels[y + 1][x + 1] = UNLIT
                    pixels[y + 2][x + 2] = UNLIT
    return pixels


def bmp_bytes(pixels):
    """Encodes the rows as a bottom-up, uncompressed 4-bit BMP."""
    return encode_bmp4(pixels, [(r, g, b) for b, g, r in PALETTE])


def main(argv):
    if len(CHARSET) != 64 or set(CHARSET) != set(GLYPHS):
        raise SystemExit("character set and glyph table disagree")
    default = Path(__file__).resolve().parent.parent / "src" / "resources" / "JXDOTFNT.bmp"
    out = Path(argv[1]) if len(argv) > 1 else default
    out.write_bytes(bmp_bytes(render()))
    print(f"wrote {out} ({WIDTH} x {HEIGHT})")


if __name__ == "__main__":
    main(sys.argv)
