// SPDX-License-Identifier: MIT
// Pixel access and raster operations shared by the canvas and the image classes.
#pragma once

#include "host/Graphics.h"

#include <QImage>
#include <QRect>

#include <cstdint>

namespace jxt::raster {

/// Pixels are handled as 0x00RRGGBB (QRgb without alpha); raster operations are bitwise,
/// so the channel order does not matter to them.
using Pixel = std::uint32_t;

inline Pixel ToPixel(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    return Pixel(GetRValue(rgb)) << 16 | Pixel(GetGValue(rgb)) << 8 | Pixel(GetBValue(rgb));
}

inline TColor FromPixel(Pixel p)
{
    return RGB(int(p >> 16) & 0xFF, int(p >> 8) & 0xFF, int(p) & 0xFF);
}

/// Clipped read and write access to an image. Writes outside the clip are ignored.
class TTarget
{
public:
    TTarget(QImage *image, const QRect &clip);
    bool Valid() const { return m_image && !m_clip.isEmpty(); }
    const QRect &Clip() const { return m_clip; }
    bool InClip(int x, int y) const { return m_clip.contains(x, y); }
    Pixel Get(int x, int y) const;
    /// Unchecked write inside the clip.
    void Put(int x, int y, Pixel p);
    void Set(int x, int y, Pixel p)
    {
        if (InClip(x, y))
            Put(x, y, p);
    }

private:
    QImage *m_image;
    QRect m_clip;
    bool m_direct = false;
    uchar *m_bits = nullptr; ///< first pixel of a 32-bit image, detached once per target
    qsizetype m_stride = 0;
};

/// Binary raster operation of a pen mode.
Pixel Rop2(TPenMode mode, Pixel dst, Pixel pen);
/// Ternary raster operation (the third byte of a copy mode) over pattern, source, destination.
Pixel Rop3(std::uint8_t code, Pixel pat, Pixel src, Pixel dst);
inline std::uint8_t Rop3Code(TCopyMode mode)
{
    return std::uint8_t((mode >> 16) & 0xFF);
}
inline bool Rop3UsesSource(std::uint8_t code)
{
    return ((code >> 2) & 0x33) != (code & 0x33);
}
inline bool Rop3UsesPattern(std::uint8_t code)
{
    return ((code >> 4) & 0x0F) != (code & 0x0F);
}

/// What a brush puts at a device pixel: patterns are aligned to the device origin.
class TBrushPattern
{
public:
    explicit TBrushPattern(const TBrush &brush);
    bool Clear() const { return m_clear; }
    /// False where a hatch leaves the background alone.
    bool At(int x, int y, Pixel &p) const;
    Pixel Color() const { return m_color; }

private:
    bool m_clear = false;
    bool m_solid = true;
    Pixel m_color = 0;
    int m_w = 8, m_h = 8;
    Pixel m_pattern[8][8] = {};
    bool m_set[8][8] = {};
};

/// Copies srcRect of src into dest of target, stretching by nearest neighbour and mirroring
/// when the rectangles' directions differ. Source pixels outside src are left out.
/// keyColor: when given (>= 0 as a Pixel + 1), source pixels of that colour are skipped or,
/// with replace, replaced by the brush.
struct TBlitOptions
{
    std::uint8_t rop = 0xCC;
    const TBrushPattern *brush = nullptr;
    bool hasKey = false;
    Pixel key = 0;
    bool replaceKeyWithBrush = false;
};
void StretchBlit(TTarget &target, const TRect &dest, const QImage &src, const TRect &srcRect,
                 const TBlitOptions &options);

} // namespace jxt::raster
