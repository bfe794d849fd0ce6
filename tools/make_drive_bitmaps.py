#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Writes the five 16 x 11 drive pictures of the drive tab set (16-colour BMP files) from the
# tables below. Letters stand for the standard colours: K black, W white, S silver, G gray,
# R red, L lime, N navy, B blue, A aqua, Y yellow, T teal, O olive. The silver background
# is the bottom-left pixel, the colour drawn transparent.
# Usage: make_drive_bitmaps.py OUTDIR
import os
import sys

from bmp4 import encode_bmp4
from make_palette_bitmaps import PALETTE

COLOURS = {"K": 0, "O": 3, "N": 4, "T": 6, "S": 7, "G": 8, "R": 9, "L": 10, "Y": 11,
           "B": 12, "A": 14, "W": 15}

PICTURES = {
    # A 3.5-inch diskette seen from the front: shutter at the top, label below.
    "JXFLOPPY": """
SSSKKKKKKKKKKSSS
SSSKNNGGGGNNKSSS
SSSKNNGKKGNNKSSS
SSSKNNGGGGNNKSSS
SSSKNNNNNNNNKSSS
SSSKNWWWWWWNKSSS
SSSKNWKKKKWNKSSS
SSSKNWWWWWWNKSSS
SSSKNWKKKKWNKSSS
SSSKKKKKKKKKKSSS
SSSSSSSSSSSSSSSS
""",
    # A hard disk drive: a grey box with a green activity light.
    "JXHARD": """
SSSSSSSSSSSSSSSS
SSSSSSSSSSSSSSSS
SKKKKKKKKKKKKKKS
SKWWWWWWWWWWWWKS
SKWSSSSSSSSSSGKS
SKWSSSSSSSSLLGKS
SKWSSSSSSSSSSGKS
SKGGGGGGGGGGGGKS
SKKKKKKKKKKKKKKS
SSSSSSSSSSSSSSSS
SSSSSSSSSSSSSSSS
""",
    # A drive on the network: the drive box on a cable.
    "JXNETWORK": """
SKKKKKKKKKKKKKKS
SKWWWWWWWWWWWWKS
SKWSSSSSSSSLLGKS
SKGGGGGGGGGGGGKS
SKKKKKKKKKKKKKKS
SSSSSSSKKSSSSSSS
SSSSSSSKKSSSSSSS
KKKKKKKKKKKKKKKK
SSSSSSSSSSSSSSSS
SSSSSSSSSSSSSSSS
SSSSSSSSSSSSSSSS
""",
    # A RAM disk: a memory module with its chips and contacts.
    "JXRAM": """
SSSSSSSSSSSSSSSS
SSSSSSSSSSSSSSSS
KKKKKKKKKKKKKKKK
KTTTTTTTTTTTTTTK
KTKKTKKTKKTKKTTK
KTKKTKKTKKTKKTTK
KTTTTTTTTTTTTTTK
KOYOYOYOYOYOYOYK
KKKKKKKKKKKKKKKK
SSSSSSSSSSSSSSSS
SSSSSSSSSSSSSSSS
""",
    # A CD-ROM drive: the drive box with a disc sliding out.
    "JXCDROM": """
SSSSSWWWWWWSSSSS
SSSWWAAAAAAWWSSS
SSWAAAAGGAAAAWSS
SSWAAAGSSGAAAWSS
SKKKKKKKKKKKKKKS
SKWWWWWWWWWWWWKS
SKWSSKKKKKSSLGKS
SKGGGGGGGGGGGGKS
SKKKKKKKKKKKKKKS
SSSSSSSSSSSSSSSS
SSSSSSSSSSSSSSSS
""",
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    for name, table in PICTURES.items():
        rows = [[COLOURS[ch] for ch in line] for line in table.strip().split("\n")]
        assert len(rows) == 11 and all(len(r) == 16 for r in rows), name
        with open(os.path.join(out, name + ".bmp"), "wb") as f:
            f.write(encode_bmp4(rows, PALETTE))


if __name__ == "__main__":
    main()
