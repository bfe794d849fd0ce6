// SPDX-License-Identifier: MIT
// Bounded readers of icon files, PE resources and NE resources.
#include "platform/Icons.h"

#include "platform/RegularFile.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace jxt::platform {

namespace {

constexpr int kMaxIconSide = 256;
constexpr int kMaxIconsPerDirectory = 512;
constexpr int kMaxResourceEntries = 4096;
constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupIcon = 14;
constexpr std::uint16_t kRtVersion = 16;

/// A read-only view of bytes whose every read is checked against its length.
class TBytes
{
public:
    TBytes(const char *data, qint64 size)
        : m_data(reinterpret_cast<const unsigned char *>(data)), m_size(size)
    {}
    explicit TBytes(const QByteArray &a) : TBytes(a.constData(), a.size()) {}

    qint64 Size() const { return m_size; }
    const char *At(qint64 offset) const { return reinterpret_cast<const char *>(m_data + offset); }
    bool Has(qint64 offset, qint64 length) const
    {
        return offset >= 0 && length >= 0 && offset <= m_size && length <= m_size - offset;
    }
    std::uint8_t U8(qint64 o) const { return Has(o, 1) ? m_data[o] : 0; }
    std::uint16_t U16(qint64 o) const
    {
        return Has(o, 2) ? std::uint16_t(m_data[o] | (m_data[o + 1] << 8)) : 0;
    }
    std::uint32_t U32(qint64 o) const
    {
        return Has(o, 4)
                   ? std::uint32_t(m_data[o]) | (std::uint32_t(m_data[o + 1]) << 8) |
                         (std::uint32_t(m_data[o + 2]) << 16) | (std::uint32_t(m_data[o + 3]) << 24)
                   : 0;
    }
    std::int32_t I32(qint64 o) const { return std::int32_t(U32(o)); }
    TBytes Sub(qint64 offset, qint64 length) const
    {
        if (!Has(offset, length))
            return TBytes(nullptr, 0);
        return TBytes(At(offset), length);
    }

private:
    const unsigned char *m_data;
    qint64 m_size;
};

QImage DecodePng(const char *data, qint64 size)
{
    QByteArray bytes = QByteArray::fromRawData(data, int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setDecideFormatFromContent(false);
    const QSize s = reader.size();
    if (!s.isValid() || s.width() < 1 || s.height() < 1 || s.width() > kMaxIconSide ||
        s.height() > kMaxIconSide)
        return QImage();
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return QImage();
    return image.convertToFormat(QImage::Format_ARGB32);
}

/// What the header, bit masks and palette of an icon DIB say, and where its pixels begin.
struct TDibLayout
{
    int width = 0;
    int height = 0; // of the picture: half the stored height, which counts the mask too
    int bitCount = 0;
    std::uint32_t masks[3] = {0, 0, 0};
    std::vector<QRgb> palette;
    qint64 pixels = 0; // offset of the colour rows
};

/// The colour channel under mask in value, scaled to 0..255.
int Channel(std::uint32_t value, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1u))
        ++shift;
    const std::uint32_t bits = mask >> shift;
    const std::uint32_t v = (value & mask) >> shift;
    return bits >= 255 ? int((v * 255) / bits) : int((v * 255 + bits / 2) / bits);
}

/// Reads the header (the old core header with 16-bit sizes and 3-byte palette entries, or an
/// info header), the bit masks and the palette; false for anything this reader cannot show.
bool ReadDibLayout(const TBytes &b, TDibLayout &dib)
{
    const std::uint32_t headerSize = b.U32(0);
    int width, height;
    std::uint32_t compression = 0, colorsUsed = 0;
    int paletteEntrySize = 4;
    if (headerSize == 12) {
        if (!b.Has(0, 12))
            return false;
        width = b.U16(4);
        height = std::int16_t(b.U16(6));
        dib.bitCount = b.U16(10);
        paletteEntrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 1024) {
        if (!b.Has(0, headerSize))
            return false;
        width = b.I32(4);
        height = b.I32(8);
        dib.bitCount = b.U16(14);
        compression = b.U32(16);
        colorsUsed = b.U32(32);
    } else {
        return false;
    }
    // Icon DIBs are stored bottom-up with the mask below the colours: the height counts both.
    if (height <= 0 || width <= 0 || width > kMaxIconSide)
        return false;
    dib.width = width;
    dib.height = height / 2;
    if (dib.height < 1 || dib.height > kMaxIconSide)
        return false;
    const int bitCount = dib.bitCount;
    // Compression: none, or bit fields for 16 and 32 bits (the masks follow the header).
    qint64 pos = headerSize;
    if (compression == 3 && (bitCount == 16 || bitCount == 32)) {
        const qint64 at = headerSize >= 52 ? 40 : pos;
        if (!b.Has(at, 12))
            return false;
        for (int i = 0; i < 3; ++i)
            dib.masks[i] = b.U32(at + 4 * i);
        if (headerSize < 52)
            pos += 12;
    } else if (compression != 0) {
        return false;
    } else if (bitCount == 16) {
        dib.masks[0] = 0x7C00;
        dib.masks[1] = 0x03E0;
        dib.masks[2] = 0x001F;
    } else if (bitCount == 32) {
        dib.masks[0] = 0x00FF0000;
        dib.masks[1] = 0x0000FF00;
        dib.masks[2] = 0x000000FF;
    }
    if (bitCount == 1 || bitCount == 4 || bitCount == 8) {
        const std::uint32_t maxColors = 1u << bitCount;
        const std::uint32_t count =
            colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
        if (!b.Has(pos, qint64(count) * paletteEntrySize))
            return false;
        dib.palette.resize(maxColors, qRgb(0, 0, 0));
        for (std::uint32_t i = 0; i < count; ++i) {
            const qint64 e = pos + qint64(i) * paletteEntrySize;
            dib.palette[i] = qRgb(b.U8(e + 2), b.U8(e + 1), b.U8(e));
        }
        pos += qint64(count) * paletteEntrySize;
    } else if (bitCount != 16 && bitCount != 24 && bitCount != 32) {
        return false;
    }
    dib.pixels = pos;
    return true;
}

/// Decodes the colour rows (stored bottom-up) into image; true when a 32-bit image carries
/// alpha anywhere.
bool DecodeDibColours(const TBytes &b, const TDibLayout &dib, qint64 colorStride, QImage &image)
{
    bool anyAlpha = false;
    const int w = dib.width, h = dib.height;
    for (int y = 0; y < h; ++y) {
        const qint64 row = dib.pixels + colorStride * (h - 1 - y);
        QRgb *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            QRgb pixel;
            switch (dib.bitCount) {
            case 1: pixel = dib.palette[(b.U8(row + x / 8) >> (7 - x % 8)) & 1]; break;
            case 4: pixel = dib.palette[(b.U8(row + x / 2) >> (x % 2 ? 0 : 4)) & 0x0F]; break;
            case 8: pixel = dib.palette[b.U8(row + x)]; break;
            case 16: {
                const std::uint32_t v = b.U16(row + 2 * qint64(x));
                pixel = qRgb(Channel(v, dib.masks[0]), Channel(v, dib.masks[1]),
                             Channel(v, dib.masks[2]));
                break;
            }
            case 24: {
                const qint64 p = row + 3 * qint64(x);
                pixel = qRgb(b.U8(p + 2), b.U8(p + 1), b.U8(p));
                break;
            }
            default: { // 32
                const std::uint32_t v = b.U32(row + 4 * qint64(x));
                const int alpha = int(v >> 24);
                anyAlpha = anyAlpha || alpha != 0;
                pixel = qRgba(Channel(v, dib.masks[0]), Channel(v, dib.masks[1]),
                              Channel(v, dib.masks[2]), alpha);
                break;
            }
            }
            if (dib.bitCount != 32)
                pixel |= 0xFF000000u;
            out[x] = pixel;
        }
    }
    return anyAlpha;
}

/// A DIB of double height: colour rows (bottom-up), then the one-bit mask rows.
QImage DecodeDib(const TBytes &b)
{
    TDibLayout dib;
    if (!ReadDibLayout(b, dib))
        return QImage();
    const int w = dib.width, h = dib.height;
    const qint64 colorStride = ((qint64(w) * dib.bitCount + 31) / 32) * 4;
    const qint64 maskStride = ((qint64(w) + 31) / 32) * 4;
    const qint64 colorBytes = colorStride * h;
    if (!b.Has(dib.pixels, colorBytes))
        return QImage();
    // Some writers leave the mask out of 32-bit images; an absent mask then means opaque.
    const bool hasMask = b.Has(dib.pixels + colorBytes, maskStride * h);

    QImage image(w, h, QImage::Format_ARGB32);
    if (image.isNull())
        return QImage();
    const bool anyAlpha = DecodeDibColours(b, dib, colorStride, image);
    // A 32-bit image whose alpha is zero throughout is opaque where the mask says so, as for
    // the other depths.
    if (dib.bitCount == 32 && anyAlpha)
        return image;
    const qint64 maskPos = dib.pixels + colorBytes;
    for (int y = 0; y < h; ++y) {
        QRgb *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        const qint64 row = maskPos + maskStride * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const bool transparent = hasMask && ((b.U8(row + x / 8) >> (7 - x % 8)) & 1);
            out[x] = transparent ? 0u : (out[x] | 0xFF000000u);
        }
    }
    return image;
}

// --- PE ---------------------------------------------------------------------------------------

struct TPeResources
{
    bool valid = false;
    std::uint32_t rva = 0; // resource section start, as relative virtual address
    qint64 fileOffset = 0; // the same place in the file
    qint64 size = 0;       // bytes of the section available in the file
    struct TSection
    {
        std::uint32_t va, vsize, raw, rawSize;
    };
    std::vector<TSection> sections;
};

qint64 PeOffsetOf(const TBytes &b, const TPeResources &pe, std::uint32_t rva, std::uint32_t length)
{
    for (const auto &s : pe.sections) {
        const std::uint64_t extent = std::max(s.vsize, s.rawSize);
        if (rva >= s.va && std::uint64_t(rva) - s.va < extent) {
            const std::uint64_t delta = std::uint64_t(rva) - s.va;
            if (delta + length > s.rawSize)
                return -1;
            const qint64 offset = qint64(s.raw) + qint64(delta);
            return b.Has(offset, length) ? offset : -1;
        }
    }
    return -1;
}

TPeResources ParsePe(const TBytes &b)
{
    TPeResources pe;
    if (b.U16(0) != 0x5A4D) // "MZ"
        return pe;
    const qint64 nt = b.U32(0x3C);
    if (!b.Has(nt, 24) || b.U32(nt) != 0x00004550) // "PE\0\0"
        return pe;
    const int sectionCount = b.U16(nt + 6);
    const int optionalSize = b.U16(nt + 20);
    const qint64 opt = nt + 24;
    if (!b.Has(opt, optionalSize))
        return pe;
    const std::uint16_t magic = b.U16(opt);
    qint64 dirCountAt, dirsAt;
    if (magic == 0x10B) {
        dirCountAt = opt + 92;
        dirsAt = opt + 96;
    } else if (magic == 0x20B) {
        dirCountAt = opt + 108;
        dirsAt = opt + 112;
    } else {
        return pe;
    }
    if (dirCountAt + 4 > opt + optionalSize)
        return pe;
    const std::uint32_t dirCount = b.U32(dirCountAt);
    if (dirCount < 3 || dirsAt + 3 * 8 > opt + optionalSize)
        return pe;
    const std::uint32_t resRva = b.U32(dirsAt + 2 * 8);
    const std::uint32_t resSize = b.U32(dirsAt + 2 * 8 + 4);
    if (resRva == 0 || resSize == 0)
        return pe;
    const qint64 sectionsAt = opt + optionalSize;
    if (!b.Has(sectionsAt, qint64(sectionCount) * 40))
        return pe;
    for (int i = 0; i < sectionCount; ++i) {
        const qint64 s = sectionsAt + qint64(i) * 40;
        pe.sections.push_back({b.U32(s + 12), b.U32(s + 8), b.U32(s + 20), b.U32(s + 16)});
    }
    // The resource directory lies in one section; offsets inside it are relative to its start.
    for (const auto &s : pe.sections) {
        const std::uint64_t extent = std::max(s.vsize, s.rawSize);
        if (resRva >= s.va && std::uint64_t(resRva) - s.va < extent) {
            const std::uint64_t delta = std::uint64_t(resRva) - s.va;
            if (delta >= s.rawSize)
                return pe;
            const qint64 offset = qint64(s.raw) + qint64(delta);
            if (!b.Has(offset, 16))
                return pe;
            pe.rva = resRva;
            pe.fileOffset = offset;
            pe.size = std::min<qint64>(qint64(s.rawSize - delta), b.Size() - offset);
            pe.size = std::min<qint64>(pe.size, std::max<qint64>(resSize, 16));
            pe.valid = true;
            return pe;
        }
    }
    return pe;
}

struct TResEntry
{
    bool named = false;
    std::uint32_t id = 0; // integer id, or the name's offset when named
    bool isDirectory = false;
    std::uint32_t offset = 0; // relative to the resource section
};

/// The entries of the resource directory at `offset` of the resource section, named first
/// then by id, as stored.
std::vector<TResEntry> PeDirectory(const TBytes &res, std::uint32_t offset)
{
    std::vector<TResEntry> entries;
    if (!res.Has(offset, 16))
        return entries;
    const int count = int(res.U16(offset + 12)) + int(res.U16(offset + 14));
    for (int i = 0; i < count && i < kMaxResourceEntries; ++i) {
        const qint64 e = qint64(offset) + 16 + qint64(i) * 8;
        if (!res.Has(e, 8))
            break;
        const std::uint32_t name = res.U32(e);
        const std::uint32_t data = res.U32(e + 4);
        TResEntry entry;
        entry.named = name & 0x80000000u;
        entry.id = name & 0x7FFFFFFFu;
        entry.isDirectory = data & 0x80000000u;
        entry.offset = data & 0x7FFFFFFFu;
        entries.push_back(entry);
    }
    return entries;
}

/// The bytes of the first language of a resource (the entry of level two), or none.
TBytes PeResourceData(const TBytes &b, const TPeResources &pe, const TResEntry &nameEntry)
{
    const TBytes res = b.Sub(pe.fileOffset, pe.size);
    std::uint32_t dataEntry = nameEntry.offset;
    if (nameEntry.isDirectory) {
        const auto languages = PeDirectory(res, nameEntry.offset);
        if (languages.empty() || languages.front().isDirectory)
            return TBytes(nullptr, 0);
        dataEntry = languages.front().offset;
    }
    if (!res.Has(dataEntry, 16))
        return TBytes(nullptr, 0);
    const std::uint32_t rva = res.U32(dataEntry);
    const std::uint32_t size = res.U32(dataEntry + 4);
    const qint64 offset = PeOffsetOf(b, pe, rva, size);
    if (offset < 0)
        return TBytes(nullptr, 0);
    return b.Sub(offset, size);
}

/// The name entries (level two) of a resource type, in directory order.
std::vector<TResEntry> PeResourcesOfType(const TBytes &b, const TPeResources &pe,
                                         std::uint16_t type)
{
    const TBytes res = b.Sub(pe.fileOffset, pe.size);
    for (const TResEntry &t : PeDirectory(res, 0)) {
        if (t.named || t.id != type || !t.isDirectory || t.offset == 0)
            continue;
        return PeDirectory(res, t.offset);
    }
    return {};
}

/// A group icon directory: entries of 14 bytes (12 of image description, then the id of
/// the image's resource as 16 bits).
std::vector<std::uint16_t> GroupImageIds(const TBytes &group)
{
    std::vector<std::uint16_t> ids;
    if (!group.Has(0, 6) || group.U16(0) != 0 || (group.U16(2) != 1 && group.U16(2) != 2))
        return ids;
    const int count = std::min<int>(group.U16(4), kMaxIconsPerDirectory);
    for (int i = 0; i < count; ++i) {
        const qint64 e = 6 + qint64(i) * 14;
        if (!group.Has(e, 14))
            break;
        ids.push_back(group.U16(e + 12));
    }
    return ids;
}

/// The image data of group `index` of a PE file, in the group's order; nothing is decoded.
std::vector<TBytes> PeGroupImageRefs(const TBytes &b, int index)
{
    std::vector<TBytes> refs;
    const TPeResources pe = ParsePe(b);
    if (!pe.valid || index < 0)
        return refs;
    const auto groups = PeResourcesOfType(b, pe, kRtGroupIcon);
    if (index >= int(groups.size()))
        return refs;
    const TBytes group = PeResourceData(b, pe, groups[std::size_t(index)]);
    const auto icons = PeResourcesOfType(b, pe, kRtIcon);
    for (std::uint16_t id : GroupImageIds(group)) {
        for (const TResEntry &icon : icons) {
            if (icon.named || icon.id != id)
                continue;
            refs.push_back(PeResourceData(b, pe, icon));
            break;
        }
    }
    return refs;
}

// --- NE ---------------------------------------------------------------------------------------

struct TNeResource
{
    std::uint16_t type = 0; // with the integer flag 0x8000
    std::uint16_t id = 0;   // with the integer flag 0x8000 for numbered resources
    qint64 offset = 0;
    qint64 length = 0;
};

/// All resources of an NE file's resource table; ok false when the bytes are not NE.
std::vector<TNeResource> NeResources(const TBytes &b, bool &ok)
{
    std::vector<TNeResource> list;
    ok = false;
    if (b.U16(0) != 0x5A4D)
        return list;
    const qint64 ne = b.U32(0x3C);
    if (!b.Has(ne, 64) || b.U16(ne) != 0x454E) // "NE"
        return list;
    ok = true;
    const qint64 table = ne + b.U16(ne + 0x24);
    const qint64 tableEnd = ne + b.U16(ne + 0x26); // the resident-name table follows it
    if (b.U16(ne + 0x24) == b.U16(ne + 0x26) || !b.Has(table, 2))
        return list;
    const int shift = b.U16(table);
    if (shift > 24)
        return list;
    qint64 pos = table + 2;
    while (b.Has(pos, 2) && int(list.size()) < kMaxResourceEntries) {
        const std::uint16_t type = b.U16(pos);
        if (type == 0)
            break;
        if (!b.Has(pos, 8) || (tableEnd > table && pos + 8 > tableEnd))
            break;
        const int count = b.U16(pos + 2);
        pos += 8;
        for (int i = 0; i < count; ++i, pos += 12) {
            if (!b.Has(pos, 12) || int(list.size()) >= kMaxResourceEntries)
                return list;
            TNeResource r;
            r.type = type;
            r.offset = qint64(b.U16(pos)) << shift;
            r.length = qint64(b.U16(pos + 2)) << shift;
            r.id = b.U16(pos + 6);
            list.push_back(r);
        }
    }
    return list;
}

std::vector<TNeResource> NeGroups(const std::vector<TNeResource> &all)
{
    std::vector<TNeResource> groups;
    for (const auto &r : all)
        if (r.type == (0x8000 | kRtGroupIcon))
            groups.push_back(r);
    return groups;
}

/// The image data of group `index` of an NE file, in the group's order; nothing is decoded.
std::vector<TBytes> NeGroupImageRefs(const TBytes &b, int index)
{
    std::vector<TBytes> refs;
    bool ok = false;
    const auto all = NeResources(b, ok);
    const auto groups = NeGroups(all);
    if (!ok || index < 0 || index >= int(groups.size()))
        return refs;
    const TNeResource &g = groups[std::size_t(index)];
    const TBytes group =
        b.Sub(g.offset, std::min(g.length, b.Size() - std::min(g.offset, b.Size())));
    for (std::uint16_t id : GroupImageIds(group)) {
        for (const auto &r : all) {
            if (r.type != (0x8000 | kRtIcon) || (r.id & 0x7FFF) != id)
                continue;
            if (b.Has(r.offset, 0))
                refs.push_back(b.Sub(r.offset, std::min(r.length, b.Size() - r.offset)));
            break;
        }
    }
    return refs;
}

bool LooksLikeIco(const TBytes &b)
{
    if (!b.Has(0, 6) || b.U16(0) != 0 || (b.U16(2) != 1 && b.U16(2) != 2))
        return false;
    const int count = b.U16(4);
    return count > 0 && b.Has(6, qint64(count) * 16);
}

/// The image data an icon file's directory points at, in directory order (a size that runs
/// past the end is cut to the bytes present; the decoder checks what it needs).
std::vector<TBytes> IcoImageRefs(const TBytes &b)
{
    std::vector<TBytes> refs;
    if (!LooksLikeIco(b))
        return refs;
    const int count = std::min<int>(b.U16(4), kMaxIconsPerDirectory);
    for (int i = 0; i < count; ++i) {
        const qint64 e = 6 + qint64(i) * 16;
        const qint64 offset = b.U32(e + 12);
        if (b.Has(offset, 0))
            refs.push_back(b.Sub(offset, std::min<qint64>(b.U32(e + 8), b.Size() - offset)));
    }
    return refs;
}

/// The image data of icon `index` of a file's bytes: an icon file has only index 0.
std::vector<TBytes> IconImageRefs(const QByteArray &data, int index)
{
    const TBytes b(data);
    switch (IconContainerOf(data)) {
    case TIconContainer::Ico: return index == 0 ? IcoImageRefs(b) : std::vector<TBytes>();
    case TIconContainer::Pe: return PeGroupImageRefs(b, index);
    case TIconContainer::Ne: return NeGroupImageRefs(b, index);
    default: return {};
    }
}

bool SameBytes(const TBytes &a, const TBytes &b)
{
    return a.At(0) == b.At(0) && a.Size() == b.Size();
}

/// The size an icon image's own header gives (a PNG's IHDR, a DIB's header), read without
/// decoding it; false when it is no image this reader could show.
bool IconImageSize(const TBytes &ref, int &width, int &height)
{
    if (ref.Has(0, 24) && std::memcmp(ref.At(0), "\x89PNG\r\n\x1a\n", 8) == 0 &&
        std::memcmp(ref.At(12), "IHDR", 4) == 0) {
        const auto be32 = [&](qint64 o) {
            return (std::uint32_t(ref.U8(o)) << 24) | (std::uint32_t(ref.U8(o + 1)) << 16) |
                   (std::uint32_t(ref.U8(o + 2)) << 8) | std::uint32_t(ref.U8(o + 3));
        };
        const std::uint32_t w = be32(16), h = be32(20);
        if (w < 1 || h < 1 || w > kMaxIconSide || h > kMaxIconSide)
            return false;
        width = int(w);
        height = int(h);
        return true;
    }
    TDibLayout dib;
    if (!ReadDibLayout(ref, dib))
        return false;
    width = dib.width;
    height = dib.height;
    return true;
}

/// Decodes every image, each distinct one once: a directory may point at one image many
/// times, and decoding it again would cost time and memory for nothing.
std::vector<QImage> DecodeImages(const std::vector<TBytes> &refs)
{
    std::vector<QImage> images;
    std::vector<std::pair<TBytes, QImage>> decoded;
    for (const TBytes &ref : refs) {
        auto same = std::find_if(decoded.begin(), decoded.end(),
                                 [&](const auto &d) { return SameBytes(d.first, ref); });
        if (same == decoded.end()) {
            decoded.emplace_back(ref, DecodeIconImage(ref.At(0), ref.Size()));
            same = decoded.end() - 1;
        }
        if (!same->second.isNull())
            images.push_back(same->second);
    }
    return images;
}

/// How far an image of `side` pixels is from the size wanted: the nearest wins, a larger one
/// before a smaller one at the same distance.
int SizeDistance(int side, int size)
{
    return side >= size ? 2 * (side - size) : 2 * (size - side) + 1;
}

} // namespace

QImage DecodeIconImage(const char *data, qint64 size)
{
    if (!data || size < 12)
        return QImage();
    if (size >= 8 && std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) == 0)
        return size <= std::numeric_limits<int>::max() ? DecodePng(data, size) : QImage();
    return DecodeDib(TBytes(data, size));
}

std::vector<QImage> ReadIcoImages(const QByteArray &data)
{
    return DecodeImages(IcoImageRefs(TBytes(data)));
}

TIconContainer IconContainerOf(const QByteArray &data)
{
    const TBytes b(data);
    if (LooksLikeIco(b))
        return TIconContainer::Ico;
    if (ParsePe(b).valid ||
        (b.U16(0) == 0x5A4D && b.Has(b.U32(0x3C), 4) && b.U32(b.U32(0x3C)) == 0x00004550))
        return TIconContainer::Pe;
    bool ne = false;
    NeResources(b, ne);
    return ne ? TIconContainer::Ne : TIconContainer::None;
}

int ExeIconGroupCount(const QByteArray &data)
{
    const TBytes b(data);
    switch (IconContainerOf(data)) {
    case TIconContainer::Pe: {
        const TPeResources pe = ParsePe(b);
        return pe.valid ? int(PeResourcesOfType(b, pe, kRtGroupIcon).size()) : 0;
    }
    case TIconContainer::Ne: {
        bool ok = false;
        return int(NeGroups(NeResources(b, ok)).size());
    }
    default: return -1;
    }
}

std::vector<QImage> ExeIconGroupImages(const QByteArray &data, int index)
{
    const TIconContainer kind = IconContainerOf(data);
    if (kind != TIconContainer::Pe && kind != TIconContainer::Ne)
        return {};
    return DecodeImages(IconImageRefs(data, index));
}

QByteArray ExeVersionResource(const QByteArray &data)
{
    const TBytes b(data);
    const TPeResources pe = ParsePe(b);
    if (!pe.valid)
        return QByteArray();
    const auto versions = PeResourcesOfType(b, pe, kRtVersion);
    if (versions.empty())
        return QByteArray();
    const TBytes bytes = PeResourceData(b, pe, versions.front());
    return QByteArray(bytes.At(0), int(bytes.Size()));
}

QImage PickIconImage(const std::vector<QImage> &images, int size)
{
    const QImage *best = nullptr;
    auto distance = [size](const QImage &image) {
        return SizeDistance(std::max(image.width(), image.height()), size);
    };
    for (const QImage &image : images) {
        if (image.isNull())
            continue;
        if (!best || distance(image) < distance(*best) ||
            (distance(image) == distance(*best) && image.depth() > best->depth()))
            best = &image;
    }
    if (!best || size < 1)
        return QImage();
    if (best->width() == size && best->height() == size)
        return *best;
    return best->scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool ReadIconSourceFile(const QString &fileName, QByteArray &data, qint64 maxBytes)
{
    return ReadRegularFile(fileName, data, maxBytes) == TFileAccess::Ok;
}

int FileIconCount(const QString &fileName)
{
    QByteArray data;
    if (!ReadIconSourceFile(fileName, data))
        return 0;
    if (IconContainerOf(data) != TIconContainer::Ico)
        return std::max(0, ExeIconGroupCount(data));
    // Counted from the directory and the images' headers: no image is decoded.
    for (const TBytes &ref : IcoImageRefs(TBytes(data))) {
        int width, height;
        if (IconImageSize(ref, width, height))
            return 1;
    }
    return 0;
}

std::vector<QImage> FileIconImages(const QString &fileName, int index)
{
    QByteArray data;
    if (index < 0 || !ReadIconSourceFile(fileName, data))
        return {};
    return DecodeImages(IconImageRefs(data, index));
}

QImage FileIcon(const QString &fileName, int index, int size)
{
    QByteArray data;
    if (index < 0 || size < 1 || !ReadIconSourceFile(fileName, data))
        return QImage();
    // The image is chosen by the sizes the headers give, as PickIconImage chooses among
    // decoded ones, and only the chosen one is decoded (the next best where that fails).
    struct TCandidate
    {
        TBytes ref;
        int distance;
    };
    std::vector<TCandidate> candidates;
    const std::vector<TBytes> refs = IconImageRefs(data, index);
    for (std::size_t i = 0; i < refs.size(); ++i) {
        int width, height;
        const bool duplicate =
            std::any_of(candidates.begin(), candidates.end(),
                        [&](const TCandidate &c) { return SameBytes(c.ref, refs[i]); });
        if (!duplicate && IconImageSize(refs[i], width, height))
            candidates.push_back({refs[i], SizeDistance(std::max(width, height), size)});
    }
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const TCandidate &a, const TCandidate &b) { return a.distance < b.distance; });
    for (const TCandidate &c : candidates) {
        const QImage image = DecodeIconImage(c.ref.At(0), c.ref.Size());
        if (!image.isNull())
            return PickIconImage({image}, size);
    }
    return QImage();
}

QByteArray EncodeIcoFile(const std::vector<QImage> &images)
{
    if (images.empty() || images.size() > std::size_t(kMaxIconsPerDirectory))
        return QByteArray();
    auto u16 = [](QByteArray &a, int v) { a.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto u32 = [&](QByteArray &a, quint32 v) {
        u16(a, int(v & 0xFFFF));
        u16(a, int(v >> 16));
    };
    std::vector<QByteArray> entries;
    for (const QImage &source : images) {
        if (source.isNull() || source.width() > kMaxIconSide || source.height() > kMaxIconSide)
            return QByteArray();
        const QImage image = source.convertToFormat(QImage::Format_ARGB32);
        const int w = image.width(), h = image.height();
        const int maskStride = ((w + 31) / 32) * 4;
        QByteArray dib;
        u32(dib, 40);
        u32(dib, quint32(w));
        u32(dib, quint32(2 * h));
        u16(dib, 1);
        u16(dib, 32);
        for (int i = 0; i < 6; ++i)
            u32(dib, 0);
        for (int y = h - 1; y >= 0; --y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < w; ++x)
                u32(dib, line[x]);
        }
        for (int y = h - 1; y >= 0; --y) {
            QByteArray row(maskStride, '\0');
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < w; ++x)
                if (qAlpha(line[x]) == 0)
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            dib += row;
        }
        entries.push_back(dib);
    }
    QByteArray file;
    u16(file, 0);
    u16(file, 1);
    u16(file, int(entries.size()));
    quint32 offset = quint32(6 + 16 * entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QImage &image = images[i];
        file.append(char(image.width() >= 256 ? 0 : image.width()));
        file.append(char(image.height() >= 256 ? 0 : image.height()));
        file.append('\0').append('\0');
        u16(file, 1);
        u16(file, 32);
        u32(file, quint32(entries[i].size()));
        u32(file, offset);
        offset += quint32(entries[i].size());
    }
    for (const QByteArray &e : entries)
        file += e;
    return file;
}

bool IsIconContainerFile(const QString &fileName)
{
    QByteArray data;
    return ReadIconSourceFile(fileName, data) && IconContainerOf(data) != TIconContainer::None;
}

} // namespace jxt::platform
