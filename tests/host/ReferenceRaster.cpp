// SPDX-License-Identifier: MIT
// The canvas's shape rasteriser as it was before it drew span by span: every shape collected
// into a byte-per-pixel coverage mask and applied pixel by pixel, and rectangles filled pixel
// by pixel. Kept as the reference the canvas's pixels are compared with.
#include "ReferenceRaster.h"

#include "host/graphics/CanvasRaster.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace jxt::test {

using TPixel = raster::Pixel;
using raster::TBrushPattern;
using raster::TScale;
using raster::TTarget;

namespace {

enum TCover : std::uint8_t { kNone = 0, kFill = 1, kPen = 2, kGap = 3 };

QRect ToQRect(const TRect &r)
{
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

/// Coverage of one shape over a part of the clip rectangle.
class TMask
{
public:
    /// The mask covers [x0,x1) x [y0,y1) (64-bit bounds) intersected with clip.
    TMask(const QRect &clip, long long x0, long long y0, long long x1, long long y1)
    {
        const long long l = std::max<long long>(x0, clip.left());
        const long long t = std::max<long long>(y0, clip.top());
        const long long r = std::min<long long>(x1, (long long)clip.right() + 1);
        const long long b = std::min<long long>(y1, (long long)clip.bottom() + 1);
        if (l < r && t < b) {
            m_x = int(l);
            m_y = int(t);
            m_w = int(r - l);
            m_h = int(b - t);
            m_cells.assign(size_t(m_w) * size_t(m_h), kNone);
        }
    }
    bool Empty() const { return m_cells.empty(); }
    int Left() const { return m_x; }
    int Top() const { return m_y; }
    int Right() const { return m_x + m_w; }
    int Bottom() const { return m_y + m_h; }
    bool Contains(long long x, long long y) const
    {
        return x >= m_x && x < m_x + m_w && y >= m_y && y < m_y + m_h;
    }
    void Mark(long long x, long long y, TCover c)
    {
        if (Contains(x, y))
            m_cells[size_t(y - m_y) * size_t(m_w) + size_t(x - m_x)] = c;
    }
    /// Marks [x0,x1) of row y, clipped to the mask.
    void MarkSpan(long long y, long long x0, long long x1, TCover c)
    {
        if (y < m_y || y >= m_y + m_h)
            return;
        x0 = std::max<long long>(x0, m_x);
        x1 = std::min<long long>(x1, (long long)m_x + m_w);
        for (long long x = x0; x < x1; ++x)
            m_cells[size_t(y - m_y) * size_t(m_w) + size_t(x - m_x)] = c;
    }
    TCover At(int x, int y) const
    {
        return TCover(m_cells[size_t(y - m_y) * size_t(m_w) + size_t(x - m_x)]);
    }

private:
    int m_x = 0, m_y = 0, m_w = 0, m_h = 0;
    std::vector<std::uint8_t> m_cells;
};

/// Cosmetic dash patterns (on, off, on, off, ...) in pixels.
const std::vector<int> &DashPattern(TPenStyle style)
{
    static const std::vector<int> kNone;
    static const std::vector<int> kDash = {18, 6};
    static const std::vector<int> kDot = {3, 3};
    static const std::vector<int> kDashDot = {9, 6, 3, 6};
    static const std::vector<int> kDashDotDot = {9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDash: return kDash;
    case psDot: return kDot;
    case psDashDot: return kDashDot;
    case psDashDotDot: return kDashDotDot;
    default: return kNone;
    }
}

/// Pen of a line: width, dash pattern and whether gaps are painted in the background colour.
struct TLinePen
{
    int width = 1; ///< in pixels of the grid the line is drawn on
    const std::vector<int> *dashes = nullptr;
    int patternLength = 0;
    bool opaqueGaps = false;
    /// Pixels of the grid per logical pixel: a line on the device grid puts a stamp at every
    /// device step but leaves out the last logical pixel, and its dashes count logical pixels.
    int grid = 1;
    /// Where the stamp of the logical pixel at v is centred on the grid: v * grid + offset.
    int offset = 0;
    long long Map(long long v) const { return v * grid + offset; }
};

TLinePen MakeLinePen(const TPen &pen, const TBrush &brush)
{
    TLinePen lp;
    lp.width = std::max(1, std::min(pen.Width(), 4096));
    // Styled pens are cosmetic: wider pens always draw solid.
    if (lp.width == 1 && pen.Style() != psSolid && pen.Style() != psInsideFrame) {
        lp.dashes = &DashPattern(pen.Style());
        for (int n : *lp.dashes)
            lp.patternLength += n;
        if (lp.patternLength == 0)
            lp.dashes = nullptr;
        // With a solid brush the gaps take the background colour, as in Windows GDI.
        lp.opaqueGaps = brush.Style() == bsSolid;
    }
    return lp;
}

/// The pen on a grid of `grid` device pixels per logical pixel: as wide as the logical pen
/// and centred so that a stamp covers the device blocks of the logical stamp.
TLinePen OnGrid(TLinePen lp, int grid)
{
    if (grid <= 1)
        return lp;
    lp.offset = (lp.width * grid) / 2 - grid * (lp.width / 2);
    lp.width *= grid;
    lp.grid = grid;
    return lp;
}

bool DashOn(const TLinePen &pen, long long step)
{
    if (!pen.dashes)
        return true;
    long long pos = step % pen.patternLength;
    for (size_t i = 0; i < pen.dashes->size(); ++i) {
        if (pos < (*pen.dashes)[i])
            return i % 2 == 0;
        pos -= (*pen.dashes)[i];
    }
    return true;
}

/// Marks a square-ish round stamp of the pen's width centred at (x, y).
void Stamp(TMask &mask, long long x, long long y, int width, TCover c)
{
    if (width <= 1) {
        mask.Mark(x, y, c);
        return;
    }
    const double half = width / 2.0;
    for (int j = 0; j < width; ++j) {
        const double fy = j + 0.5 - half;
        for (int i = 0; i < width; ++i) {
            const double fx = i + 0.5 - half;
            if (fx * fx + fy * fy <= half * half + 0.5)
                mask.Mark(x - width / 2 + i, y - width / 2 + j, c);
        }
    }
}

/// Marks the pixels of the line from (x0, y0) to (x1, y1) without its last pixel. Only the
/// steps that can reach the mask are visited, so far-away coordinates cost nothing.
/// step0 continues a dash pattern; returns the number of steps of the line.
long long MarkLine(TMask &mask, long long x0, long long y0, long long x1, long long y1,
                   const TLinePen &pen, long long step0 = 0)
{
    const long long dx = x1 - x0, dy = y1 - y0;
    const long long adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const long long n = std::max(adx, ady);
    if (n == 0 || mask.Empty())
        return n / pen.grid;
    // On the device grid the stamps of the last grid - 1 steps would reach into the block of
    // the end point, which the line leaves out.
    const long long steps = n - (pen.grid - 1);
    const bool xMajor = adx >= ady;
    const long long a0 = xMajor ? x0 : y0;
    const long long b0 = xMajor ? y0 : x0;
    const long long da = xMajor ? dx : dy;
    const long long db = xMajor ? dy : dx;
    const int sa = da < 0 ? -1 : 1;
    const long long adb = db < 0 ? -db : db;
    const int margin = pen.width;
    const long long lo = (xMajor ? mask.Left() : mask.Top()) - margin;
    const long long hi = (xMajor ? mask.Right() : mask.Bottom()) + margin;
    long long i0, i1;
    if (sa > 0) {
        i0 = lo - a0;
        i1 = hi - a0;
    } else {
        i0 = a0 - hi + 1;
        i1 = a0 - lo + 1;
    }
    i0 = std::max<long long>(i0, 0);
    i1 = std::min<long long>(i1, steps);
    for (long long i = i0; i < i1; ++i) {
        const long long a = a0 + sa * i;
        // Nearest pixel to the ideal line, ties resolved towards the start point.
        const __int128 num = (__int128)2 * i * adb + n - 1;
        const long long off = (long long)(num / (2 * (__int128)n));
        const long long b = b0 + (db < 0 ? -off : off);
        const long long x = xMajor ? a : b;
        const long long y = xMajor ? b : a;
        if (!pen.dashes || DashOn(pen, step0 + i / pen.grid))
            Stamp(mask, x, y, pen.width, kPen);
        else if (pen.opaqueGaps)
            Stamp(mask, x, y, pen.grid, kGap);
    }
    return n / pen.grid;
}

/// A box with rounded corners (ellipse corners of rw x rh); an ellipse when rw and rh are
/// the box size, a rectangle when they are 0. Pixels belong to it when their centres do.
struct TRoundBox
{
    double x1, y1, x2, y2, rw, rh;

    /// The pixel columns [l, r) of row y; false when the row is empty.
    bool Span(long long y, long long &l, long long &r) const
    {
        const double yc = double(y) + 0.5;
        if (x2 <= x1 || y2 <= y1 || yc < y1 || yc >= y2)
            return false;
        double left = x1;
        const double a = rw / 2.0, b = rh / 2.0;
        if (a > 0 && b > 0) {
            const double top = y1 + b, bottom = y2 - b;
            double t = 0;
            if (yc < top)
                t = (top - yc) / b;
            else if (yc > bottom)
                t = (yc - bottom) / b;
            if (t > 0) {
                const double dx = a * std::sqrt(std::max(0.0, 1.0 - t * t));
                left = x1 + a - dx;
            }
        }
        // Columns are mirrored about the box centre, so the shape stays symmetric.
        const long long sum = (long long)std::llround(x1 + x2);
        l = (long long)std::ceil(left - 0.5);
        r = sum - l;
        if (l >= r) {
            // Keep the shape touching every row of its box.
            l = (long long)std::ceil((x1 + x2) / 2.0 - 1.0);
            r = sum - l;
        }
        return true;
    }
    bool Contains(long long x, long long y) const
    {
        long long l = 0, r = 0;
        return Span(y, l, r) && x >= l && x < r;
    }
    TRoundBox Inset(double d) const
    {
        return TRoundBox{
            x1 + d, y1 + d, x2 - d, y2 - d, std::max(0.0, rw - 2 * d), std::max(0.0, rh - 2 * d)};
    }
};

/// Angular limit of Arc and Pie: counter-clockwise from the radial through the start point
/// to the radial through the end point, in the ellipse's own (circle) coordinates.
struct TSector
{
    double cx, cy, a, b, start, sweep;
    bool full;

    TSector(const TRoundBox &box, long long x3, long long y3, long long x4, long long y4)
    {
        cx = (box.x1 + box.x2) / 2.0;
        cy = (box.y1 + box.y2) / 2.0;
        a = std::max(0.5, (box.x2 - box.x1) / 2.0);
        b = std::max(0.5, (box.y2 - box.y1) / 2.0);
        start = Angle(double(x3), double(y3));
        const double end = Angle(double(x4), double(y4));
        sweep = Normalize(end - start);
        full = sweep == 0.0;
    }
    double Angle(double x, double y) const { return std::atan2(-(y - cy) / b, (x - cx) / a); }
    static double Normalize(double angle)
    {
        const double twoPi = 2 * M_PI;
        angle = std::fmod(angle, twoPi);
        if (angle < 0)
            angle += twoPi;
        return angle;
    }
    bool Contains(long long x, long long y) const
    {
        if (full)
            return true;
        return Normalize(Angle(double(x) + 0.5, double(y) + 0.5) - start) <= sweep;
    }
    /// Where the radial at the given angle meets the ellipse.
    void EdgePoint(double angle, long long &x, long long &y) const
    {
        x = (long long)std::floor(cx + a * std::cos(angle));
        y = (long long)std::floor(cy - b * std::sin(angle));
    }
};

TRoundBox NormalBox(long long x1, long long y1, long long x2, long long y2, double rw, double rh)
{
    return TRoundBox{double(std::min(x1, x2)),
                     double(std::min(y1, y2)),
                     double(std::max(x1, x2)),
                     double(std::max(y1, y2)),
                     rw,
                     rh};
}

/// Fills the shape into the mask, then marks its outline: one pixel wide (pixels of the shape
/// with a 4-neighbour outside) or, for wider pens, the ring between the shape and the shape
/// inset by the pen width. The sector, when given, limits both.
void MarkShape(TMask &mask, const TRoundBox &box, const TSector *sector, bool fill, bool outline,
               int penWidth, bool fillOnlySector = true)
{
    if (mask.Empty())
        return;
    auto inShape = [&](long long x, long long y) {
        return box.Contains(x, y) && (!sector || !fillOnlySector || sector->Contains(x, y));
    };
    const TRoundBox inner = box.Inset(penWidth);
    for (long long y = mask.Top(); y < mask.Bottom(); ++y) {
        long long l = 0, r = 0;
        if (!box.Span(y, l, r))
            continue;
        long long pl = 0, pr = 0, nl = 0, nr = 0;
        const bool hasPrev = box.Span(y - 1, pl, pr);
        const bool hasNext = box.Span(y + 1, nl, nr);
        l = std::max<long long>(l, mask.Left() - 1);
        r = std::min<long long>(r, mask.Right() + 1);
        for (long long x = std::max<long long>(l, mask.Left());
             x < std::min<long long>(r, mask.Right()); ++x) {
            if (sector && !sector->Contains(x, y))
                continue;
            bool edge;
            if (penWidth <= 1) {
                edge = x == l || x == r - 1 || !hasPrev || x < pl || x >= pr || !hasNext ||
                       x < nl || x >= nr;
                // A pie's straight sides are where the sector ends.
                if (!edge && sector && fillOnlySector)
                    edge = !inShape(x - 1, y) || !inShape(x + 1, y) || !inShape(x, y - 1) ||
                           !inShape(x, y + 1);
            } else {
                edge = !inner.Contains(x, y);
            }
            if (outline && edge)
                mask.Mark(x, y, kPen);
            else if (fill)
                mask.Mark(x, y, kFill);
        }
    }
}

/// Fills a polygon by the alternate rule, sampling pixel centres of a grid of `grid` pixels
/// per logical pixel (the vertices are scaled by it).
void MarkPolygonFill(TMask &mask, const TPoint *points, int count, int grid)
{
    if (mask.Empty() || count < 3)
        return;
    std::vector<double> xs;
    for (long long y = mask.Top(); y < mask.Bottom(); ++y) {
        const double yc = double(y) + 0.5;
        xs.clear();
        for (int i = 0; i < count; ++i) {
            const TPoint &p = points[i];
            const TPoint &q = points[(i + 1) % count];
            const double ya = double(p.Y) * grid, yb = double(q.Y) * grid;
            if (ya == yb)
                continue;
            if ((yc >= ya && yc < yb) || (yc >= yb && yc < ya)) {
                const double xa = double(p.X) * grid, xb = double(q.X) * grid;
                xs.push_back(xa + (yc - ya) * (xb - xa) / (yb - ya));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            const double l = std::max(std::ceil(xs[i] - 0.5), double(mask.Left()));
            const double r = std::min(std::ceil(xs[i + 1] - 0.5), double(mask.Right()));
            if (l < r)
                mask.MarkSpan(y, (long long)l, (long long)r, kFill);
        }
    }
}

/// Logical-pixel access to a device. At a device pixel ratio above 1 each logical pixel is a
/// block of device pixels: a read takes the block's first pixel, a write covers the block.
class TLogicalTarget
{
public:
    TLogicalTarget(QImage *device, const TRect &clip)
        : m_scale(TScale::Of(device)), m_clip(clip.IsEmpty() ? QRect() : ToQRect(clip)),
          m_device(clip.IsEmpty() ? nullptr : device, m_scale.ToDevice(m_clip))
    {}
    bool Valid() const { return m_device.Valid(); }
    bool Unit() const { return m_scale.Unit(); }
    const TScale &Scale() const { return m_scale; }
    /// The clip rectangle in logical pixels.
    const QRect &Clip() const { return m_clip; }
    bool InClip(int x, int y) const { return m_clip.contains(x, y); }
    /// The device pixels, for work done at device resolution.
    TTarget &Device() { return m_device; }
    /// Device pixels per logical pixel of the grid shapes are rasterised on: the ratio when
    /// it is a whole number, otherwise 1 (logical pixels written as blocks).
    int Grid() const { return std::max(1, m_scale.Whole()); }
    /// The clip rectangle on that grid.
    const QRect &GridClip() const { return Grid() > 1 ? m_device.Clip() : m_clip; }
    TPixel Get(int x, int y) const
    {
        if (m_scale.Unit())
            return m_device.Get(x, y);
        const QRect &c = m_device.Clip();
        return m_device.Get(int(std::min<long long>(m_scale.Edge(x), c.right())),
                            int(std::min<long long>(m_scale.Edge(y), c.bottom())));
    }
    /// Unchecked write inside the clip.
    void Put(int x, int y, TPixel p)
    {
        if (m_scale.Unit())
            m_device.Put(x, y, p);
        else
            ForBlock(x, y, [&](int dx, int dy) { m_device.Put(dx, dy, p); });
    }
    void Set(int x, int y, TPixel p)
    {
        if (InClip(x, y))
            Put(x, y, p);
    }
    /// Replaces every device pixel of the block with f(its colour).
    template <class F> void Combine(int x, int y, F f)
    {
        if (m_scale.Unit())
            m_device.Put(x, y, f(m_device.Get(x, y)));
        else
            ForBlock(x, y, [&](int dx, int dy) { m_device.Put(dx, dy, f(m_device.Get(dx, dy))); });
    }

private:
    template <class F> void ForBlock(int x, int y, F f) const
    {
        const QRect &c = m_device.Clip();
        const long long x0 = std::max<long long>(m_scale.Edge(x), c.left());
        const long long x1 = std::min<long long>(m_scale.Edge(x + 1LL), c.right() + 1LL);
        const long long y0 = std::max<long long>(m_scale.Edge(y), c.top());
        const long long y1 = std::min<long long>(m_scale.Edge(y + 1LL), c.bottom() + 1LL);
        for (long long dy = y0; dy < y1; ++dy)
            for (long long dx = x0; dx < x1; ++dx)
                f(int(dx), int(dy));
    }

    TScale m_scale;
    QRect m_clip;
    TTarget m_device;
};

TLogicalTarget MakeTarget(QImage *device, const TRect &clip)
{
    return TLogicalTarget(device, clip);
}

/// Writes src with the pen mode. At ratio 1 the device is written directly (the hot path of
/// every shape); on a scaled device each device pixel of the block is combined.
void PutWithMode(TTarget &target, int x, int y, TPenMode mode, TPixel src)
{
    target.Put(x, y, mode == pmCopy ? src : raster::Rop2(mode, target.Get(x, y), src));
}

void PutWithMode(TLogicalTarget &target, int x, int y, TPenMode mode, TPixel src)
{
    if (mode == pmCopy)
        target.Put(x, y, src);
    else
        target.Combine(x, y, [&](TPixel dst) { return raster::Rop2(mode, dst, src); });
}

long long FloorDiv(long long v, int d)
{
    return v >= 0 ? v / d : -((-v + d - 1) / d);
}

/// grid: device pixels per logical pixel of the mask; brush patterns stay aligned to logical
/// pixels.
template <class Target>
void ApplyMaskOn(Target &target, const QRect &clip, const TMask &mask, const TPen &pen,
                 const TBrush &brush, int grid = 1)
{
    const TBrushPattern pattern(brush);
    const TPixel penColor = raster::ToPixel(pen.Color());
    const TPenMode mode = pen.Mode();
    for (int y = mask.Top(); y < mask.Bottom(); ++y) {
        for (int x = mask.Left(); x < mask.Right(); ++x) {
            const TCover c = mask.At(x, y);
            TPixel src;
            if (c == kNone)
                continue;
            if (c == kFill) {
                const bool set =
                    grid == 1 ? pattern.At(x, y, src)
                              : pattern.At(int(FloorDiv(x, grid)), int(FloorDiv(y, grid)), src);
                if (!set)
                    continue;
            } else if (c == kPen) {
                src = penColor;
            } else {
                src = pattern.Color();
            }
            if (!clip.contains(x, y))
                continue;
            PutWithMode(target, x, y, mode, src);
        }
    }
}

/// Applies a coverage mask on the target's grid: fill pixels take the brush, pen pixels the
/// pen colour and gap pixels the background (brush) colour, each combined with the pen mode.
void ApplyMask(TLogicalTarget &target, const TMask &mask, const TPen &pen, const TBrush &brush)
{
    if (mask.Empty() || !target.Valid())
        return;
    if (target.Unit())
        ApplyMaskOn(target.Device(), target.Clip(), mask, pen, brush);
    else if (target.Grid() > 1)
        ApplyMaskOn(target.Device(), target.Device().Clip(), mask, pen, brush, target.Grid());
    else
        ApplyMaskOn(target, target.Clip(), mask, pen, brush);
}

/// Fills the part of r inside the clip with the pattern (logical pixels).
template <class Target>
void FillPatternOn(Target &target, const QRect &clip, const TRect &r, const TBrushPattern &pattern)
{
    const int x0 = std::max(r.Left, clip.left()), x1 = std::min(r.Right, clip.right() + 1);
    const int y0 = std::max(r.Top, clip.top()), y1 = std::min(r.Bottom, clip.bottom() + 1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            TPixel p;
            if (pattern.At(x, y, p))
                target.Put(x, y, p);
        }
}

void FillPattern(TLogicalTarget &target, const TRect &r, const TBrushPattern &pattern)
{
    if (target.Unit())
        FillPatternOn(target.Device(), target.Clip(), r, pattern);
    else
        FillPatternOn(target, target.Clip(), r, pattern);
}

} // namespace

TReferenceCanvas::TReferenceCanvas(QImage *device, const TRect &clip, const TPen &pen,
                                   const TBrush &brush)
    : m_device(device), m_clip(clip)
{
    m_pen.Assign(&pen);
    m_brush.Assign(&brush);
}

void TReferenceCanvas::LineTo(int x, int y)
{
    const TPoint from = m_penPos;
    m_penPos = Point(x, y);
    TLogicalTarget target = MakeTarget(m_device, m_clip);
    if (!target.Valid() || m_pen.Style() == psClear)
        return;
    const TLinePen lp = OnGrid(MakeLinePen(m_pen, m_brush), target.Grid());
    const int m = lp.width;
    const long long x0 = lp.Map(from.X), y0 = lp.Map(from.Y);
    const long long x1 = lp.Map(x), y1 = lp.Map(y);
    TMask mask(target.GridClip(), std::min(x0, x1) - m, std::min(y0, y1) - m,
               std::max(x0, x1) + m + 1, std::max(y0, y1) + m + 1);
    MarkLine(mask, x0, y0, x1, y1, lp);
    ApplyMask(target, mask, m_pen, m_brush);
}

void TReferenceCanvas::Polyline(const std::vector<TPoint> &points)
{
    if (points.empty())
        return;
    m_penPos = points.back();
    TLogicalTarget target = MakeTarget(m_device, m_clip);
    if (!target.Valid() || m_pen.Style() == psClear || points.size() < 2)
        return;
    const TLinePen lp = OnGrid(MakeLinePen(m_pen, m_brush), target.Grid());
    const QRect &clip = target.GridClip();
    TMask mask(clip, clip.left(), clip.top(), clip.right() + 1LL, clip.bottom() + 1LL);
    long long step = 0;
    for (size_t i = 0; i + 1 < points.size(); ++i)
        step += MarkLine(mask, lp.Map(points[i].X), lp.Map(points[i].Y), lp.Map(points[i + 1].X),
                         lp.Map(points[i + 1].Y), lp, step);
    ApplyMask(target, mask, m_pen, m_brush);
}

void TReferenceCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    TLogicalTarget target = MakeTarget(m_device, m_clip);
    if (!target.Valid())
        return;
    const int g = target.Grid();
    const long long w = std::llabs((long long)x2 - x1), h = std::llabs((long long)y2 - y1);
    const double rw = std::min<double>(std::abs(double(x3)), double(w));
    const double rh = std::min<double>(std::abs(double(y3)), double(h));
    const bool round = rw > 0 && rh > 0;
    const TRoundBox box = NormalBox((long long)x1 * g, (long long)y1 * g, (long long)x2 * g,
                                    (long long)y2 * g, round ? rw * g : 0, round ? rh * g : 0);
    TMask mask(target.GridClip(), (long long)box.x1, (long long)box.y1, (long long)box.x2,
               (long long)box.y2);
    const TLinePen lp = OnGrid(MakeLinePen(m_pen, m_brush), g);
    const bool outline = m_pen.Style() != psClear;
    const bool fill = m_brush.Style() != bsClear;
    if (outline && lp.dashes && box.rw == 0) {
        // A styled outline runs as one closed line around the box.
        MarkShape(mask, box, nullptr, fill, false, 1);
        const long long l = std::min(x1, x2), t = std::min(y1, y2);
        const long long r = std::max(x1, x2) - 1LL, b = std::max(y1, y2) - 1LL;
        const long long ml = lp.Map(l), mt = lp.Map(t), mr = lp.Map(r), mb = lp.Map(b);
        long long step = MarkLine(mask, ml, mt, mr, mt, lp);
        step += MarkLine(mask, mr, mt, mr, mb, lp, step);
        step += MarkLine(mask, mr, mb, ml, mb, lp, step);
        MarkLine(mask, ml, mb, ml, mt, lp, step);
        if (r == l || b == t)
            Stamp(mask, ml, mt, lp.width, kPen);
    } else {
        MarkShape(mask, box, nullptr, fill, outline, lp.width);
    }
    ApplyMask(target, mask, m_pen, m_brush);
}

void TReferenceCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    TLogicalTarget target = MakeTarget(m_device, m_clip);
    if (!target.Valid())
        return;
    const int g = target.Grid();
    const long long w = std::llabs((long long)x2 - x1), h = std::llabs((long long)y2 - y1);
    const TRoundBox box = NormalBox((long long)x1 * g, (long long)y1 * g, (long long)x2 * g,
                                    (long long)y2 * g, double(w) * g, double(h) * g);
    TMask mask(target.GridClip(), (long long)box.x1, (long long)box.y1, (long long)box.x2,
               (long long)box.y2);
    MarkShape(mask, box, nullptr, m_brush.Style() != bsClear, m_pen.Style() != psClear,
              OnGrid(MakeLinePen(m_pen, m_brush), g).width);
    ApplyMask(target, mask, m_pen, m_brush);
}

void TReferenceCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    TLogicalTarget target = MakeTarget(m_device, m_clip);
    if (!target.Valid() || m_pen.Style() == psClear)
        return;
    const int g = target.Grid();
    const long long w = std::llabs((long long)x2 - x1), h = std::llabs((long long)y2 - y1);
    const TRoundBox box = NormalBox((long long)x1 * g, (long long)y1 * g, (long long)x2 * g,
                                    (long long)y2 * g, double(w) * g, double(h) * g);
    const TSector sector(box, (long long)x3 * g, (long long)y3 * g, (long long)x4 * g,
                         (long long)y4 * g);
    TMask mask(target.GridClip(), (long long)box.x1, (long long)box.y1, (long long)box.x2,
               (long long)box.y2);
    // The arc is the part of the ellipse's outline inside the sector.
    MarkShape(mask, box, &sector, false, true, OnGrid(MakeLinePen(m_pen, m_brush), g).width, false);
    ApplyMask(target, mask, m_pen, m_brush);
}

void TReferenceCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    TLogicalTarget target = MakeTarget(m_device, m_clip);
    if (!target.Valid())
        return;
    const int g = target.Grid();
    const long long w = std::llabs((long long)x2 - x1), h = std::llabs((long long)y2 - y1);
    const TRoundBox box = NormalBox((long long)x1 * g, (long long)y1 * g, (long long)x2 * g,
                                    (long long)y2 * g, double(w) * g, double(h) * g);
    const TSector sector(box, (long long)x3 * g, (long long)y3 * g, (long long)x4 * g,
                         (long long)y4 * g);
    TMask mask(target.GridClip(), (long long)box.x1, (long long)box.y1, (long long)box.x2,
               (long long)box.y2);
    const TLinePen lp = OnGrid(MakeLinePen(m_pen, m_brush), g);
    const bool outline = m_pen.Style() != psClear;
    MarkShape(mask, box, &sector, m_brush.Style() != bsClear, outline, lp.width);
    if (outline && !sector.full && lp.width > 1) {
        // The two radii of a wide pen, from the centre to where the arc starts and ends (on
        // the grid the shape is drawn on).
        long long sx, sy, ex, ey;
        sector.EdgePoint(sector.start, sx, sy);
        sector.EdgePoint(sector.start + sector.sweep, ex, ey);
        const long long cx = (long long)std::floor(sector.cx),
                        cy = (long long)std::floor(sector.cy);
        TLinePen solid = lp;
        solid.dashes = nullptr;
        solid.grid = 1;
        solid.offset = 0;
        MarkLine(mask, cx, cy, sx, sy, solid);
        MarkLine(mask, cx, cy, ex, ey, solid);
        mask.Mark(cx, cy, kPen);
    }
    ApplyMask(target, mask, m_pen, m_brush);
}

void TReferenceCanvas::Polygon(const TPoint *points, int count)
{
    TLogicalTarget target = MakeTarget(m_device, m_clip);
    if (!target.Valid() || !points || count < 2)
        return;
    long long minX = points[0].X, maxX = points[0].X, minY = points[0].Y, maxY = points[0].Y;
    for (int i = 1; i < count; ++i) {
        minX = std::min<long long>(minX, points[i].X);
        maxX = std::max<long long>(maxX, points[i].X);
        minY = std::min<long long>(minY, points[i].Y);
        maxY = std::max<long long>(maxY, points[i].Y);
    }
    const int g = target.Grid();
    const TLinePen lp = OnGrid(MakeLinePen(m_pen, m_brush), g);
    const int m = lp.width;
    TMask mask(target.GridClip(), minX * g - m, minY * g - m, maxX * g + m + g, maxY * g + m + g);
    if (m_brush.Style() != bsClear)
        MarkPolygonFill(mask, points, count, g);
    if (m_pen.Style() != psClear) {
        // The outline is the closed chain of lines, each without its last pixel.
        long long step = 0;
        for (int i = 0; i < count; ++i) {
            const TPoint &p = points[i];
            const TPoint &q = points[(i + 1) % count];
            step += MarkLine(mask, lp.Map(p.X), lp.Map(p.Y), lp.Map(q.X), lp.Map(q.Y), lp, step);
        }
        if (step == 0)
            Stamp(mask, lp.Map(points[0].X), lp.Map(points[0].Y), lp.width, kPen);
    }
    ApplyMask(target, mask, m_pen, m_brush);
}

void TReferenceCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    RoundRect(x1, y1, x2, y2, 0, 0);
}

void TReferenceCanvas::FillRect(const TRect &r)
{
    TLogicalTarget target = MakeTarget(m_device, m_clip);
    if (!target.Valid())
        return;
    const TBrushPattern pattern(m_brush);
    if (pattern.Clear())
        return;
    FillPattern(target, r, pattern);
}

void TReferenceCanvas::FillSolid(const TRect &r, TColor color)
{
    TLogicalTarget target = MakeTarget(m_device, m_clip);
    if (!target.Valid())
        return;
    const TPixel p = raster::ToPixel(color);
    const QRect &clip = target.Clip();
    const int x0 = std::max(r.Left, clip.left()), x1 = std::min(r.Right, clip.right() + 1);
    const int y0 = std::max(r.Top, clip.top()), y1 = std::min(r.Bottom, clip.bottom() + 1);
    if (x0 >= x1 || y0 >= y1)
        return;
    // A solid fill covers whole blocks, so it is done in device pixels at any ratio.
    const TScale &scale = target.Scale();
    const QRect &device = target.Device().Clip();
    const int dx0 = int(std::max<long long>(scale.Edge(x0), device.left()));
    const int dx1 = int(std::min<long long>(scale.Edge(x1), device.right() + 1LL));
    const int dy0 = int(std::max<long long>(scale.Edge(y0), device.top()));
    const int dy1 = int(std::min<long long>(scale.Edge(y1), device.bottom() + 1LL));
    TTarget &out = target.Device();
    for (int y = dy0; y < dy1; ++y)
        for (int x = dx0; x < dx1; ++x)
            out.Put(x, y, p);
}

} // namespace jxt::test
