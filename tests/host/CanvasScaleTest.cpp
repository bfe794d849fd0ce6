// SPDX-License-Identifier: MIT
// The canvas on images kept at a device pixel ratio: shapes follow the pixel rules in logical
// pixels (at a whole-number ratio on the device grid, with slanted and curved edges stepping
// by one device pixel; at a fractional ratio as whole blocks of device pixels), text is
// rendered at device resolution, reads and copies keep to logical pixels.
#include "host/graphics/Graphics.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <climits>
#include <cmath>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

/// A white image of w x h logical pixels at the given ratio, as a control's surface is made.
QImage WhiteSurface(int w, int h, double ratio)
{
    QImage image(int(std::floor(w * ratio + 0.5)), int(std::floor(h * ratio + 0.5)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

int Edge(double ratio, int v)
{
    return int(std::floor(v * ratio + 0.5));
}

int Rgb(QRgb c)
{
    return qRed(c) | (qGreen(c) << 8) | (qBlue(c) << 16);
}

/// Device pixels of the colour in [x1,x2) x [y1,y2) of a device image.
int DeviceCount(const QImage &image, int color, int x1, int y1, int x2, int y2)
{
    int n = 0;
    for (int y = std::max(y1, 0); y < std::min(y2, image.height()); ++y)
        for (int x = std::max(x1, 0); x < std::min(x2, image.width()); ++x)
            n += Rgb(image.pixel(x, y)) == color;
    return n;
}

bool Whole(double ratio)
{
    return ratio == std::floor(ratio);
}

/// Shapes whose edges are all horizontal or vertical: pen inside boxes, lines without their
/// last pixel, styled pens, polygon fill and outline, pen modes, pattern brushes, solid fills.
void DrawAxisAligned(TCanvas &c)
{
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetColor(clRed);
    c.Rectangle(2, 3, 14, 11);
    c.Pen()->SetWidth(3);
    c.Brush()->SetStyle(bsCross);
    c.Rectangle(16, 2, 30, 12);
    c.Pen()->SetWidth(1);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clYellow);
    c.Polygon(
        {Point(3, 14), Point(12, 14), Point(12, 18), Point(7, 18), Point(7, 24), Point(3, 24)});
    c.Pen()->SetStyle(psDot);
    c.MoveTo(0, 28);
    c.LineTo(31, 28);
    c.Pen()->SetStyle(psDash);
    c.MoveTo(30, 31);
    c.LineTo(30, 13);
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetMode(pmXor);
    c.Pen()->SetColor(clWhite);
    c.MoveTo(1, 26);
    c.LineTo(25, 26);
    c.Pen()->SetMode(pmCopy);
    c.Pen()->SetWidth(2);
    c.MoveTo(18, 16);
    c.LineTo(18, 25);
    c.Pen()->SetWidth(1);
    c.InvertRect(Rect(24, 0, 32, 2));
    c.FillSolid(Rect(0, 30, 2, 32), clFuchsia);
}

/// A drawing that touches every shape rule: pen inside boxes, lines without their last
/// pixel, polygon fill and outline, ellipses, pattern brushes, pen modes and a solid fill.
void DrawShapes(TCanvas &c)
{
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetColor(clRed);
    c.Rectangle(2, 3, 14, 11);
    c.Pen()->SetWidth(2);
    c.Brush()->SetColor(clLime);
    c.RoundRect(16, 2, 30, 12, 6, 6);
    c.Pen()->SetWidth(1);
    c.Brush()->SetStyle(bsDiagCross);
    c.Brush()->SetColor(clBlue);
    c.Ellipse(1, 13, 19, 27);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clYellow);
    c.Polygon({Point(21, 14), Point(30, 26), Point(20, 25)});
    c.Pen()->SetStyle(psDot);
    c.MoveTo(0, 28);
    c.LineTo(31, 28);
    c.Pen()->SetStyle(psSolid);
    c.MoveTo(3, 29);
    c.LineTo(29, 31);
    c.Pen()->SetMode(pmXor);
    c.Pen()->SetColor(clWhite);
    c.MoveTo(0, 0);
    c.LineTo(31, 31);
    c.Pen()->SetMode(pmCopy);
    c.InvertRect(Rect(24, 0, 32, 2));
    c.FillSolid(Rect(0, 30, 2, 32), clFuchsia);
    c.Pie(22, 16, 32, 26, 32, 21, 27, 16);
}

} // namespace

class CanvasAtRatio : public ::testing::TestWithParam<double>
{
};

TEST_P(CanvasAtRatio, ShapesCoverTheBlocksOfTheirLogicalPixels)
{
    const double ratio = GetParam();
    // At a whole-number ratio only straight edges along the axes fall on block borders;
    // slanted and curved ones are finer (see SlantedEdgesStepByOneDevicePixel).
    const auto draw = Whole(ratio) ? DrawAxisAligned : DrawShapes;
    QImage reference(32, 32, QImage::Format_ARGB32_Premultiplied);
    reference.fill(Qt::white);
    TCanvas one(&reference);
    draw(one);

    QImage scaled = WhiteSurface(32, 32, ratio);
    TCanvas canvas(&scaled);
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 32, 32));
    draw(canvas);
    // Every device pixel of a logical pixel's block has that logical pixel's colour at
    // ratio 1: the edges stay where they were, only finer.
    int mismatches = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int want = Rgb(reference.pixel(x, y));
            EXPECT_EQ(canvas.Pixel(x, y), want) << x << "," << y;
            for (int dy = Edge(ratio, y); dy < Edge(ratio, y + 1); ++dy)
                for (int dx = Edge(ratio, x); dx < Edge(ratio, x + 1); ++dx)
                    mismatches += Rgb(scaled.pixel(dx, dy)) != want;
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(canvas.Pixel(32, 0), -1);
    EXPECT_EQ(canvas.Pixel(0, 32), -1);
}

TEST_P(CanvasAtRatio, ClipAndCopiesStayInLogicalPixels)
{
    const double ratio = GetParam();
    // A logical bitmap keeps its logical size on a scaled canvas, stretched or not, and
    // its pattern brush is aligned to logical pixels.
    TBitmap picture(4, 2);
    picture.Canvas()->FillSolid(Rect(0, 0, 4, 2), clBlue);
    picture.Canvas()->SetPixel(3, 1, clRed);
    QImage scaled = WhiteSurface(20, 20, ratio);
    TCanvas canvas(&scaled);
    canvas.SetClipRect(Rect(0, 0, 10, 20));
    canvas.Draw(7, 1, &picture); // cut by the clip after three columns
    canvas.StretchDraw(Rect(2, 10, 10, 14), &picture);
    EXPECT_EQ(canvas.Pixel(7, 1), clBlue);
    EXPECT_EQ(canvas.Pixel(9, 2), clBlue);
    EXPECT_EQ(canvas.Pixel(10, 2), clWhite);
    EXPECT_EQ(canvas.Pixel(8, 3), clWhite);
    EXPECT_EQ(canvas.Pixel(9, 13), clRed);
    EXPECT_EQ(canvas.Pixel(7, 13), clBlue);
    EXPECT_EQ(canvas.Pixel(7, 12), clBlue);
    EXPECT_EQ(canvas.Pixel(1, 13), clWhite);
    EXPECT_EQ(Rgb(scaled.pixel(Edge(ratio, 10) - 1, Edge(ratio, 2))), clBlue);
    EXPECT_EQ(Rgb(scaled.pixel(Edge(ratio, 10), Edge(ratio, 2))), clWhite);

    // Copies between canvases of different ratios map whole logical rectangles.
    TBitmap back(10, 20);
    back.Canvas()->CopyRect(Rect(0, 0, 10, 20), &canvas, Rect(0, 0, 10, 20));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(back.Canvas()->Pixel(x, y), canvas.Pixel(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Ratios, CanvasAtRatio, ::testing::Values(1.25, 1.5, 2.0, 3.0));

class CanvasAtWholeRatio : public ::testing::TestWithParam<int>
{
};

TEST_P(CanvasAtWholeRatio, FillsFollowTheRulesOnTheDeviceGrid)
{
    // A shape filled at ratio g is the shape with g times its coordinates filled at ratio 1:
    // the same rules (pixel centres, alternate fill, [x1,x2) boxes) on the finer grid.
    const int g = GetParam();
    auto fills = [](TCanvas &c, int k) {
        c.Pen()->SetStyle(psClear);
        c.Brush()->SetColor(clYellow);
        c.Polygon({Point(21 * k, 14 * k), Point(30 * k, 26 * k), Point(20 * k, 25 * k),
                   Point(26 * k, 17 * k), Point(22 * k, 27 * k)});
        c.Brush()->SetColor(clBlue);
        c.Ellipse(1 * k, 13 * k, 19 * k, 26 * k);
        c.Brush()->SetColor(clLime);
        c.RoundRect(16 * k, 2 * k, 30 * k, 12 * k, 7 * k, 5 * k);
        c.Brush()->SetColor(clRed);
        c.Pie(2 * k, 2 * k, 14 * k, 12 * k, 14 * k, 3 * k, 3 * k, 12 * k);
    };
    QImage reference(32 * g, 32 * g, QImage::Format_ARGB32_Premultiplied);
    reference.fill(Qt::white);
    TCanvas one(&reference);
    fills(one, g);
    QImage scaled = WhiteSurface(32, 32, g);
    TCanvas canvas(&scaled);
    fills(canvas, 1);
    int mismatches = 0;
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x)
            mismatches += Rgb(scaled.pixel(x, y)) != Rgb(reference.pixel(x, y));
    EXPECT_EQ(mismatches, 0);
}

TEST_P(CanvasAtWholeRatio, SlantedEdgesStepByOneDevicePixel)
{
    const int g = GetParam();
    QImage scaled = WhiteSurface(40, 40, g);
    TCanvas canvas(&scaled);
    canvas.Pen()->SetColor(clBlack);
    canvas.Brush()->SetColor(clYellow);
    // A triangle with a 45 degree side, a vertical side and a horizontal side.
    canvas.Polygon({Point(4, 4), Point(4, 30), Point(30, 30)});
    QImage reference(40, 40, QImage::Format_ARGB32_Premultiplied);
    reference.fill(Qt::white);
    TCanvas one(&reference);
    one.Pen()->SetColor(clBlack);
    one.Brush()->SetColor(clYellow);
    one.Polygon({Point(4, 4), Point(4, 30), Point(30, 30)});

    // The slanted side: the last black device pixel of each device row moves by one pixel
    // per row, where whole blocks would repeat every position g times.
    int repeats = 0, steps = 0;
    int previous = -1;
    for (int dy = 8 * g; dy < 26 * g; ++dy) {
        int last = -1;
        for (int dx = 0; dx < scaled.width(); ++dx)
            if (Rgb(scaled.pixel(dx, dy)) == clBlack)
                last = dx;
        ASSERT_GE(last, 0) << dy;
        if (previous >= 0) {
            repeats += last == previous;
            steps += last == previous + 1;
        }
        previous = last;
    }
    EXPECT_EQ(repeats, 0);
    EXPECT_EQ(steps, 18 * g - 1);
    // The outline is the pen's width across: g device pixels along each row.
    for (int dy = 8 * g; dy < 26 * g; ++dy) {
        const int black = DeviceCount(scaled, clBlack, 4 * g + g, dy, 40 * g, dy + 1);
        EXPECT_GE(black, g) << dy;
        EXPECT_LE(black, 2 * g) << dy;
    }

    // The sides along the axes are where the logical rules put them: the pen's column and
    // row, whole blocks, and the fill starting right inside them.
    for (int y = 5; y < 30; ++y) {
        EXPECT_EQ(canvas.Pixel(4, y), clBlack) << y;
        EXPECT_EQ(canvas.Pixel(3, y), clWhite) << y;
        EXPECT_EQ(DeviceCount(scaled, clBlack, 4 * g, y * g, 5 * g, (y + 1) * g), g * g) << y;
    }
    for (int x = 5; x < 26; ++x) {
        EXPECT_EQ(canvas.Pixel(x, 30), clBlack) << x;
        EXPECT_EQ(canvas.Pixel(x, 31), clWhite) << x;
        EXPECT_EQ(DeviceCount(scaled, clBlack, x * g, 30 * g, (x + 1) * g, 31 * g), g * g) << x;
    }
    for (int y = 10; y < 29; ++y)
        EXPECT_EQ(canvas.Pixel(5, y), one.Pixel(5, y)) << y;
    EXPECT_EQ(canvas.Pixel(5, 20), clYellow);

    // A flood fill inside the outline stops at its device pixels, leaving it whole.
    canvas.Brush()->SetColor(clRed);
    canvas.FloodFill(8, 26, clBlack, false);
    EXPECT_EQ(DeviceCount(scaled, clYellow, 0, 10 * g, 40 * g, 28 * g), 0);
    for (int dy = 8 * g; dy < 26 * g; ++dy) {
        const int black = DeviceCount(scaled, clBlack, 4 * g + g, dy, 40 * g, dy + 1);
        EXPECT_GE(black, g) << dy;
    }
    EXPECT_EQ(canvas.Pixel(35, 10), clWhite);
}

TEST_P(CanvasAtWholeRatio, LinesAreAsWideAsTheirLogicalPen)
{
    const int g = GetParam();
    QImage scaled = WhiteSurface(40, 40, g);
    TCanvas canvas(&scaled);
    canvas.Pen()->SetColor(clBlack);
    canvas.MoveTo(2, 2);
    canvas.LineTo(22, 12); // shallow: one step down for every two across
    // Each device column holds one run at least g pixels high whose top moves down by single
    // device pixels (whole blocks would jump by g), and the line ends before the block of its
    // last point.
    int previousTop = -1;
    for (int dx = 2 * g; dx < 22 * g; ++dx) {
        int top = -1, black = 0;
        for (int dy = 0; dy < scaled.height(); ++dy)
            if (Rgb(scaled.pixel(dx, dy)) == clBlack) {
                if (top < 0)
                    top = dy;
                ++black;
            }
        ASSERT_GE(top, 0) << dx;
        EXPECT_GE(black, g) << dx;
        EXPECT_LE(black, 2 * g - 1) << dx;
        EXPECT_EQ(DeviceCount(scaled, clBlack, dx, top, dx + 1, top + black), black) << dx;
        if (previousTop >= 0) {
            EXPECT_GE(top - previousTop, 0) << dx;
            EXPECT_LE(top - previousTop, 1) << dx;
        }
        previousTop = top;
    }
    EXPECT_EQ(DeviceCount(scaled, clBlack, 22 * g, 0, 40 * g, 40 * g), 0);
    EXPECT_EQ(DeviceCount(scaled, clBlack, 0, 0, 2 * g, 40 * g), 0);
    // Its first and last logical pixels are the ratio-1 ones.
    EXPECT_EQ(canvas.Pixel(2, 2), clBlack);
    EXPECT_EQ(canvas.Pixel(21, 11), clBlack);
}

INSTANTIATE_TEST_SUITE_P(Ratios, CanvasAtWholeRatio, ::testing::Values(2, 3));

namespace {

/// Ink (non-white) bounding box [l,t,r,b) of a device image.
TRect DeviceInk(const QImage &image)
{
    TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box;
}

/// Aligned 2 x 2 blocks inside r whose four pixels are not all one colour.
int MixedBlocks(const QImage &image, const TRect &r)
{
    int mixed = 0;
    for (int y = r.Top & ~1; y + 1 < r.Bottom; y += 2)
        for (int x = r.Left & ~1; x + 1 < r.Right; x += 2) {
            const QRgb c = image.pixel(x, y);
            mixed += image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c ||
                     image.pixel(x + 1, y + 1) != c;
        }
    return mixed;
}

} // namespace

TEST(CanvasAtRatio2, TextIsRenderedAtDeviceResolution)
{
    const QString text = QStringLiteral("Waxy fjord 42");
    QImage scaled = WhiteSurface(120, 30, 2.0);
    TCanvas canvas(&scaled);
    canvas.Font()->SetName(QStringLiteral("Arial"));
    canvas.Font()->SetSize(10);
    canvas.Font()->SetColor(clBlack);
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextOut(5, 4, text);

    // Measuring does not depend on the ratio.
    QImage plain(120, 30, QImage::Format_RGB32);
    plain.fill(Qt::white);
    TCanvas one(&plain);
    one.SetFont(canvas.Font());
    EXPECT_EQ(canvas.TextWidth(text), one.TextWidth(text));
    EXPECT_EQ(canvas.TextHeight(text), one.TextHeight(text));

    // The glyphs are Qt's own at device resolution, in the same place: what a Qt widget
    // shows on that screen.
    QImage qt = WhiteSurface(120, 30, 2.0);
    {
        QPainter painter(&qt);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        const QFont font = canvas.Font()->ToQFont();
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(5, 4 + QFontMetrics(font).ascent()), text);
    }
    const TRect ours = DeviceInk(scaled);
    const TRect theirs = DeviceInk(qt);
    ASSERT_LT(ours.Left, ours.Right);
    EXPECT_LE(std::abs(ours.Left - theirs.Left), 1);
    EXPECT_LE(std::abs(ours.Top - theirs.Top), 1);
    EXPECT_LE(std::abs(ours.Right - theirs.Right), 1);
    EXPECT_LE(std::abs(ours.Bottom - theirs.Bottom), 1);
    // Not a doubled low-resolution picture: strokes one device pixel wide leave 2 x 2
    // blocks with two colours all over the text.
    EXPECT_GT(MixedBlocks(scaled, ours), 20);
    // Doubling the ratio-1 text would give none, as every shape at ratio 2 does.
    one.Font()->SetColor(clBlack);
    one.Brush()->SetStyle(bsClear);
    one.TextOut(5, 4, text);
    const QImage doubled = plain.scaled(240, 60);
    EXPECT_EQ(MixedBlocks(doubled, DeviceInk(doubled)), 0);
}

TEST(CanvasAtRatio2, TextBackgroundAndClipFollowLogicalPixels)
{
    QImage scaled = WhiteSurface(60, 20, 2.0);
    TCanvas canvas(&scaled);
    canvas.Font()->SetColor(clBlack);
    canvas.Brush()->SetColor(clYellow);
    canvas.SetClipRect(Rect(0, 0, 30, 20));
    canvas.TextOut(3, 2, QStringLiteral("MMMMMMMMMM"));
    // The opaque background covers the logical text box up to the clip, in whole blocks.
    const int h = canvas.TextHeight(QStringLiteral("M"));
    EXPECT_EQ(canvas.Pixel(3, 2), clYellow);
    EXPECT_EQ(Rgb(scaled.pixel(6, 4)), clYellow);
    EXPECT_EQ(Rgb(scaled.pixel(5, 4)), clWhite);
    const int lastRow = Rgb(scaled.pixel(6, 2 * (2 + h) - 1));
    EXPECT_TRUE(lastRow == clYellow || lastRow == clBlack) << lastRow;
    EXPECT_EQ(Rgb(scaled.pixel(6, 2 * (2 + h))), clWhite);
    // Nothing beyond the clip, glyphs included.
    for (int y = 0; y < scaled.height(); ++y)
        for (int x = 60; x < scaled.width(); ++x)
            ASSERT_EQ(Rgb(scaled.pixel(x, y)), clWhite) << x << "," << y;
    EXPECT_GT(DeviceCount(scaled, clBlack, 0, 0, 30, 20), 0);
}
