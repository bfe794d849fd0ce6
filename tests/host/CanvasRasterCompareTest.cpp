// SPDX-License-Identifier: MIT
// The canvas's span rasteriser and row fills against the pixel-by-pixel reference
// (ReferenceRaster.h): thousands of random shapes and rectangle fills, pens, brushes (solid,
// hatched, pattern bitmaps), pen modes and clip rectangles, each drawn by both on the same
// background, must leave the same pixels, at device pixel ratios 1 and 2
// (shapes on the device grid) and 1.5 (logical pixels as blocks).
#include "ReferenceRaster.h"

#include "host/graphics/Graphics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace jxt;
using jxt::test::TReferenceCanvas;

namespace {

constexpr int kWidth = 48;
constexpr int kHeight = 40;
constexpr int kShapes = 2500;

QImage Surface(double ratio)
{
    QImage image(int(std::floor(kWidth * ratio + 0.5)), int(std::floor(kHeight * ratio + 0.5)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    return image;
}

/// The first pixel where a and b differ, as "x,y", or empty when they are the same.
std::string FirstDifference(const QImage &a, const QImage &b)
{
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(a.bytesPerLine())) == 0)
            continue;
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return std::to_string(x) + "," + std::to_string(y);
    }
    return {};
}

class TRandomShapes
{
public:
    explicit TRandomShapes(unsigned seed) : m_random(seed) {}

    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }
    /// A coordinate mostly inside the image, sometimes beyond its edges.
    int X() { return Between(-12, kWidth + 12); }
    int Y() { return Between(-12, kHeight + 12); }
    TColor Color() { return TColor(Between(0, 0xFFFFFF)); }

    void Tools(TPen &pen, TBrush &brush)
    {
        static const TPenStyle kPenStyles[] = {psSolid,   psSolid,      psDash,  psDot,
                                               psDashDot, psDashDotDot, psClear, psInsideFrame};
        static const TPenMode kModes[] = {pmCopy, pmCopy,  pmCopy,       pmXor,
                                          pmNot,  pmMerge, pmMaskNotPen, pmNotXor};
        pen.SetColor(Color());
        pen.SetWidth(Between(0, 3) == 0 ? Between(2, 6) : 1);
        pen.SetStyle(kPenStyles[Between(0, 7)]);
        pen.SetMode(kModes[Between(0, 7)]);
        const int style = Between(0, 9);
        brush.SetStyle(style <= 2 ? bsSolid : TBrushStyle(std::min(style - 2, int(bsDiagCross))));
        brush.SetColor(Color());
        // Now and then a pattern bitmap of up to 8 x 8 pixels (larger ones are cut to 8 x 8).
        if (Between(0, 5) == 0) {
            TBitmap pattern(Between(1, 10), Between(1, 10));
            for (int y = 0; y < pattern.Height(); ++y)
                for (int x = 0; x < pattern.Width(); ++x)
                    pattern.Canvas()->SetPixel(x, y, Color());
            brush.SetBitmap(&pattern);
        } else {
            brush.SetBitmap(nullptr);
        }
    }

    /// Draws shape `kind` with the values v on c (the canvas or the reference).
    template <class Canvas> void Shape(int kind, Canvas &c, const std::vector<int> &v)
    {
        switch (kind) {
        case 0: {
            std::vector<TPoint> points;
            for (size_t i = 1; i + 1 < v.size(); i += 2)
                points.push_back(Point(v[i], v[i + 1]));
            c.Polygon(points.data(), int(points.size()));
            break;
        }
        case 1: c.Ellipse(v[0], v[1], v[2], v[3]); break;
        case 2: c.Rectangle(v[0], v[1], v[2], v[3]); break;
        case 3: c.RoundRect(v[0], v[1], v[2], v[3], v[4], v[5]); break;
        case 4: c.Arc(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]); break;
        case 5: c.Pie(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]); break;
        case 6:
            c.MoveTo(v[0], v[1]);
            c.LineTo(v[2], v[3]);
            break;
        case 8: c.FillRect(Rect(v[0], v[1], v[2], v[3])); break;
        case 9:
            c.FillSolid(Rect(v[0], v[1], v[2], v[3]), TColor((v[4] * 40503 + v[5]) & 0xFFFFFF));
            break;
        case 7: {
            std::vector<TPoint> points;
            for (size_t i = 1; i + 1 < v.size(); i += 2)
                points.push_back(Point(v[i], v[i + 1]));
            c.Polyline(points);
            break;
        }
        }
    }

    /// The eight coordinates of a box shape (corners, then the radii or the arc's points).
    std::vector<int> Values()
    {
        std::vector<int> v(8);
        for (size_t i = 0; i < v.size(); i += 2) {
            v[i] = X();
            v[i + 1] = Y();
        }
        // Small shapes are as common as large ones: the second corner near the first.
        if (Between(0, 1)) {
            v[2] = v[0] + Between(-8, 8);
            v[3] = v[1] + Between(-8, 8);
        }
        return v;
    }
    /// A point count and that many points, for polygons and polylines.
    std::vector<int> Points(int least)
    {
        const int count = Between(least, 6);
        std::vector<int> v(size_t(1 + 2 * count));
        v[0] = count;
        for (size_t i = 1; i < v.size(); i += 2) {
            v[i] = X();
            v[i + 1] = Y();
        }
        return v;
    }

private:
    std::mt19937 m_random;
};

/// Draws kShapes random shapes with the canvas and the reference and stops at the first that
/// leaves different pixels.
void Compare(double ratio, unsigned seed)
{
    TRandomShapes random(seed);
    QImage ours = Surface(ratio);
    ours.fill(Qt::white);
    QImage reference = ours.copy();
    reference.setDevicePixelRatio(ratio);
    TCanvas canvas(&ours);
    for (int n = 0; n < kShapes; ++n) {
        random.Tools(*canvas.Pen(), *canvas.Brush());
        if (random.Between(0, 3) == 0)
            canvas.SetClipRect(Rect(random.X(), random.Y(), random.X(), random.Y()));
        else
            canvas.ClearClipRect();
        const int kind = random.Between(0, 9);
        const std::vector<int> v = kind == 0   ? random.Points(2)
                                   : kind == 7 ? random.Points(1)
                                               : random.Values();
        TReferenceCanvas ref(&reference, canvas.ClipRect(), *canvas.Pen(), *canvas.Brush());
        random.Shape(kind, canvas, v);
        random.Shape(kind, ref, v);
        const std::string at = FirstDifference(ours, reference);
        ASSERT_TRUE(at.empty()) << "ratio " << ratio << ", shape " << n << " (kind " << kind
                                << ", pen width " << canvas.Pen()->Width() << ", style "
                                << canvas.Pen()->Style() << ", mode " << canvas.Pen()->Mode()
                                << ", brush " << canvas.Brush()->Style()
                                << "): first difference at device pixel " << at;
        // Now and then a fresh background, so that later shapes are not drawn over noise.
        if (n % 200 == 199) {
            const QColor background = QColor::fromRgb(QRgb(random.Between(0, 0xFFFFFF)));
            ours.fill(background);
            reference.fill(background);
        }
    }
}

TEST(CanvasRasterCompare, SameAsReferenceAtRatio1)
{
    Compare(1.0, 1);
    Compare(1.0, 2);
}

TEST(CanvasRasterCompare, SameAsReferenceOnTheDeviceGridAtRatio2)
{
    Compare(2.0, 3);
    Compare(2.0, 4);
}

TEST(CanvasRasterCompare, SameAsReferenceInBlocksAtRatio15)
{
    Compare(1.5, 5);
}

} // namespace
