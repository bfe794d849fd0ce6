// SPDX-License-Identifier: MIT
// The canvas on images kept at a device pixel ratio: shapes follow the pixel rules in logical
// pixels and cover whole blocks of device pixels, text is rendered at device resolution, reads
// and copies keep to logical pixels.
#include "host/Graphics.h"

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
    QImage reference(32, 32, QImage::Format_ARGB32_Premultiplied);
    reference.fill(Qt::white);
    TCanvas one(&reference);
    DrawShapes(one);

    QImage scaled = WhiteSurface(32, 32, ratio);
    TCanvas canvas(&scaled);
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 32, 32));
    DrawShapes(canvas);
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
    EXPECT_GT(jxt::test::CountColor(scaled, clBlack, 0, 0, 30, 20), 0);
}
