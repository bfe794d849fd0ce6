// SPDX-License-Identifier: MIT
// Pixel access, raster operations, brush patterns and stretching copies.
#include "host/graphics/CanvasRaster.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace jxt::raster {

TTarget::TTarget(QImage *image, const QRect &clip) : m_image(image)
{
    if (!image || image->isNull())
        return;
    m_clip = clip.intersected(image->rect());
    const QImage::Format f = image->format();
    m_direct = f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
               f == QImage::Format_ARGB32_Premultiplied;
    if (m_direct && !m_clip.isEmpty()) {
        // bits() detaches a shared image once here, instead of scanLine() checking on every
        // pixel written.
        m_bits = image->bits();
        m_stride = image->bytesPerLine();
    }
}

Pixel TTarget::Get(int x, int y) const
{
    if (m_bits)
        return reinterpret_cast<const QRgb *>(m_bits + y * m_stride)[x] & 0x00FFFFFF;
    return m_image->pixel(x, y) & 0x00FFFFFF;
}

void TTarget::Put(int x, int y, Pixel p)
{
    if (m_bits) {
        reinterpret_cast<QRgb *>(m_bits + y * m_stride)[x] = 0xFF000000u | p;
        return;
    }
    if (m_image->format() == QImage::Format_Mono || m_image->format() == QImage::Format_MonoLSB ||
        m_image->format() == QImage::Format_Indexed8) {
        // Indexed images take the index of the nearest colour of their table.
        const QVector<QRgb> table = m_image->colorTable();
        int best = 0;
        int bestDistance = INT32_MAX;
        for (int i = 0; i < table.size(); ++i) {
            const QRgb c = table[i];
            const int d = qAbs(qRed(c) - int(p >> 16 & 0xFF)) +
                          qAbs(qGreen(c) - int(p >> 8 & 0xFF)) + qAbs(qBlue(c) - int(p & 0xFF));
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        m_image->setPixel(x, y, uint(best));
        return;
    }
    m_image->setPixel(x, y, 0xFF000000u | p);
}

void TTarget::FillRow(int y, int x0, int x1, Pixel p)
{
    if (x0 >= x1)
        return;
    if (QRgb *line = Line(y)) {
        // A few pixels are stored one by one, then the filled part is copied onto the rest,
        // doubling each time: block copies are far faster than single stores.
        QRgb *start = line + x0;
        const std::size_t n = std::size_t(x1 - x0);
        const std::size_t first = std::min<std::size_t>(n, 16);
        std::fill(start, start + first, 0xFF000000u | p);
        for (std::size_t done = first; done < n;) {
            const std::size_t step = std::min(done, n - done);
            std::memcpy(start + done, start, step * sizeof(QRgb));
            done += step;
        }
        return;
    }
    for (int x = x0; x < x1; ++x)
        Put(x, y, p);
}

Pixel Rop2(TPenMode mode, Pixel dst, Pixel pen)
{
    Pixel r = 0;
    switch (mode) {
    case pmBlack: r = 0; break;
    case pmWhite: r = ~Pixel(0); break;
    case pmNop: r = dst; break;
    case pmNot: r = ~dst; break;
    case pmCopy: r = pen; break;
    case pmNotCopy: r = ~pen; break;
    case pmMergePenNot: r = pen | ~dst; break;
    case pmMaskPenNot: r = pen & ~dst; break;
    case pmMergeNotPen: r = ~pen | dst; break;
    case pmMaskNotPen: r = ~pen & dst; break;
    case pmMerge: r = pen | dst; break;
    case pmNotMerge: r = ~(pen | dst); break;
    case pmMask: r = pen & dst; break;
    case pmNotMask: r = ~(pen & dst); break;
    case pmXor: r = pen ^ dst; break;
    case pmNotXor: r = ~(pen ^ dst); break;
    }
    return r & 0x00FFFFFF;
}

Pixel Rop3(std::uint8_t code, Pixel pat, Pixel src, Pixel dst)
{
    Pixel r = 0;
    switch (code) {
    case 0x00: r = 0; break;
    case 0xFF: r = ~Pixel(0); break;
    case 0xCC: r = src; break;
    case 0x33: r = ~src; break;
    case 0x88: r = src & dst; break;
    case 0xEE: r = src | dst; break;
    case 0x66: r = src ^ dst; break;
    case 0x44: r = src & ~dst; break;
    case 0xBB: r = ~src | dst; break;
    case 0x11: r = ~(src | dst); break;
    case 0x55: r = ~dst; break;
    case 0xAA: r = dst; break;
    case 0xF0: r = pat; break;
    case 0x5A: r = pat ^ dst; break;
    case 0xC0: r = pat & src; break;
    default:
        // Any other operation from its truth table: bit (P<<2 | S<<1 | D) of the code.
        for (int i = 0; i < 8; ++i) {
            if (!(code >> i & 1))
                continue;
            r |= ((i & 4) ? pat : ~pat) & ((i & 2) ? src : ~src) & ((i & 1) ? dst : ~dst);
        }
        break;
    }
    return r & 0x00FFFFFF;
}

namespace {

// Hatch rows, one bit per column (bit 0 = column 0), repeating every 8 pixels.
const std::uint8_t kHatches[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00}, // bsHorizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // bsVertical
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // bsFDiagonal "\"
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // bsBDiagonal "/"
    {0x08, 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08}, // bsCross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // bsDiagCross
};

} // namespace

TBrushPattern::TBrushPattern(const TBrush &brush)
{
    m_color = ToPixel(brush.Color());
    if (brush.Style() == bsClear) {
        m_clear = true;
        return;
    }
    if (const TBitmap *bitmap = brush.Bitmap(); bitmap && !bitmap->Empty()) {
        m_solid = false;
        m_w = std::min(8, bitmap->Width());
        m_h = std::min(8, bitmap->Height());
        const QImage &image = bitmap->Image();
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x) {
                m_pattern[y][x] = image.pixel(x, y) & 0x00FFFFFF;
                m_set[y][x] = true;
            }
        return;
    }
    if (brush.Style() == bsSolid)
        return;
    m_solid = false;
    const std::uint8_t *rows = kHatches[brush.Style() - bsHorizontal];
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            m_set[y][x] = (rows[y] >> x) & 1;
            m_pattern[y][x] = m_color;
        }
}

bool TBrushPattern::At(int x, int y, Pixel &p) const
{
    if (m_clear)
        return false;
    if (m_solid) {
        p = m_color;
        return true;
    }
    const int px = ((x % m_w) + m_w) % m_w;
    const int py = ((y % m_h) + m_h) % m_h;
    if (!m_set[py][px])
        return false;
    p = m_pattern[py][px];
    return true;
}

namespace {

/// How a stretched copy maps the destination to the source: the destination pixels inside the
/// clip ([x0, x1) x [y0, y1)) and, for each destination column or row, the source column or row
/// under its centre (mirrored where the two rectangles run in opposite directions).
struct TStretchMap
{
    long long dl = 0, dt = 0, adw = 0, adh = 0;
    long long sl = 0, st = 0, asw = 0, ash = 0;
    bool flipX = false, flipY = false;
    long long x0 = 0, x1 = 0, y0 = 0, y1 = 0;

    long long SourceX(long long x) const
    {
        long long j = x - dl;
        if (flipX)
            j = adw - 1 - j;
        return sl + ((2 * j + 1) * asw) / (2 * adw);
    }
    long long SourceY(long long y) const
    {
        long long k = y - dt;
        if (flipY)
            k = adh - 1 - k;
        return st + ((2 * k + 1) * ash) / (2 * adh);
    }
};

/// Fills map for a copy of srcRect onto dest inside clip; false when nothing is to be drawn.
bool MakeStretchMap(const TRect &dest, const TRect &srcRect, const QRect &clip, TStretchMap &map)
{
    const long long dw = (long long)dest.Right - dest.Left;
    const long long dh = (long long)dest.Bottom - dest.Top;
    const long long sw = (long long)srcRect.Right - srcRect.Left;
    const long long sh = (long long)srcRect.Bottom - srcRect.Top;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0)
        return false;
    map.flipX = (dw < 0) != (sw < 0);
    map.flipY = (dh < 0) != (sh < 0);
    map.adw = dw < 0 ? -dw : dw;
    map.adh = dh < 0 ? -dh : dh;
    map.asw = sw < 0 ? -sw : sw;
    map.ash = sh < 0 ? -sh : sh;
    map.dl = std::min<long long>(dest.Left, dest.Right);
    map.dt = std::min<long long>(dest.Top, dest.Bottom);
    map.sl = std::min<long long>(srcRect.Left, srcRect.Right);
    map.st = std::min<long long>(srcRect.Top, srcRect.Bottom);
    map.x0 = std::max<long long>(map.dl, clip.left());
    map.x1 = std::min<long long>(map.dl + map.adw, (long long)clip.right() + 1);
    map.y0 = std::max<long long>(map.dt, clip.top());
    map.y1 = std::min<long long>(map.dt + map.adh, (long long)clip.bottom() + 1);
    return map.x0 < map.x1 && map.y0 < map.y1;
}

/// A plain copy (the common case of composing off-screen pictures): each source column is
/// looked up once, and the pixels are written without the raster-operation machinery.
void PlainStretch(TTarget &target, const TStretchMap &map, const QImage &source)
{
    const long long srcW = source.width(), srcH = source.height();
    std::vector<long long> columns(std::size_t(map.x1 - map.x0));
    for (long long x = map.x0; x < map.x1; ++x) {
        const long long sx = map.SourceX(x);
        columns[std::size_t(x - map.x0)] = sx >= 0 && sx < srcW ? sx : -1;
    }
    for (long long y = map.y0; y < map.y1; ++y) {
        const long long sy = map.SourceY(y);
        if (sy < 0 || sy >= srcH)
            continue;
        const QRgb *srcLine = reinterpret_cast<const QRgb *>(source.constScanLine(int(sy)));
        for (long long x = map.x0; x < map.x1; ++x) {
            const long long sx = columns[std::size_t(x - map.x0)];
            if (sx >= 0)
                target.Put(int(x), int(y), srcLine[sx] & 0x00FFFFFF);
        }
    }
}

/// Every other copy: the raster operation of brush, source and destination per pixel, with
/// the transparent key colour left out or replaced by the brush pattern.
void RopStretch(TTarget &target, const TStretchMap &map, const QImage &source, bool usesSource,
                const TBlitOptions &options)
{
    const long long srcW = source.width(), srcH = source.height();
    for (long long y = map.y0; y < map.y1; ++y) {
        const long long sy = map.SourceY(y);
        const bool rowInside = sy >= 0 && sy < srcH;
        if (usesSource && !rowInside)
            continue;
        const QRgb *srcLine =
            usesSource ? reinterpret_cast<const QRgb *>(source.constScanLine(int(sy))) : nullptr;
        for (long long x = map.x0; x < map.x1; ++x) {
            Pixel s = 0;
            if (usesSource) {
                const long long sx = map.SourceX(x);
                if (sx < 0 || sx >= srcW)
                    continue;
                s = srcLine[sx] & 0x00FFFFFF;
            }
            Pixel p = 0;
            const bool hasPattern =
                options.brush &&
                options.brush->At(int(options.scale.Logical(x)), int(options.scale.Logical(y)), p);
            if (!hasPattern)
                p = options.brush ? options.brush->Color() : 0;
            if (options.hasKey && s == options.key) {
                if (!options.replaceKeyWithBrush)
                    continue;
                if (!hasPattern)
                    continue;
                target.Put(int(x), int(y), p);
                continue;
            }
            const Pixel d = target.Get(int(x), int(y));
            target.Put(int(x), int(y), Rop3(options.rop, p, s, d));
        }
    }
}

} // namespace

void StretchBlit(TTarget &target, const TRect &dest, const QImage &src, const TRect &srcRect,
                 const TBlitOptions &options)
{
    TStretchMap map;
    if (!target.Valid() || !MakeStretchMap(dest, srcRect, target.Clip(), map))
        return;
    const bool usesSource = Rop3UsesSource(options.rop) || options.hasKey;
    const QImage source = usesSource && src.format() != QImage::Format_RGB32 &&
                                  src.format() != QImage::Format_ARGB32 &&
                                  src.format() != QImage::Format_ARGB32_Premultiplied
                              ? src.convertToFormat(QImage::Format_RGB32)
                              : src;
    if (options.rop == 0xCC && !options.hasKey)
        PlainStretch(target, map, source);
    else
        RopStretch(target, map, source, usesSource, options);
}

} // namespace jxt::raster
