#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Writes the sample icon containers of the gallery and the fuzz seeds: icons drawn here from
# simple shapes, stored as an icon file, a 16-bit icon library (NE) and a 64-bit Windows
# library (PE) whose resources hold three icon groups. Usage: make-sample-icons.py OUTDIR
import struct
import sys
from pathlib import Path


def dib(w, h, bits, pixel):
    """An icon DIB (colour rows bottom-up, then the mask); pixel(x, y) -> (r, g, b) or None."""
    palette = []

    def index(c):
        if c not in palette and len(palette) < (1 << bits):
            palette.append(c)
        return palette.index(c) if c in palette else len(palette) - 1

    cstride = ((w * bits + 31) // 32) * 4
    mstride = ((w + 31) // 32) * 4
    colors = bytearray(cstride * h)
    mask = bytearray(mstride * h)
    for y in range(h):
        row = h - 1 - y
        for x in range(w):
            c = pixel(x, y)
            if c is None:
                mask[row * mstride + x // 8] |= 0x80 >> (x % 8)
                if bits == 32:
                    struct.pack_into('<I', colors, row * cstride + 4 * x, 0)
                continue
            r, g, b = c
            base = row * cstride
            if bits == 4:
                colors[base + x // 2] |= index(c) << (0 if x % 2 else 4)
            elif bits == 8:
                colors[base + x] = index(c)
            elif bits == 24:
                colors[base + 3 * x:base + 3 * x + 3] = bytes((b, g, r))
            else:
                struct.pack_into('<I', colors, base + 4 * x, 0xFF000000 | (r << 16) | (g << 8) | b)
    head = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, bits, 0, 0, 0, 0, 0, 0)
    pal = b''
    if bits <= 8:
        palette += [(0, 0, 0)] * ((1 << bits) - len(palette))
        pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    return (w, h, bits, head + pal + bytes(colors) + bytes(mask))


def disc(colour):
    def pixel(x, y, size):
        c = (size - 1) / 2
        d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
        if d > size / 2 - 1:
            return None
        return (0, 0, 0) if d > size / 2 - 3 else colour
    return pixel


def square(colour):
    def pixel(x, y, size):
        m = size // 8
        if x < m or y < m or x >= size - m or y >= size - m:
            return None
        return (255, 255, 255) if (x // (size // 4) + y // (size // 4)) % 2 else colour
    return pixel


def triangle(colour):
    def pixel(x, y, size):
        if y < size // 8 or y >= size - size // 8:
            return None
        half = (y - size // 8) / 2
        if abs(x - size / 2) > half:
            return None
        return colour
    return pixel


SHAPES = [disc((200, 30, 30)), square((30, 90, 200)), triangle((40, 160, 60))]


def group_images(shape, depths=((16, 8), (32, 4), (32, 24), (48, 32))):
    return [dib(s, s, bits, lambda x, y, s=s: shape(x, y, s)) for (s, bits) in depths]


def ico(images):
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (w, h, bits, data) in images:
        out += struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b''.join(d for (_, _, _, d) in images)


def group_dir(images, first_id):
    out = struct.pack('<HHH', 0, 1, len(images))
    for i, (w, h, bits, data) in enumerate(images):
        out += struct.pack('<BBBBHHIH', w % 256, h % 256, 0, 0, 1, bits, len(data), first_id + i)
    return out


def ne_library(groups):
    shift = 4
    images = [im for g in groups for im in g]
    table_size = 2 + 8 + 12 * len(images) + 8 + 12 * len(groups) + 2
    data_at = (64 + 64 + table_size + 4 + 15) & ~15
    data = bytearray()

    def place(blob):
        at = data_at + len(data)
        data.extend(blob)
        while len(data) % 16:
            data.append(0)
        return at

    table = struct.pack('<H', shift) + struct.pack('<HHI', 0x8003, len(images), 0)
    for i, (_, _, _, blob) in enumerate(images):
        at = place(blob)
        table += struct.pack('<HHHHI', at >> shift, (len(blob) + 15) >> shift, 0x1C30, 0x8000 | (i + 1), 0)
    table += struct.pack('<HHI', 0x800E, len(groups), 0)
    first = 1
    for i, g in enumerate(groups):
        blob = group_dir(g, first)
        first += len(g)
        at = place(blob)
        table += struct.pack('<HHHHI', at >> shift, (len(blob) + 15) >> shift, 0x1C30, 0x8000 | (i + 1), 0)
    table += struct.pack('<H', 0)
    mz = bytearray(64)
    mz[0:2] = b'MZ'
    struct.pack_into('<I', mz, 0x3C, 64)
    ne = bytearray(64)
    ne[0:2] = b'NE'
    ne[2] = 5
    ne[0x36] = 2
    struct.pack_into('<HHHHH', ne, 0x24, 64, 64 + len(table), 66 + len(table), 68 + len(table), 68 + len(table))
    out = bytes(mz) + bytes(ne) + table + bytes(4)
    out += bytes(data_at - len(out))
    return out + bytes(data)


def pe_library(groups):
    """A 64-bit DLL with only a resource section: types RT_ICON (3) and RT_GROUP_ICON (14)."""
    images = [im for g in groups for im in g]
    section_rva = 0x1000
    # Directory layout: root (2 types), per type a name directory, per name a language
    # directory, then data entries, then the data itself.
    entries = []  # (type, id, blob)
    for i, (_, _, _, blob) in enumerate(images):
        entries.append((3, i + 1, blob))
    first = 1
    for i, g in enumerate(groups):
        entries.append((14, i + 1, group_dir(g, first)))
        first += len(g)
    types = [3, 14]
    by_type = {t: [e for e in entries if e[0] == t] for t in types}
    root_size = 16 + 8 * len(types)
    name_dirs = {}
    pos = root_size
    for t in types:
        name_dirs[t] = pos
        pos += 16 + 8 * len(by_type[t])
    lang_dirs = {}
    for e in entries:
        lang_dirs[(e[0], e[1])] = pos
        pos += 16 + 8
    data_entries = {}
    for e in entries:
        data_entries[(e[0], e[1])] = pos
        pos += 16
    blobs = {}
    for e in entries:
        pos = (pos + 7) & ~7
        blobs[(e[0], e[1])] = pos
        pos += len(e[2])
    res = bytearray(pos)
    struct.pack_into('<IIHHHH', res, 0, 0, 0, 0, 0, 0, len(types))
    for i, t in enumerate(types):
        struct.pack_into('<II', res, 16 + 8 * i, t, 0x80000000 | name_dirs[t])
        struct.pack_into('<IIHHHH', res, name_dirs[t], 0, 0, 0, 0, 0, len(by_type[t]))
        for j, e in enumerate(by_type[t]):
            struct.pack_into('<II', res, name_dirs[t] + 16 + 8 * j, e[1], 0x80000000 | lang_dirs[(t, e[1])])
    for e in entries:
        k = (e[0], e[1])
        struct.pack_into('<IIHHHH', res, lang_dirs[k], 0, 0, 0, 0, 0, 1)
        struct.pack_into('<II', res, lang_dirs[k] + 16, 0x409, data_entries[k])
        struct.pack_into('<IIII', res, data_entries[k], section_rva + blobs[k], len(e[2]), 0, 0)
        res[blobs[k]:blobs[k] + len(e[2])] = e[2]
    raw_size = (len(res) + 511) & ~511
    res += bytes(raw_size - len(res))

    mz = bytearray(64)
    mz[0:2] = b'MZ'
    struct.pack_into('<I', mz, 0x3C, 64)
    opt_size = 112 + 16 * 8
    coff = struct.pack('<4sHHIIIHH', b'PE\0\0', 0x8664, 1, 0, 0, 0, opt_size, 0x2022)
    opt = bytearray(opt_size)
    struct.pack_into('<H', opt, 0, 0x20B)
    struct.pack_into('<Q', opt, 24, 0x180000000)  # image base
    struct.pack_into('<II', opt, 32, 0x1000, 0x200)  # section and file alignment
    struct.pack_into('<HH', opt, 48, 6, 0)  # subsystem version
    struct.pack_into('<II', opt, 56, section_rva + ((len(res) + 0xFFF) & ~0xFFF), 0x200)
    struct.pack_into('<H', opt, 68, 2)  # subsystem: GUI
    struct.pack_into('<I', opt, 108, 16)
    struct.pack_into('<II', opt, 112 + 2 * 8, section_rva, len(res))
    section = struct.pack('<8sIIIIIIHHI', b'.rsrc', len(res), section_rva, raw_size, 0x200, 0, 0, 0, 0, 0x40000040)
    head = bytes(mz) + coff + bytes(opt) + section
    head += bytes(0x200 - len(head))
    return head + bytes(res)


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else '.')
    out.mkdir(parents=True, exist_ok=True)
    groups = [group_images(shape) for shape in SHAPES]
    (out / 'shapes.ico').write_bytes(ico(groups[0]))
    (out / 'shapes.icl').write_bytes(ne_library(groups))
    (out / 'shapes.dll').write_bytes(pe_library(groups))


if __name__ == '__main__':
    main()
