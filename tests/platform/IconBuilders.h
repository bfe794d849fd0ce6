// SPDX-License-Identifier: MIT
// Builders of icon files for tests: icon images of every depth, icon files, and 16-bit icon
// libraries (NE) holding groups of such images. Written from the documented layouts.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QtEndian>

#include <functional>
#include <vector>

namespace jxt::test {

inline void PutU16(QByteArray &a, int at, quint16 v)
{
    qToLittleEndian<quint16>(v, a.data() + at);
}
inline void PutU32(QByteArray &a, int at, quint32 v)
{
    qToLittleEndian<quint32>(v, a.data() + at);
}
inline void AppendU16(QByteArray &a, quint16 v)
{
    a.append(char(v & 0xFF)).append(char(v >> 8));
}
inline void AppendU32(QByteArray &a, quint32 v)
{
    AppendU16(a, quint16(v & 0xFFFF));
    AppendU16(a, quint16(v >> 16));
}

/// One icon image: its size, depth and the bytes of its DIB (or PNG).
struct TIconImageBytes
{
    int width = 0;
    int height = 0;
    int bitCount = 0;
    QByteArray bytes;
};

/// An icon DIB of w x h pixels: pixel(x, y) gives the colour (0xAARRGGBB; alpha 0 marks a
/// transparent pixel through the mask). Depths 1, 4 and 8 use a palette of the first
/// distinct colours of opaque pixels met, 16 uses 5-5-5, 24 and 32 store the colour directly (32
/// keeps the alpha and leaves the mask clear).
inline TIconImageBytes IconDib(int w, int h, int bitCount,
                               const std::function<quint32(int, int)> &pixel)
{
    std::vector<quint32> palette;
    auto index = [&](quint32 c) -> int {
        c |= 0xFF000000u;
        for (std::size_t i = 0; i < palette.size(); ++i)
            if (palette[i] == c)
                return int(i);
        if (int(palette.size()) < (1 << bitCount))
            palette.push_back(c);
        return int(palette.size()) - 1;
    };
    const int colorStride = ((w * bitCount + 31) / 32) * 4;
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray colors(colorStride * h, '\0');
    QByteArray mask(maskStride * h, '\0');
    for (int y = 0; y < h; ++y) {
        const int row = h - 1 - y;
        for (int x = 0; x < w; ++x) {
            const quint32 c = pixel(x, y);
            const bool transparent = (c >> 24) == 0;
            if (transparent && bitCount != 32)
                mask[row * maskStride + x / 8] =
                    char(mask[row * maskStride + x / 8] | (0x80 >> (x % 8)));
            char *p = colors.data() + row * colorStride;
            if (transparent && bitCount <= 8)
                continue; // index 0, whatever colour it is
            switch (bitCount) {
            case 1:
                if (index(c))
                    p[x / 8] = char(p[x / 8] | (0x80 >> (x % 8)));
                break;
            case 4: p[x / 2] = char(p[x / 2] | (index(c) << (x % 2 ? 0 : 4))); break;
            case 8: p[x] = char(index(c)); break;
            case 16: {
                const quint16 v =
                    quint16((((c >> 19) & 31) << 10) | (((c >> 11) & 31) << 5) | ((c >> 3) & 31));
                qToLittleEndian<quint16>(v, p + 2 * x);
                break;
            }
            case 24:
                p[3 * x] = char(c & 0xFF);
                p[3 * x + 1] = char((c >> 8) & 0xFF);
                p[3 * x + 2] = char((c >> 16) & 0xFF);
                break;
            default: qToLittleEndian<quint32>(c, p + 4 * x); break;
            }
        }
    }
    QByteArray dib;
    AppendU32(dib, 40);
    AppendU32(dib, quint32(w));
    AppendU32(dib, quint32(2 * h));
    AppendU16(dib, 1);
    AppendU16(dib, quint16(bitCount));
    for (int i = 0; i < 6; ++i)
        AppendU32(dib, 0);
    if (bitCount <= 8) {
        palette.resize(std::size_t(1) << bitCount, 0xFF000000u);
        for (quint32 c : palette) {
            dib.append(char(c & 0xFF))
                .append(char((c >> 8) & 0xFF))
                .append(char((c >> 16) & 0xFF))
                .append('\0');
        }
    }
    dib += colors;
    dib += mask;
    return {w, h, bitCount, dib};
}

/// An icon file of the given images, in order.
inline QByteArray IcoFile(const std::vector<TIconImageBytes> &images)
{
    QByteArray file;
    AppendU16(file, 0);
    AppendU16(file, 1);
    AppendU16(file, quint16(images.size()));
    int offset = 6 + 16 * int(images.size());
    for (const auto &image : images) {
        file.append(char(image.width >= 256 ? 0 : image.width));
        file.append(char(image.height >= 256 ? 0 : image.height));
        file.append('\0').append('\0');
        AppendU16(file, 1);
        AppendU16(file, quint16(image.bitCount));
        AppendU32(file, quint32(image.bytes.size()));
        AppendU32(file, quint32(offset));
        offset += image.bytes.size();
    }
    for (const auto &image : images)
        file += image.bytes;
    return file;
}

/// A 16-bit (NE) icon library: one icon group per entry of groups, each of its images.
inline QByteArray NeIconLibrary(const std::vector<std::vector<TIconImageBytes>> &groups)
{
    constexpr int kShift = 4;
    QByteArray file(64, '\0');
    PutU16(file, 0, 0x5A4D);
    PutU32(file, 0x3C, 64);
    QByteArray ne(64, '\0');
    PutU16(ne, 0, 0x454E);
    ne[2] = 5;    // linker version
    ne[0x36] = 2; // target: Windows
    // Resource table, right after the header.
    std::vector<QByteArray> groupData;
    std::vector<TIconImageBytes> images;
    std::vector<int> imageIds;
    for (const auto &group : groups) {
        QByteArray g;
        AppendU16(g, 0);
        AppendU16(g, 1);
        AppendU16(g, quint16(group.size()));
        for (const auto &image : group) {
            images.push_back(image);
            const int id = int(images.size());
            g.append(char(image.width >= 256 ? 0 : image.width));
            g.append(char(image.height >= 256 ? 0 : image.height));
            g.append('\0').append('\0');
            AppendU16(g, 1);
            AppendU16(g, quint16(image.bitCount));
            AppendU32(g, quint32(image.bytes.size()));
            AppendU16(g, quint16(id));
        }
        groupData.push_back(g);
    }
    const int tableSize = 2 + 8 + 12 * int(images.size()) + 8 + 12 * int(groups.size()) + 2;
    int dataAt = 64 + 64 + tableSize + 8;
    dataAt = (dataAt + 15) & ~15;
    QByteArray table;
    AppendU16(table, kShift);
    QByteArray data;
    auto place = [&](const QByteArray &bytes) {
        const int at = dataAt + data.size();
        data += bytes;
        while (data.size() % 16)
            data.append('\0');
        return at;
    };
    AppendU16(table, 0x8003);
    AppendU16(table, quint16(images.size()));
    AppendU32(table, 0);
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int at = place(images[i].bytes);
        AppendU16(table, quint16(at >> kShift));
        AppendU16(table, quint16((images[i].bytes.size() + 15) >> kShift));
        AppendU16(table, 0x1C30);
        AppendU16(table, quint16(0x8000 | (i + 1)));
        AppendU32(table, 0);
    }
    AppendU16(table, 0x800E);
    AppendU16(table, quint16(groupData.size()));
    AppendU32(table, 0);
    for (std::size_t i = 0; i < groupData.size(); ++i) {
        const int at = place(groupData[i]);
        AppendU16(table, quint16(at >> kShift));
        AppendU16(table, quint16((groupData[i].size() + 15) >> kShift));
        AppendU16(table, 0x1C30);
        AppendU16(table, quint16(0x8000 | (i + 1)));
        AppendU32(table, 0);
    }
    AppendU16(table, 0);
    PutU16(ne, 0x24, 64);                         // resource table
    PutU16(ne, 0x26, quint16(64 + table.size())); // resident names follow it
    PutU16(ne, 0x28, quint16(64 + table.size() + 2));
    PutU16(ne, 0x2A, quint16(64 + table.size() + 4));
    PutU16(ne, 0x2C, quint16(64 + table.size() + 4));
    file += ne;
    file += table;
    file += QByteArray(4, '\0'); // empty resident-name and module tables
    file.append(QByteArray(dataAt - file.size(), '\0'));
    file += data;
    return file;
}

} // namespace jxt::test
