#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Draws the 24 x 24 palette pictures of the registered components and writes them as
# 16-colour (4 bits per pixel) BMP files named after each class in upper case.
#
#   tools/make_palette_bitmaps.py [output-directory]   (default: src/resources/palette)
#
# Pure Python, no dependencies. The bottom-left pixel of every picture is the background
# (silver), which the designer treats as transparent; the pictures themselves use the
# other fifteen colours.
import os
from bmp4 import encode_bmp4
import sys

SIZE = 24

# The sixteen standard colours as (r, g, b), in palette order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
BACKGROUND = SILVER

# A 3 x 5 pixel font for the few letters and digits the pictures show.
FONT = {
    'A': ["010", "101", "111", "101", "101"], 'B': ["110", "101", "110", "101", "110"],
    'C': ["011", "100", "100", "100", "011"], 'F': ["111", "100", "110", "100", "100"],
    'I': ["111", "010", "010", "010", "111"], 'N': ["101", "111", "111", "111", "101"],
    'a': ["000", "011", "101", "101", "011"], 'b': ["100", "110", "101", "101", "110"],
    'c': ["000", "011", "100", "100", "011"], 'f': ["011", "100", "110", "100", "100"],
    '1': ["010", "110", "010", "010", "111"], '2': ["110", "001", "010", "100", "111"],
    '8': ["111", "101", "111", "101", "111"], '?': ["110", "001", "010", "000", "010"],
}


class Picture:
    def __init__(self):
        self.px = [[BACKGROUND] * SIZE for _ in range(SIZE)]

    def set(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def fill(self, x1, y1, x2, y2, c):
        """Fills [x1, x2] x [y1, y2] (inclusive)."""
        for y in range(y1, y2 + 1):
            for x in range(x1, x2 + 1):
                self.set(x, y, c)

    def frame(self, x1, y1, x2, y2, c):
        self.line(x1, y1, x2, y1, c)
        self.line(x1, y2, x2, y2, c)
        self.line(x1, y1, x1, y2, c)
        self.line(x2, y1, x2, y2, c)

    def bevel(self, x1, y1, x2, y2, top=WHITE, bottom=GRAY):
        self.line(x1, y1, x2, y1, top)
        self.line(x1, y1, x1, y2, top)
        self.line(x2, y1, x2, y2, bottom)
        self.line(x1, y2, x2, y2, bottom)

    def box(self, x1, y1, x2, y2, face, outline=BLACK):
        self.fill(x1, y1, x2, y2, face)
        self.frame(x1, y1, x2, y2, outline)

    def line(self, x1, y1, x2, y2, c):
        """Bresenham line including both end points."""
        dx, dy = abs(x2 - x1), -abs(y2 - y1)
        sx, sy = (1 if x1 < x2 else -1), (1 if y1 < y2 else -1)
        err = dx + dy
        while True:
            self.set(x1, y1, c)
            if x1 == x2 and y1 == y2:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x1 += sx
            if e2 <= dx:
                err += dx
                y1 += sy

    def disc(self, cx, cy, r, c, outline=None):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if d <= r * r + r:
                    edge = d > (r - 1) * (r - 1) + (r - 1)
                    self.set(x, y, outline if (outline is not None and edge) else c)

    def text(self, x, y, s, c):
        for ch in s:
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit == '1':
                        self.set(x + col, y + row, c)
            x += 4

    def segments(self, x, y, lit, on=LIME, off=GREEN):
        """A seven-segment digit in a 5 x 9 box; lit is a string of segment letters a-g."""
        shapes = {
            'a': [(x + 1, y), (x + 3, y)], 'b': [(x + 4, y + 1), (x + 4, y + 3)],
            'c': [(x + 4, y + 5), (x + 4, y + 7)], 'd': [(x + 1, y + 8), (x + 3, y + 8)],
            'e': [(x, y + 5), (x, y + 7)], 'f': [(x, y + 1), (x, y + 3)],
            'g': [(x + 1, y + 4), (x + 3, y + 4)],
        }
        for name, ((x1, y1), (x2, y2)) in shapes.items():
            self.line(x1, y1, x2, y2, on if name in lit else off)


def animate(p):
    # A film strip: black with sprocket holes, two frames of a walking figure.
    p.fill(5, 0, 18, 23, BLACK)
    for y in range(1, 24, 3):
        p.set(6, y, WHITE)
        p.set(17, y, WHITE)
    for top in (2, 13):
        p.fill(8, top, 15, top + 8, AQUA)
        p.disc(11, top + 2, 1, RED)
        p.line(11, top + 3, 11, top + 6, NAVY)
        p.line(11, top + 6, 9 if top == 2 else 13, top + 8, NAVY)
        p.line(11, top + 6, 13 if top == 2 else 10, top + 8, NAVY)


def picclip(p):
    # A picture cut into a grid of cells, one cell lifted out.
    p.box(1, 1, 22, 22, WHITE)
    colours = [RED, LIME, BLUE, YELLOW, FUCHSIA, AQUA, OLIVE, TEAL, PURPLE]
    for i, c in enumerate(colours):
        x, y = 2 + (i % 3) * 7, 2 + (i // 3) * 7
        p.fill(x, y, x + 5, y + 5, c)
    p.frame(8, 8, 15, 15, BLACK)
    p.line(9, 16, 16, 16, GRAY)
    p.line(16, 9, 16, 16, GRAY)


def scrolltext(p):
    # Text running through a window, with an arrow showing the direction.
    p.box(0, 4, 23, 15, NAVY)
    p.text(-1, 7, "AbC", YELLOW)
    p.text(11, 7, "ab", YELLOW)
    p.text(19, 7, "A", YELLOW)
    p.line(4, 19, 19, 19, BLACK)
    p.line(4, 19, 7, 16, BLACK)
    p.line(4, 19, 7, 22, BLACK)


def stars(p):
    # A star field: bright stars near the edges, dim ones in the middle.
    p.fill(0, 0, 23, 23, BLACK)
    for x, y, c in [(2, 3, WHITE), (20, 2, WHITE), (21, 19, WHITE), (3, 20, WHITE),
                    (7, 8, GRAY), (15, 7, GRAY), (16, 15, GRAY), (8, 16, GRAY),
                    (11, 11, GRAY), (12, 5, SILVER), (5, 12, SILVER), (18, 11, SILVER)]:
        p.set(x, y, c)
    for cx, cy in [(4, 5), (19, 17)]:
        p.line(cx - 2, cy, cx + 2, cy, YELLOW)
        p.line(cx, cy - 2, cx, cy + 2, YELLOW)
        p.set(cx, cy, WHITE)


def bounce(p):
    # A ball bouncing off the floor, its path dotted.
    p.line(0, 22, 23, 22, BLACK)
    p.fill(0, 23, 23, 23, GRAY)
    for x, y in [(1, 4), (3, 8), (5, 13), (7, 18), (10, 18), (12, 13)]:
        p.set(x, y, NAVY)
    p.disc(17, 8, 5, RED, outline=MAROON)
    p.set(15, 6, WHITE)
    p.set(16, 5, WHITE)


def threed(p):
    # A wire-frame cube.
    p.frame(2, 8, 15, 21, NAVY)
    p.frame(8, 2, 21, 15, BLUE)
    for (x1, y1), (x2, y2) in [((2, 8), (8, 2)), ((15, 8), (21, 2)),
                               ((15, 21), (21, 15)), ((2, 21), (8, 15))]:
        p.line(x1, y1, x2, y2, NAVY)


def wav(p):
    # A loudspeaker and a sound wave.
    p.fill(1, 9, 4, 14, BLACK)
    p.line(5, 9, 9, 4, BLACK)
    p.line(5, 14, 9, 19, BLACK)
    p.line(9, 4, 9, 19, BLACK)
    p.fill(5, 10, 8, 13, GRAY)
    wave = [11, 8, 6, 6, 8, 11, 14, 16, 16, 14, 11, 9, 8]
    for i in range(len(wave) - 1):
        p.line(11 + i, wave[i], 12 + i, wave[i + 1], BLUE)


def gauge(p):
    # A column of boxes, the lower ones lit green, then yellow and red; the rest dark.
    p.box(4, 0, 19, 23, BLACK)
    for i in range(7):
        y = 20 - i * 3
        colour = [LIME, LIME, LIME, YELLOW, RED, GREEN, GREEN][i]
        p.fill(6, y, 17, y + 1, colour)
    p.fill(6, 2, 17, 3, RED)   # the peak held at the top


def lcdpanel(p):
    # Two seven-segment digits on a dark LCD.
    p.box(0, 4, 23, 19, BLACK, outline=GRAY)
    p.segments(3, 7, "abdeg", off=BLACK)     # 2
    p.segments(10, 7, "abcdefg", off=BLACK)  # 8
    p.segments(17, 7, "bc", off=BLACK)       # 1


def dotpanel(p):
    # A dot-matrix display spelling a letter in red dots.
    p.box(0, 1, 23, 22, BLACK, outline=GRAY)
    glyph = ["01110", "10001", "10001", "11111", "10001", "10001", "10001"]
    for row in range(7):
        for col in range(7):
            x, y = 2 + col * 3, 2 + row * 3
            on = 1 <= col <= 5 and glyph[row][col - 1] == '1'
            p.fill(x, y, x + 1, y + 1, RED if on else MAROON)


def threedlabel(p):
    # A letter with a shadow and a lit edge.
    shape = ["0111110", "1100011", "1100011", "1111111", "1100011", "1100011", "1100011"]
    for dx, dy, c in [(3, 3, GRAY), (0, 0, BLUE)]:
        for row, bits in enumerate(shape):
            for col, bit in enumerate(bits):
                if bit == '1':
                    p.fill(2 + col * 2 + dx, 2 + row * 2 + dy, 3 + col * 2 + dx, 3 + row * 2 + dy, c)


def panel(p):
    # A raised panel showing an area chart.
    p.bevel(0, 2, 23, 21)
    p.line(1, 20, 22, 20, GRAY)
    heights = [3, 5, 4, 8, 12, 9, 7, 11, 14, 10, 6, 9, 13, 15, 12, 8, 10, 12, 9, 7]
    for i, h in enumerate(heights):
        x = 2 + i
        p.line(x, 18, x, 18 - h, RED)
    p.line(2, 18, 21, 18, BLACK)


def picbox(p):
    # A list box with thumbnails of pictures.
    p.box(0, 0, 23, 23, WHITE)
    p.fill(19, 1, 22, 22, SILVER)
    p.line(19, 1, 19, 22, BLACK)
    for i, (sky, ground) in enumerate([(AQUA, GREEN), (BLUE, OLIVE), (YELLOW, RED)]):
        y = 2 + i * 7
        p.fill(2, y, 7, y + 2, sky)
        p.fill(2, y + 3, 7, y + 5, ground)
        p.line(9, y + 2, 17, y + 2, GRAY)
    p.fill(1, 8, 18, 14, NAVY)
    p.fill(2, 9, 7, 10, BLUE)
    p.fill(2, 11, 7, 13, OLIVE)
    p.line(9, 11, 17, 11, WHITE)


def icobox(p):
    # A list box of icons.
    p.box(0, 0, 23, 23, WHITE)
    for i, c in enumerate([RED, LIME, BLUE, YELLOW]):
        x, y = 2 + (i % 2) * 11, 2 + (i // 2) * 11
        p.box(x, y, x + 8, y + 8, c)
        p.fill(x + 3, y + 3, x + 5, y + 5, WHITE)
    p.frame(12, 12, 22, 22, NAVY)


def fontcombo(p):
    # A combo box showing font letters and its drop-down button.
    p.box(0, 5, 23, 18, WHITE)
    p.fill(17, 6, 22, 17, SILVER)
    p.bevel(17, 6, 22, 17)
    p.line(18, 11, 21, 11, BLACK)
    p.line(19, 12, 20, 12, BLACK)
    p.text(2, 9, "Ff", BLACK)
    p.fill(10, 8, 11, 15, NAVY)   # a serif "T"
    p.fill(9, 8, 13, 8, NAVY)


def drivetab(p):
    # Tabs along the bottom, the front one with a disk drive.
    p.box(0, 0, 23, 17, WHITE)
    p.box(2, 4, 21, 12, SILVER)
    p.fill(4, 7, 19, 8, BLACK)
    p.set(18, 10, LIME)
    for x1, x2, c in [(0, 9, WHITE), (10, 17, SILVER), (18, 23, SILVER)]:
        p.fill(x1, 17, x2, 22, c)
        p.frame(x1, 17, x2, 22, BLACK)
    p.line(1, 17, 8, 17, WHITE)


def bibtn(p):
    # A button with a lit LED.
    p.fill(1, 3, 22, 20, SILVER)
    p.bevel(1, 3, 22, 20)
    p.line(2, 19, 21, 19, GRAY)
    p.line(21, 4, 21, 19, GRAY)
    p.disc(7, 11, 3, LIME, outline=GREEN)
    p.set(6, 10, WHITE)
    p.text(12, 9, "A", BLACK)
    p.text(16, 9, "a", BLACK)


def autobutton(p):
    # A flat button lighting up under the mouse pointer.
    p.bevel(1, 1, 18, 14)
    p.fill(2, 2, 17, 13, SILVER)
    p.disc(9, 7, 3, YELLOW, outline=OLIVE)
    arrow = ["B", "BB", "BWB", "BWWB", "BWWWB", "BWWWWB", "BWWWWWB", "BWWBBBB", "BWB", "BB", "B"]
    for row, cells in enumerate(arrow):
        for col, cell in enumerate(cells):
            p.set(13 + col, 11 + row, BLACK if cell == "B" else WHITE)


def blinker(p):
    # A lamp switching between two colours, with rays.
    p.disc(11, 10, 6, YELLOW, outline=OLIVE)
    p.fill(9, 17, 13, 20, GRAY)
    p.line(9, 21, 13, 21, BLACK)
    for x1, y1, x2, y2 in [(1, 10, 3, 10), (19, 10, 21, 10), (11, 0, 11, 2),
                           (4, 3, 5, 4), (18, 3, 17, 4), (4, 17, 5, 16), (18, 17, 17, 16)]:
        p.line(x1, y1, x2, y2, RED)
    p.fill(8, 8, 10, 10, OLIVE)


def grabbar(p):
    # Two panes and the bar between them, with the double arrow of the grab cursor.
    p.box(0, 0, 9, 23, WHITE)
    p.box(14, 0, 23, 23, WHITE)
    p.fill(10, 0, 13, 23, SILVER)
    p.bevel(10, 0, 13, 23)
    p.line(3, 12, 20, 12, BLACK)
    p.line(3, 12, 6, 9, BLACK)
    p.line(3, 12, 6, 15, BLACK)
    p.line(20, 12, 17, 9, BLACK)
    p.line(20, 12, 17, 15, BLACK)


def app(p):
    # An application window with a title bar and a notification-area icon.
    p.box(0, 1, 21, 18, WHITE)
    p.fill(1, 2, 20, 4, NAVY)
    p.fill(18, 2, 19, 3, SILVER)
    p.fill(2, 7, 9, 8, GRAY)
    p.fill(2, 11, 14, 12, GRAY)
    p.box(13, 15, 23, 23, SILVER)
    p.disc(18, 19, 2, RED)


def copy(p):
    # Two documents and the arrow from one to the other.
    p.box(0, 0, 10, 13, WHITE)
    for y in (3, 6, 9):
        p.line(2, y, 8, y, GRAY)
    p.box(13, 10, 23, 23, WHITE)
    for y in (13, 16, 19):
        p.line(15, y, 21, y, GRAY)
    p.line(6, 16, 6, 20, BLUE)
    p.line(6, 20, 10, 20, BLUE)
    p.line(8, 18, 10, 20, BLUE)
    p.line(8, 22, 10, 20, BLUE)


def find(p):
    # A magnifying glass over a folder.
    p.box(0, 8, 15, 21, YELLOW, outline=OLIVE)
    p.fill(0, 6, 6, 8, YELLOW)
    p.frame(0, 6, 6, 8, OLIVE)
    p.disc(14, 8, 5, AQUA, outline=BLACK)
    p.set(12, 6, WHITE)
    p.line(17, 12, 22, 17, BLACK)
    p.line(18, 12, 23, 17, BLACK)
    p.line(17, 13, 22, 18, BLACK)


def form(p):
    # A form filled with a colour ramp.
    p.frame(0, 0, 23, 23, BLACK)
    p.fill(1, 1, 22, 3, NAVY)
    ramp = [NAVY, NAVY, BLUE, BLUE, TEAL, AQUA, AQUA]
    for i in range(19):
        p.line(1, 4 + i, 22, 4 + i, ramp[min(6, i // 3)])


def fillimage(p):
    # A picture filled with a pattern and a ramp.
    p.frame(0, 0, 23, 23, BLACK)
    for y in range(1, 23):
        for x in range(1, 23):
            if x < 12:
                p.set(x, y, RED if (x + y) % 4 == 0 else WHITE)
            else:
                p.set(x, y, [MAROON, RED, RED, FUCHSIA][min(3, (y - 1) // 6)])


def fximage(p):
    # A picture fading out: solid on the left, thinning dots to the right.
    p.frame(0, 0, 23, 23, BLACK)
    for y in range(1, 23):
        for x in range(1, 23):
            sky = y < 14
            c = (AQUA if sky else GREEN)
            keep = x < 8 or (x < 14 and (x + y) % 2 == 0) or (x < 19 and (x + 2 * y) % 4 == 0)
            p.set(x, y, c if keep else WHITE)
    p.disc(5, 5, 2, YELLOW)


def hint(p):
    # A hint balloon with its tail, and a question mark.
    p.box(1, 1, 22, 15, YELLOW)
    p.line(5, 15, 5, 21, BLACK)
    p.line(5, 21, 11, 15, BLACK)
    p.fill(6, 15, 6, 19, YELLOW)
    p.fill(7, 15, 8, 17, YELLOW)
    p.line(6, 15, 10, 15, YELLOW)
    p.text(4, 5, "?", BLACK)
    p.line(9, 6, 19, 6, GRAY)
    p.line(9, 9, 17, 9, GRAY)


def ini(p):
    # A settings file: a page with a [section] and key lines.
    p.box(2, 0, 21, 23, WHITE)
    p.line(4, 3, 4, 7, BLUE)
    p.set(5, 3, BLUE)
    p.set(5, 7, BLUE)
    p.line(6, 5, 14, 5, NAVY)
    p.line(16, 3, 16, 7, BLUE)
    p.set(15, 3, BLUE)
    p.set(15, 7, BLUE)
    for y in (11, 15, 19):
        p.line(4, y, 9, y, BLACK)
        p.set(11, y, RED)
        p.line(13, y, 18, y, GRAY)


def printer(p):
    # A printer with a sheet coming out.
    p.box(6, 1, 17, 9, WHITE)
    p.line(8, 4, 15, 4, GRAY)
    p.line(8, 6, 13, 6, GRAY)
    p.box(1, 9, 22, 18, SILVER)
    p.bevel(2, 10, 21, 17)
    p.set(18, 12, LIME)
    p.box(5, 15, 18, 22, WHITE)
    p.line(7, 18, 16, 18, GRAY)
    p.line(7, 20, 14, 20, GRAY)


PICTURES = [
    ("TJXANIMATE", animate), ("TJXPICCLIP", picclip), ("TJXSCROLLTEXT", scrolltext),
    ("TJXSTARS", stars), ("TJXBOUNCE", bounce), ("TJX3D", threed), ("TJXWAV", wav),
    ("TJXGAUGE", gauge), ("TJXLCDPANEL", lcdpanel), ("TJXDOTPANEL", dotpanel),
    ("TJX3DLABEL", threedlabel), ("TJXPANEL", panel), ("TJXPICBOX", picbox),
    ("TJXICOBOX", icobox), ("TJXFONTCOMBO", fontcombo), ("TJXDRIVETAB", drivetab),
    ("TJXBIBTN", bibtn), ("TJXAUTOBUTTON", autobutton), ("TJXBLINKER", blinker),
    ("TJXGRABBAR", grabbar), ("TJXAPP", app), ("TJXCOPY", copy), ("TJXFIND", find),
    ("TJXFORM", form), ("TJXFILLIMAGE", fillimage), ("TJXFXIMAGE", fximage),
    ("TJXHINT", hint), ("TJXINI", ini), ("TJXPRINTER", printer),
]


def bmp4(picture):
    """A 4-bit BMP file (BITMAPINFOHEADER, 16-entry palette, bottom-up rows)."""
    return encode_bmp4(picture.px, PALETTE)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "src", "resources", "palette")
    os.makedirs(out, exist_ok=True)
    for name, draw in PICTURES:
        picture = Picture()
        draw(picture)
        # Keep the bottom-left pixel the background colour: it marks the transparent colour.
        picture.px[SIZE - 1][0] = BACKGROUND
        with open(os.path.join(out, name + ".bmp"), "wb") as f:
            f.write(bmp4(picture))
    print("wrote %d bitmaps to %s" % (len(PICTURES), os.path.normpath(out)))


if __name__ == "__main__":
    main()
