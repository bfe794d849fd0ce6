// SPDX-License-Identifier: MIT
// Pixel access and raster operations shared by the canvas and the image classes.
#pragma once

#include "host/graphics/Graphics.h"

#include <QImage>
#include <QRect>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace jxt::raster {

/// Where the logical pixels of an image kept at a device pixel ratio lie: logical pixel x
/// covers the device columns [Edge(x), Edge(x + 1)), a block of whole device pixels, so the
/// pixel rules of the canvas hold in logical units at any ratio. Ratios below 1 are taken
/// as 1 (every logical pixel keeps at least one device pixel).
class TScale
{
public:
    explicit TScale(double ratio = 1.0)
    {
        if (!(ratio > 1.0))
            return; // 1, below 1 or not a number
        m_ratio = std::min(ratio, 64.0);
        m_unit = false;
        const double whole = std::round(m_ratio);
        if (std::abs(m_ratio - whole) < 1e-9)
            m_factor = (long long)whole;
    }
    /// The scale of an image: its device pixel ratio.
    static TScale Of(const QImage *image)
    {
        return TScale(image && !image->isNull() ? image->devicePixelRatio() : 1.0);
    }
    bool Unit() const { return m_unit; }
    double Ratio() const { return m_ratio; }
    /// Device pixels per logical pixel when that is a whole number (1 at ratio 1), else 0.
    int Whole() const { return m_unit ? 1 : int(m_factor); }
    /// The device coordinate of logical coordinate v.
    long long Edge(long long v) const
    {
        if (m_unit)
            return v;
        if (m_factor)
            return v * m_factor;
        return (long long)std::floor(double(v) * m_ratio + 0.5);
    }
    /// The logical pixel that holds device pixel d.
    long long Logical(long long d) const
    {
        if (m_unit)
            return d;
        if (m_factor)
            return d >= 0 ? d / m_factor : -((-d + m_factor - 1) / m_factor);
        return (long long)std::ceil((double(d) + 0.5) / m_ratio) - 1;
    }
    /// The logical extent of n device pixels of an image at this scale.
    int LogicalSize(int n) const { return m_unit ? n : int(std::lround(n / m_ratio)); }
    /// The device size that holds n logical pixels.
    int DeviceSize(int n) const { return int(std::clamp<long long>(Edge(n), 0, INT_MAX)); }
    /// The device rectangle of a logical one (edges mapped, so mirrored rectangles stay
    /// mirrored), held inside the coordinate range.
    TRect ToDevice(const TRect &r) const
    {
        if (m_unit)
            return r;
        auto held = [this](int v) { return int(std::clamp<long long>(Edge(v), INT_MIN, INT_MAX)); };
        return TRect{held(r.Left), held(r.Top), held(r.Right), held(r.Bottom)};
    }
    QRect ToDevice(const QRect &r) const
    {
        if (m_unit || r.isEmpty())
            return r;
        const TRect d = ToDevice(TRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
        return QRect(QPoint(d.Left, d.Top), QPoint(d.Right - 1, d.Bottom - 1));
    }

private:
    double m_ratio = 1.0;
    long long m_factor = 0; ///< the ratio when it is a whole number
    bool m_unit = true;
};

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
    /// Scan line y of a 32-bit image, for block writes (each pixel stored as 0xFF000000 | p),
    /// or nullptr for images of other formats, which take their pixels one by one.
    QRgb *Line(int y) const
    {
        return m_bits ? reinterpret_cast<QRgb *>(m_bits + y * m_stride) : nullptr;
    }
    /// Unchecked write of p over [x0, x1) of row y, inside the clip.
    void FillRow(int y, int x0, int x1, Pixel p);

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
    /// One colour everywhere (no hatch, no bitmap).
    bool Solid() const { return !m_clear && m_solid; }
    /// The pattern repeats every Width() columns and Height() rows.
    int Width() const { return m_w; }
    int Height() const { return m_h; }
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

/// Copies srcRect of src into dest of target (both in device pixels), stretching by nearest
/// neighbour and mirroring when the rectangles' directions differ. Source pixels outside src are
/// left out. keyColor: when given (>= 0 as a Pixel + 1), source pixels of that colour are skipped
/// or, with replace, replaced by the brush.
struct TBlitOptions
{
    std::uint8_t rop = 0xCC;
    const TBrushPattern *brush = nullptr;
    bool hasKey = false;
    Pixel key = 0;
    bool replaceKeyWithBrush = false;
    /// The target's scale: brush patterns are aligned to logical pixels.
    TScale scale;
};
void StretchBlit(TTarget &target, const TRect &dest, const QImage &src, const TRect &srcRect,
                 const TBlitOptions &options);

} // namespace jxt::raster
