# SPDX-License-Identifier: MIT
# Writes 16-colour (4-bit) BMP files, the format of the library's bitmap resources.
import struct


def encode_bmp4(rows, palette):
    """Encodes rows (top to bottom, each a list of palette indexes 0..15) with palette
    (sixteen (r, g, b) tuples) as an uncompressed, bottom-up 4-bit BMP file."""
    height = len(rows)
    width = len(rows[0]) if rows else 0
    row_bytes = ((width * 4 + 31) // 32) * 4
    body = bytearray()
    for row in reversed(rows):
        packed = bytearray(row_bytes)
        for x, index in enumerate(row):
            packed[x // 2] |= (index & 0x0F) << (4 if x % 2 == 0 else 0)
        body += packed
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(body), 3780, 3780, 16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    return header + info + colours + bytes(body)
