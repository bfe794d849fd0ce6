// SPDX-License-Identifier: MIT
// TCanvas: shapes, lines, text and copies on a QImage with the pixel rules of Windows GDI.
//
// Shapes are rasterised here rather than by QPainter so that their extent is exact: every
// shape is first collected into a coverage mask (fill, pen, pen gap) limited to the clip
// rectangle, and the mask is then applied once with the pen mode, so no pixel is combined
// twice. Only glyphs come from QPainter (rendered into a mask as well).
//
// Coordinates are logical pixels. On a device kept at a whole-number device pixel ratio above
// 1 (a control's surface on a high-resolution screen) polygons, ellipses, arcs, pies, rounded
// rectangles and lines are rasterised on the device grid by the same rules: vertices and boxes
// scaled by the ratio, a pen of one logical pixel `ratio` device pixels wide, so axis-aligned
// edges fall on the borders of the logical pixels while slanted and curved edges step by one
// device pixel. Rectangles, single pixels and fills of a fractional ratio are written as whole
// blocks of device pixels. Copies map their rectangles to device pixels, so a surface copied
// onto itself keeps its full resolution.
#include "host/graphics/CanvasRaster.h"
#include "host/graphics/Graphics.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

namespace jxt {

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
            m_rowLeft.assign(size_t(m_h), m_w);
            m_rowRight.assign(size_t(m_h), 0);
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
            MarkCells(int(y - m_y), int(x - m_x), int(x - m_x) + 1, c);
    }
    /// Marks [x0,x1) of row y, clipped to the mask.
    void MarkSpan(long long y, long long x0, long long x1, TCover c)
    {
        if (y < m_y || y >= m_y + m_h)
            return;
        x0 = std::max<long long>(x0, m_x);
        x1 = std::min<long long>(x1, (long long)m_x + m_w);
        if (x0 < x1)
            MarkCells(int(y - m_y), int(x0 - m_x), int(x1 - m_x), c);
    }
    TCover At(int x, int y) const
    {
        return TCover(m_cells[size_t(y - m_y) * size_t(m_w) + size_t(x - m_x)]);
    }
    /// The cells of row y (inside the mask), from column Left().
    const std::uint8_t *Row(int y) const { return &m_cells[size_t(y - m_y) * size_t(m_w)]; }
    /// The columns [left, right) of row y that were marked at all (left >= right: none).
    int RowLeft(int y) const { return m_x + m_rowLeft[size_t(y - m_y)]; }
    int RowRight(int y) const { return m_x + m_rowRight[size_t(y - m_y)]; }

private:
    void MarkCells(int row, int i0, int i1, TCover c)
    {
        std::fill_n(&m_cells[size_t(row) * size_t(m_w) + size_t(i0)], i1 - i0, std::uint8_t(c));
        m_rowLeft[size_t(row)] = std::min(m_rowLeft[size_t(row)], i0);
        m_rowRight[size_t(row)] = std::max(m_rowRight[size_t(row)], i1);
    }

    int m_x = 0, m_y = 0, m_w = 0, m_h = 0;
    std::vector<std::uint8_t> m_cells;
    std::vector<int> m_rowLeft, m_rowRight; ///< marked extent of each row, relative to m_x
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
/// inset by the pen width. The sector, when given, limits both. Without a sector each row is
/// three spans: the outline's left part, the inside and the outline's right part.
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
        // A row cut by the mask has no outline where it is cut.
        l = std::max<long long>(l, mask.Left() - 1);
        r = std::min<long long>(r, mask.Right() + 1);
        const long long lo = std::max<long long>(l, mask.Left());
        const long long hi = std::min<long long>(r, mask.Right());
        if (lo >= hi)
            continue;
        if (!sector) {
            // The inside: pixels whose 4-neighbours all belong to the shape (a one-pixel pen)
            // or that lie in the inset shape (a wider pen).
            long long il = 0, ir = 0;
            if (penWidth <= 1) {
                if (hasPrev && hasNext) {
                    il = std::max({l + 1, pl, nl});
                    ir = std::min({r - 1, pr, nr});
                }
            } else if (!inner.Span(y, il, ir)) {
                il = ir = 0;
            }
            il = std::clamp(il, lo, hi);
            ir = std::clamp(ir, il, hi);
            if (!outline) {
                if (fill)
                    mask.MarkSpan(y, lo, hi, kFill);
                continue;
            }
            mask.MarkSpan(y, lo, il, kPen);
            if (fill)
                mask.MarkSpan(y, il, ir, kFill);
            mask.MarkSpan(y, ir, hi, kPen);
            continue;
        }
        for (long long x = lo; x < hi; ++x) {
            if (!sector->Contains(x, y))
                continue;
            bool edge;
            if (penWidth <= 1) {
                edge = x == l || x == r - 1 || !hasPrev || x < pl || x >= pr || !hasNext ||
                       x < nl || x >= nr;
                // A pie's straight sides are where the sector ends.
                if (!edge && fillOnlySector)
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

} // namespace

// --- the canvas -----------------------------------------------------------------------------

TCanvas::TCanvas() = default;
TCanvas::TCanvas(QImage *device) : m_device(device) {}
TCanvas::~TCanvas() = default;

void TCanvas::SetDevice(QImage *device)
{
    m_device = device;
}

TRect TCanvas::ClipRect() const
{
    if (!m_device || m_device->isNull())
        return TRect{};
    const TScale scale = TScale::Of(m_device);
    TRect r =
        Rect(0, 0, scale.LogicalSize(m_device->width()), scale.LogicalSize(m_device->height()));
    if (m_hasClip) {
        r.Left = std::max(r.Left, m_clip.Left);
        r.Top = std::max(r.Top, m_clip.Top);
        r.Right = std::min(r.Right, m_clip.Right);
        r.Bottom = std::min(r.Bottom, m_clip.Bottom);
        if (r.IsEmpty())
            r = TRect{r.Left, r.Top, r.Left, r.Top};
    }
    return r;
}

void TCanvas::SetClipRect(const TRect &r)
{
    m_hasClip = true;
    m_clip = r;
}

void TCanvas::ClearClipRect()
{
    m_hasClip = false;
    m_clip = TRect{};
}

namespace {

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

/// Writes src over [x0, x1) of row y with the pen mode: a copy on a 32-bit device is one block
/// write.
void PutSpan(TTarget &target, int y, int x0, int x1, TPenMode mode, TPixel src)
{
    if (mode == pmCopy) {
        target.FillRow(y, x0, x1, src);
        return;
    }
    if (QRgb *line = target.Line(y)) {
        for (int x = x0; x < x1; ++x)
            line[x] = 0xFF000000u | raster::Rop2(mode, line[x] & 0x00FFFFFF, src);
        return;
    }
    for (int x = x0; x < x1; ++x)
        PutWithMode(target, x, y, mode, src);
}

void PutSpan(TLogicalTarget &target, int y, int x0, int x1, TPenMode mode, TPixel src)
{
    for (int x = x0; x < x1; ++x)
        PutWithMode(target, x, y, mode, src);
}

/// grid: device pixels per logical pixel of the mask; brush patterns stay aligned to logical
/// pixels. Each row is taken as runs of one cover; a run of one colour (pen, gap, or a solid
/// brush) is written as a span, a patterned fill pixel by pixel.
template <class Target>
void ApplyMaskOn(Target &target, const QRect &clip, const TMask &mask, const TPen &pen,
                 const TBrush &brush, int grid = 1)
{
    const TBrushPattern pattern(brush);
    const TPixel penColor = raster::ToPixel(pen.Color());
    const TPenMode mode = pen.Mode();
    const int top = std::max(mask.Top(), clip.top());
    const int bottom = std::min(mask.Bottom(), clip.bottom() + 1);
    for (int y = top; y < bottom; ++y) {
        const int left = std::max(mask.RowLeft(y), clip.left());
        const int right = std::min(mask.RowRight(y), clip.right() + 1);
        const std::uint8_t *cells = mask.Row(y);
        const int ml = mask.Left();
        for (int x = left; x < right;) {
            const TCover c = TCover(cells[x - ml]);
            int end = x + 1;
            while (end < right && cells[end - ml] == c)
                ++end;
            if (c == kFill && !pattern.Solid()) {
                for (int i = x; i < end; ++i) {
                    TPixel src;
                    const bool set =
                        grid == 1 ? pattern.At(i, y, src)
                                  : pattern.At(int(FloorDiv(i, grid)), int(FloorDiv(y, grid)), src);
                    if (set)
                        PutWithMode(target, i, y, mode, src);
                }
            } else if (c != kNone) {
                PutSpan(target, y, x, end, mode, c == kPen ? penColor : pattern.Color());
            }
            x = end;
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

/// Fills the part of r inside the clip with the pattern, row by row in device pixels. Each
/// row of the pattern is laid out once for the columns of the fill (a logical pixel as its
/// block of device columns) and then written to every device row that shows it: rows of a
/// pattern without gaps are block copies, a hatch writes only its set pixels.
void FillPattern(TLogicalTarget &target, const TRect &r, const TBrushPattern &pattern)
{
    const QRect &clip = target.Clip();
    const int x0 = std::max(r.Left, clip.left()), x1 = std::min(r.Right, clip.right() + 1);
    const int y0 = std::max(r.Top, clip.top()), y1 = std::min(r.Bottom, clip.bottom() + 1);
    if (x0 >= x1 || y0 >= y1)
        return;
    const TScale &scale = target.Scale();
    TTarget &out = target.Device();
    const QRect &device = out.Clip();
    auto blockOf = [&scale](int v, int low, int high) {
        return std::pair<int, int>(int(std::max<long long>(scale.Edge(v), low)),
                                   int(std::min<long long>(scale.Edge(v + 1LL), high + 1LL)));
    };
    const int dx0 = blockOf(x0, device.left(), device.right()).first;
    const int dx1 = blockOf(x1 - 1, device.left(), device.right()).second;
    if (dx0 >= dx1)
        return;
    if (pattern.Solid()) {
        for (int y = y0; y < y1; ++y) {
            const auto [dy0, dy1] = blockOf(y, device.top(), device.bottom());
            for (int dy = dy0; dy < dy1; ++dy)
                out.FillRow(dy, dx0, dx1, pattern.Color());
        }
        return;
    }
    // The logical column of each device column of the fill.
    std::vector<int> columns;
    columns.reserve(std::size_t(dx1 - dx0));
    int first = dx0;
    for (int x = x0; x < x1; ++x) {
        const auto [b0, b1] = blockOf(x, device.left(), device.right());
        if (columns.empty())
            first = b0;
        for (int d = b0; d < b1; ++d)
            columns.push_back(x);
    }
    struct TRow
    {
        bool laidOut = false;
        bool full = true;
        std::vector<QRgb> pixels;
        std::vector<bool> set;
    };
    TRow rows[8];
    const int h = pattern.Height();
    for (int y = y0; y < y1; ++y) {
        TRow &row = rows[((y % h) + h) % h];
        if (!row.laidOut) {
            row.laidOut = true;
            row.pixels.resize(columns.size());
            row.set.resize(columns.size());
            for (std::size_t i = 0; i < columns.size(); ++i) {
                TPixel p = 0;
                row.set[i] = pattern.At(columns[i], y, p);
                row.pixels[i] = 0xFF000000u | p;
                row.full = row.full && row.set[i];
            }
        }
        const auto [dy0, dy1] = blockOf(y, device.top(), device.bottom());
        for (int dy = dy0; dy < dy1; ++dy) {
            QRgb *line = out.Line(dy);
            if (line && row.full) {
                std::copy(row.pixels.begin(), row.pixels.end(), line + first);
                continue;
            }
            for (std::size_t i = 0; i < columns.size(); ++i) {
                if (!row.set[i])
                    continue;
                if (line)
                    line[first + int(i)] = row.pixels[i];
                else
                    out.Put(first + int(i), dy, row.pixels[i] & 0x00FFFFFF);
            }
        }
    }
}

} // namespace

void TCanvas::MoveTo(int x, int y)
{
    m_penPos = Point(x, y);
}

void TCanvas::LineTo(int x, int y)
{
    const TPoint from = m_penPos;
    m_penPos = Point(x, y);
    TLogicalTarget target = MakeTarget(m_device, ClipRect());
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

void TCanvas::Polyline(const std::vector<TPoint> &points)
{
    if (points.empty())
        return;
    m_penPos = points.back();
    TLogicalTarget target = MakeTarget(m_device, ClipRect());
    if (!target.Valid() || m_pen.Style() == psClear || points.size() < 2)
        return;
    const TLinePen lp = OnGrid(MakeLinePen(m_pen, m_brush), target.Grid());
    // The mask covers the stamps of every point (the pen's width around each).
    long long minX = LLONG_MAX, minY = LLONG_MAX, maxX = LLONG_MIN, maxY = LLONG_MIN;
    for (const TPoint &p : points) {
        minX = std::min(minX, lp.Map(p.X));
        maxX = std::max(maxX, lp.Map(p.X));
        minY = std::min(minY, lp.Map(p.Y));
        maxY = std::max(maxY, lp.Map(p.Y));
    }
    const int m = lp.width;
    TMask mask(target.GridClip(), minX - m, minY - m, maxX + m + 1, maxY + m + 1);
    long long step = 0;
    for (size_t i = 0; i + 1 < points.size(); ++i)
        step += MarkLine(mask, lp.Map(points[i].X), lp.Map(points[i].Y), lp.Map(points[i + 1].X),
                         lp.Map(points[i + 1].Y), lp, step);
    ApplyMask(target, mask, m_pen, m_brush);
}

void TCanvas::FillRect(const TRect &r)
{
    TLogicalTarget target = MakeTarget(m_device, ClipRect());
    if (!target.Valid())
        return;
    const TBrushPattern pattern(m_brush);
    if (pattern.Clear())
        return;
    FillPattern(target, r, pattern);
}

void TCanvas::FillSolid(const TRect &r, TColor color)
{
    TLogicalTarget target = MakeTarget(m_device, ClipRect());
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
        out.FillRow(y, dx0, dx1, p);
}

void TCanvas::FrameRect(const TRect &r)
{
    if (r.IsEmpty() || m_brush.Style() == bsClear)
        return;
    const TRect sides[4] = {
        Rect(r.Left, r.Top, r.Right, r.Top + 1), Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom),
        Rect(r.Left, r.Top, r.Left + 1, r.Bottom), Rect(r.Right - 1, r.Top, r.Right, r.Bottom)};
    for (const TRect &side : sides)
        FillRect(side);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    RoundRect(x1, y1, x2, y2, 0, 0);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    TLogicalTarget target = MakeTarget(m_device, ClipRect());
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

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    TLogicalTarget target = MakeTarget(m_device, ClipRect());
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

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    TLogicalTarget target = MakeTarget(m_device, ClipRect());
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

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    TLogicalTarget target = MakeTarget(m_device, ClipRect());
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

void TCanvas::Polygon(const TPoint *points, int count)
{
    TLogicalTarget target = MakeTarget(m_device, ClipRect());
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

void TCanvas::DrawFocusRect(const TRect &r)
{
    const auto dot = [this](int x, int y) { InvertRect(Rect(x, y, x + 1, y + 1)); };
    for (int x = r.Left; x < r.Right; x += 2) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top)
            dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 2; y < r.Bottom - 1; y += 2) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left)
            dot(r.Right - 1, y);
    }
}

void TCanvas::InvertRect(const TRect &r)
{
    TLogicalTarget target = MakeTarget(m_device, ClipRect());
    if (!target.Valid())
        return;
    const QRect &clip = target.Clip();
    const int x0 = std::max(r.Left, clip.left()), x1 = std::min(r.Right, clip.right() + 1);
    const int y0 = std::max(r.Top, clip.top()), y1 = std::min(r.Bottom, clip.bottom() + 1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            target.Combine(x, y, [](TPixel dst) { return ~dst & 0x00FFFFFF; });
}

namespace {

/// Fills the area around (x, y) of target (on a grid of `grid` pixels per logical pixel)
/// that has the key colour (surface) or that is bounded by it.
template <class Target>
void FloodFillOn(Target &target, const QRect &clip, int x, int y, TPixel key, bool surface,
                 const TBrushPattern &pattern, int grid)
{
    // surface: fill the area of the given colour; otherwise fill up to a border of it.
    auto matches = [&](int px, int py) {
        const bool same = target.Get(px, py) == key;
        return surface ? same : !same;
    };
    if (!matches(x, y))
        return;
    const int w = clip.width(), h = clip.height();
    std::vector<bool> seen(size_t(w) * size_t(h), false);
    auto index = [&](int px, int py) {
        return size_t(py - clip.top()) * size_t(w) + size_t(px - clip.left());
    };
    std::vector<QPoint> stack{QPoint(x, y)};
    std::vector<QPoint> area;
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        if (!clip.contains(p) || seen[index(p.x(), p.y())] || !matches(p.x(), p.y()))
            continue;
        // Walk the run of the row, then queue the rows above and below.
        int l = p.x(), r = p.x();
        while (l - 1 >= clip.left() && !seen[index(l - 1, p.y())] && matches(l - 1, p.y()))
            --l;
        while (r + 1 <= clip.right() && !seen[index(r + 1, p.y())] && matches(r + 1, p.y()))
            ++r;
        for (int i = l; i <= r; ++i) {
            seen[index(i, p.y())] = true;
            area.emplace_back(i, p.y());
            if (p.y() > clip.top())
                stack.emplace_back(i, p.y() - 1);
            if (p.y() < clip.bottom())
                stack.emplace_back(i, p.y() + 1);
        }
    }
    // Painted only after the search, so a brush of the key colour cannot mislead it.
    for (const QPoint &p : area) {
        TPixel c;
        if (pattern.At(int(FloorDiv(p.x(), grid)), int(FloorDiv(p.y(), grid)), c))
            target.Put(p.x(), p.y(), c);
    }
}

} // namespace

void TCanvas::FloodFill(int x, int y, TColor color, bool surface)
{
    TLogicalTarget target = MakeTarget(m_device, ClipRect());
    if (!target.Valid() || !target.InClip(x, y))
        return;
    const TBrushPattern pattern(m_brush);
    if (pattern.Clear())
        return;
    const TPixel key = raster::ToPixel(color);
    // On the device grid the area ends at the device pixels of its border, so a fill inside
    // a curved or slanted outline keeps the outline whole.
    const int g = target.Grid();
    if (g > 1) {
        TTarget &device = target.Device();
        const QRect clip = device.Clip();
        const long long dx = (long long)x * g, dy = (long long)y * g;
        if (dx < clip.left() || dy < clip.top() || dx > clip.right() || dy > clip.bottom())
            return;
        FloodFillOn(device, clip, int(dx), int(dy), key, surface, pattern, g);
        return;
    }
    FloodFillOn(target, target.Clip(), x, y, key, surface, pattern, 1);
}

TColor TCanvas::Pixel(int x, int y) const
{
    if (!m_device || m_device->isNull())
        return -1;
    const TScale scale = TScale::Of(m_device);
    const int w = scale.LogicalSize(m_device->width());
    const int h = scale.LogicalSize(m_device->height());
    if (x < 0 || y < 0 || x >= w || y >= h)
        return -1;
    const TLogicalTarget target(m_device, Rect(0, 0, w, h));
    return raster::FromPixel(target.Get(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    TLogicalTarget target = MakeTarget(m_device, ClipRect());
    if (target.Valid())
        target.Set(x, y, raster::ToPixel(color));
}

// --- copies -----------------------------------------------------------------------------------

void TCanvas::Draw(int x, int y, const TGraphic *graphic)
{
    if (!graphic || graphic->Empty())
        return;
    // A bitmap at a device pixel ratio (an off-screen surface) has its logical size.
    int w = graphic->Width(), h = graphic->Height();
    if (const auto *bitmap = dynamic_cast<const TBitmap *>(graphic)) {
        const TScale scale = TScale::Of(&bitmap->Image());
        w = scale.LogicalSize(w);
        h = scale.LogicalSize(h);
    }
    // Pictures placed beyond the coordinate range are cut at its end.
    const long long right = std::min<long long>((long long)x + w, INT_MAX);
    const long long bottom = std::min<long long>((long long)y + h, INT_MAX);
    graphic->DrawOn(this, Rect(x, y, int(right), int(bottom)));
}

void TCanvas::StretchDraw(const TRect &r, const TGraphic *graphic)
{
    if (graphic && !graphic->Empty())
        graphic->DrawOn(this, r);
}

namespace {

// A source copy between two images without stretching, from an opaque 32-bit image, copies
// rows of pixels: the same pixels the raster path writes. Returns false (and does nothing) for
// every other case.
bool PlainCopy(const QImage &src, QImage &dst, const TRect &dest, const TRect &srcRect,
               const TRect &clip)
{
    const bool opaqueSource = src.format() == QImage::Format_RGB32;
    const bool target32 = dst.format() == QImage::Format_RGB32 ||
                          dst.format() == QImage::Format_ARGB32 ||
                          dst.format() == QImage::Format_ARGB32_Premultiplied;
    if (!opaqueSource || !target32)
        return false;
    const int w = dest.Right - dest.Left;
    const int h = dest.Bottom - dest.Top;
    if (w <= 0 || h <= 0 || srcRect.Right - srcRect.Left != w || srcRect.Bottom - srcRect.Top != h)
        return false;
    // The part of dest inside the clip, the device and (through the source offset) the source.
    const long long dx = (long long)srcRect.Left - dest.Left;
    const long long dy = (long long)srcRect.Top - dest.Top;
    const long long x0 = std::max<long long>({dest.Left, clip.Left, 0, -dx});
    const long long y0 = std::max<long long>({dest.Top, clip.Top, 0, -dy});
    const long long x1 =
        std::min<long long>({dest.Right, clip.Right, dst.width(), src.width() - dx});
    const long long y1 =
        std::min<long long>({dest.Bottom, clip.Bottom, dst.height(), src.height() - dy});
    if (x0 >= x1 || y0 >= y1)
        return true;
    // The rows are found from the first one, so the image is checked for sharing once.
    const uchar *srcBits = src.constBits();
    const qsizetype srcStride = src.bytesPerLine();
    uchar *dstBits = dst.bits();
    const qsizetype dstStride = dst.bytesPerLine();
    for (long long y = y0; y < y1; ++y) {
        const auto *from =
            reinterpret_cast<const QRgb *>(srcBits + (y + dy) * srcStride) + (x0 + dx);
        auto *to = reinterpret_cast<QRgb *>(dstBits + y * dstStride) + x0;
        for (long long x = 0; x < x1 - x0; ++x)
            to[x] = from[x] | 0xFF000000u; // every copied pixel is opaque
    }
    return true;
}

} // namespace

void TCanvas::CopyRect(const TRect &logicalDest, const TCanvas *source, const TRect &logicalSrcRect)
{
    const TRect clip = ClipRect();
    const std::uint8_t rop = raster::Rop3Code(m_copyMode);
    // A plain copy from another image needs no raster machinery: it is checked first, so
    // that many small copies (a fade's blocks) cost little more than their pixels.
    if (rop == 0xCC && !clip.IsEmpty() && source && source->m_device &&
        !source->m_device->isNull() && source->m_device != m_device) {
        const TScale scale = TScale::Of(m_device);
        if (PlainCopy(*source->m_device, *m_device, scale.ToDevice(logicalDest),
                      TScale::Of(source->m_device).ToDevice(logicalSrcRect), scale.ToDevice(clip)))
            return;
    }
    TLogicalTarget logical = MakeTarget(m_device, clip);
    if (!logical.Valid())
        return;
    // Copies work in device pixels: between images of one scale pixel for pixel, otherwise
    // stretched from one scale to the other.
    TTarget &target = logical.Device();
    const TScale &scale = logical.Scale();
    const TRect dest = scale.ToDevice(logicalDest);
    const TBrushPattern pattern(m_brush);
    raster::TBlitOptions options;
    options.rop = rop;
    options.brush = &pattern;
    options.scale = scale;
    if (!raster::Rop3UsesSource(rop)) {
        raster::StretchBlit(target, dest, QImage(), Rect(0, 0, 1, 1), options);
        return;
    }
    if (!source || !source->m_device || source->m_device->isNull())
        return;
    const TRect srcRect = TScale::Of(source->m_device).ToDevice(logicalSrcRect);
    // Work on a copy of the source part, so copies within one image cannot overlap.
    const QImage &src = *source->m_device;
    const long long sl = std::max<long long>(std::min(srcRect.Left, srcRect.Right), 0);
    const long long st = std::max<long long>(std::min(srcRect.Top, srcRect.Bottom), 0);
    const long long sr = std::min<long long>(std::max(srcRect.Left, srcRect.Right), src.width());
    const long long sb = std::min<long long>(std::max(srcRect.Top, srcRect.Bottom), src.height());
    if (sl >= sr || st >= sb)
        return;
    const QImage part = src.copy(int(sl), int(st), int(sr - sl), int(sb - st));
    TRect shifted = srcRect;
    shifted.Offset(int(-sl), int(-st));
    raster::StretchBlit(target, dest, part, shifted, options);
}

void TCanvas::BrushCopy(const TRect &dest, const TBitmap *bitmap, const TRect &srcRect,
                        TColor transparent)
{
    TLogicalTarget logical = MakeTarget(m_device, ClipRect());
    if (!logical.Valid() || !bitmap || bitmap->Empty())
        return;
    const TBrushPattern pattern(m_brush);
    raster::TBlitOptions options;
    options.scale = logical.Scale();
    options.rop = 0xCC;
    options.brush = &pattern;
    options.hasKey = true;
    options.key = raster::ToPixel(transparent);
    options.replaceKeyWithBrush = true;
    raster::StretchBlit(logical.Device(), logical.Scale().ToDevice(dest), bitmap->Image(),
                        TScale::Of(&bitmap->Image()).ToDevice(srcRect), options);
}

} // namespace jxt
