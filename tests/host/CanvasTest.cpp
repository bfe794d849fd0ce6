// SPDX-License-Identifier: MIT
// Pixel rules of TCanvas: shape extents, lines, polygons, pen modes, copy modes, brushes,
// clipping and safety with missing or tiny devices.
#include "host/graphics/Graphics.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

namespace {

QImage WhiteImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

/// Bounding box [l,t,r,b) of all pixels that are not white; empty when none.
TRect InkBox(const QImage &image)
{
    TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) != clWhite) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box.Left == INT_MAX ? TRect{} : box;
}

} // namespace

TEST(Canvas, RectangleCoversHalfOpenBoxWithPenInside)
{
    QImage image = WhiteImage(20, 20);
    TCanvas canvas(&image);
    canvas.Pen()->SetColor(clBlack);
    canvas.Brush()->SetColor(clRed);
    canvas.Rectangle(2, 3, 10, 8);
    EXPECT_EQ(InkBox(image), Rect(2, 3, 10, 8));
    EXPECT_EQ(CountColor(image, clBlack, 0, 0, 20, 20), 2 * 8 + 2 * 5 - 4);
    EXPECT_EQ(CountColor(image, clRed, 3, 4, 9, 7), 6 * 3);
    EXPECT_EQ(PixelAt(image, 9, 7), clBlack);
    EXPECT_EQ(PixelAt(image, 10, 8), clWhite);

    // A wide pen stays inside the box.
    image.fill(Qt::white);
    canvas.Pen()->SetWidth(2);
    canvas.Rectangle(Rect(2, 2, 12, 12));
    EXPECT_EQ(InkBox(image), Rect(2, 2, 12, 12));
    EXPECT_EQ(CountColor(image, clBlack, 0, 0, 20, 20), 100 - 36);
    EXPECT_EQ(CountColor(image, clRed, 0, 0, 20, 20), 36);

    // Clear brush: outline only; clear pen: the brush fills the whole box.
    image.fill(Qt::white);
    canvas.Pen()->SetWidth(1);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Rectangle(0, 0, 5, 5);
    EXPECT_EQ(CountColor(image, clWhite, 1, 1, 4, 4), 9);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Pen()->SetStyle(psClear);
    canvas.Rectangle(10, 10, 15, 15);
    EXPECT_EQ(CountColor(image, clRed, 0, 0, 20, 20), 25);
    EXPECT_EQ(InkBox(QImage(image.copy(8, 8, 12, 12))), Rect(2, 2, 7, 7));
}

TEST(Canvas, EllipseAndRoundRectStayInsideTheirBoxAndTouchEverySide)
{
    QImage image = WhiteImage(30, 30);
    TCanvas canvas(&image);
    canvas.Brush()->SetColor(clLime);
    canvas.Ellipse(3, 4, 23, 14);
    EXPECT_EQ(InkBox(image), Rect(3, 4, 23, 14));
    // Symmetric about both axes of the box.
    for (int y = 4; y < 14; ++y)
        for (int x = 3; x < 23; ++x) {
            EXPECT_EQ(PixelAt(image, x, y), PixelAt(image, 25 - x, y)) << x << "," << y;
            EXPECT_EQ(PixelAt(image, x, y), PixelAt(image, x, 17 - y)) << x << "," << y;
        }
    EXPECT_EQ(PixelAt(image, 13, 9), clLime);
    EXPECT_EQ(PixelAt(image, 3, 4), clWhite); // corners are outside the ellipse

    image.fill(Qt::white);
    canvas.RoundRect(2, 2, 22, 12, 6, 6);
    EXPECT_EQ(InkBox(image), Rect(2, 2, 22, 12));
    EXPECT_EQ(PixelAt(image, 2, 2), clWhite);
    EXPECT_EQ(PixelAt(image, 12, 2), clBlack);
    EXPECT_EQ(PixelAt(image, 2, 7), clBlack);
}

TEST(Canvas, LineToLeavesOutItsLastPixel)
{
    QImage image = WhiteImage(20, 20);
    TCanvas canvas(&image);
    canvas.MoveTo(1, 1);
    canvas.LineTo(6, 1);
    EXPECT_EQ(CountColor(image, clBlack, 0, 0, 20, 20), 5);
    EXPECT_EQ(PixelAt(image, 1, 1), clBlack);
    EXPECT_EQ(PixelAt(image, 5, 1), clBlack);
    EXPECT_EQ(PixelAt(image, 6, 1), clWhite);
    EXPECT_EQ(canvas.PenPos(), Point(6, 1));

    // A diagonal: one pixel per column, starting exactly at the start point.
    image.fill(Qt::white);
    canvas.MoveTo(0, 10);
    canvas.LineTo(10, 15);
    EXPECT_EQ(CountColor(image, clBlack, 0, 0, 20, 20), 10);
    EXPECT_EQ(PixelAt(image, 0, 10), clBlack);
    EXPECT_EQ(PixelAt(image, 10, 15), clWhite);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(CountColor(image, clBlack, x, 0, x + 1, 20), 1);
    EXPECT_EQ(InkBox(image), Rect(0, 10, 10, 15));

    // A polyline of three points draws both segments without the final point.
    image.fill(Qt::white);
    canvas.Polyline({Point(2, 2), Point(2, 6), Point(8, 6)});
    EXPECT_EQ(CountColor(image, clBlack, 0, 0, 20, 20), 4 + 6);
    EXPECT_EQ(PixelAt(image, 8, 6), clWhite);
}

TEST(Canvas, PenModesCombineWithTheDestination)
{
    QImage image = WhiteImage(10, 10);
    TCanvas canvas(&image);
    canvas.FillSolid(Rect(0, 0, 10, 10), 0x336699);
    canvas.Pen()->SetColor(0x0F0F0F);
    canvas.Pen()->SetMode(pmXor);
    canvas.MoveTo(0, 5);
    canvas.LineTo(10, 5);
    EXPECT_EQ(PixelAt(image, 3, 5), 0x336699 ^ 0x0F0F0F);
    canvas.MoveTo(0, 5);
    canvas.LineTo(10, 5);
    EXPECT_EQ(CountColor(image, 0x336699, 0, 0, 10, 10), 100); // XOR twice restores

    canvas.Pen()->SetMode(pmNot);
    canvas.MoveTo(0, 2);
    canvas.LineTo(4, 2);
    EXPECT_EQ(PixelAt(image, 1, 2), 0x336699 ^ 0xFFFFFF);

    canvas.Pen()->SetMode(pmNotXor);
    canvas.MoveTo(0, 8);
    canvas.LineTo(4, 8);
    EXPECT_EQ(PixelAt(image, 1, 8), ~(0x336699 ^ 0x0F0F0F) & 0xFFFFFF);

    // The pen mode applies to the fill of shapes too, and each pixel is combined once.
    image.fill(Qt::black);
    canvas.Pen()->SetMode(pmXor);
    canvas.Pen()->SetColor(clWhite);
    canvas.Brush()->SetColor(clRed);
    canvas.Rectangle(0, 0, 6, 6);
    EXPECT_EQ(PixelAt(image, 0, 0), clWhite);
    EXPECT_EQ(PixelAt(image, 3, 3), clRed);
}

TEST(Canvas, PolygonFillsAlternateAndOutlinesLikeLines)
{
    QImage image = WhiteImage(12, 12);
    TCanvas canvas(&image);
    canvas.Brush()->SetColor(clRed);
    canvas.Polygon({Point(2, 2), Point(8, 2), Point(8, 8), Point(2, 8)});
    // The closed outline includes the right and bottom edges.
    EXPECT_EQ(InkBox(image), Rect(2, 2, 9, 9));
    EXPECT_EQ(CountColor(image, clBlack, 0, 0, 12, 12), 24);
    EXPECT_EQ(CountColor(image, clRed, 0, 0, 12, 12), 25);

    // Without a pen the fill covers [2,8) exactly.
    image.fill(Qt::white);
    canvas.Pen()->SetStyle(psClear);
    canvas.Polygon({Point(2, 2), Point(8, 2), Point(8, 8), Point(2, 8)});
    EXPECT_EQ(InkBox(image), Rect(2, 2, 8, 8));
    EXPECT_EQ(CountColor(image, clRed, 0, 0, 12, 12), 36);

    // Two overlapping squares in one outline: the overlap is outside by the alternate rule.
    QImage big = WhiteImage(40, 40);
    TCanvas c2(&big);
    c2.Pen()->SetStyle(psClear);
    c2.Brush()->SetColor(clBlue);
    c2.Polygon({Point(0, 0), Point(20, 0), Point(20, 20), Point(0, 20), Point(0, 0), Point(10, 10),
                Point(30, 10), Point(30, 30), Point(10, 30), Point(10, 10)});
    EXPECT_EQ(PixelAt(big, 5, 5), clBlue);
    EXPECT_EQ(PixelAt(big, 15, 15), clWhite);
    EXPECT_EQ(PixelAt(big, 25, 25), clBlue);
}

TEST(Canvas, FillFrameInvertAndFloodFill)
{
    QImage image = WhiteImage(10, 10);
    TCanvas canvas(&image);
    canvas.Brush()->SetColor(clNavy);
    canvas.FillRect(Rect(1, 1, 4, 3));
    EXPECT_EQ(InkBox(image), Rect(1, 1, 4, 3));
    EXPECT_EQ(CountColor(image, clNavy, 0, 0, 10, 10), 6);

    image.fill(Qt::white);
    canvas.FrameRect(Rect(2, 2, 7, 6));
    EXPECT_EQ(InkBox(image), Rect(2, 2, 7, 6));
    EXPECT_EQ(CountColor(image, clNavy, 0, 0, 10, 10), 2 * 5 + 2 * 4 - 4);

    canvas.InvertRect(Rect(0, 0, 10, 1));
    EXPECT_EQ(CountColor(image, clBlack, 0, 0, 10, 10), 10);

    // Flood fill of the white area inside the frame stops at the frame.
    canvas.Brush()->SetColor(clYellow);
    canvas.FloodFill(4, 4, clWhite, true);
    EXPECT_EQ(CountColor(image, clYellow, 0, 0, 10, 10), 3 * 2);
    canvas.FloodFill(9, 9, clNavy, false); // up to the navy border: everything outside it
    EXPECT_EQ(CountColor(image, clNavy, 0, 0, 10, 10), 14);
    EXPECT_EQ(CountColor(image, clWhite, 0, 0, 10, 10), 0);
}

TEST(Canvas, BrushPatternsAlignToTheCanvasOrigin)
{
    TBitmap pattern(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.Canvas()->SetPixel(x, y, (x + y) % 2 ? clBlack : clRed);
    QImage image = WhiteImage(20, 20);
    TCanvas canvas(&image);
    canvas.Brush()->SetBitmap(&pattern);
    canvas.FillRect(Rect(3, 5, 17, 19));
    for (int y = 5; y < 19; ++y)
        for (int x = 3; x < 17; ++x)
            ASSERT_EQ(PixelAt(image, x, y), (x + y) % 2 ? clBlack : clRed);

    // Hatches draw their lines in the brush colour and leave the rest alone.
    image.fill(Qt::white);
    canvas.Brush()->SetBitmap(nullptr);
    canvas.Brush()->SetColor(clGreen);
    canvas.Brush()->SetStyle(bsHorizontal);
    canvas.FillRect(Rect(0, 0, 16, 16));
    EXPECT_EQ(CountColor(image, clGreen, 0, 0, 16, 16), 2 * 16);
    EXPECT_EQ(CountColor(image, clWhite, 0, 0, 16, 16), 14 * 16);
}

TEST(Canvas, StyledPensDashAndFillGapsWithASolidBrush)
{
    QImage image = WhiteImage(40, 4);
    TCanvas canvas(&image);
    canvas.Pen()->SetStyle(psDot);
    canvas.Brush()->SetStyle(bsClear);
    canvas.MoveTo(0, 1);
    canvas.LineTo(36, 1);
    EXPECT_EQ(CountColor(image, clBlack, 0, 1, 40, 2), 18);
    EXPECT_EQ(PixelAt(image, 0, 1), clBlack);
    EXPECT_EQ(PixelAt(image, 3, 1), clWhite);

    canvas.Brush()->SetColor(clRed);
    canvas.MoveTo(0, 2);
    canvas.LineTo(36, 2);
    EXPECT_EQ(CountColor(image, clRed, 0, 2, 40, 3), 18);
}

struct TCopyCase
{
    TCopyMode mode;
    int expected; // for source 0x00F0CC, destination 0x0FAA33
};

class CanvasCopyMode : public ::testing::TestWithParam<TCopyCase>
{
};

TEST_P(CanvasCopyMode, CombinesSourceAndDestinationPerPixel)
{
    TBitmap source(2, 2);
    source.Canvas()->FillSolid(Rect(0, 0, 2, 2), 0x00F0CC);
    QImage image = WhiteImage(4, 4);
    TCanvas canvas(&image);
    canvas.FillSolid(Rect(0, 0, 4, 4), 0x0FAA33);
    canvas.SetCopyMode(GetParam().mode);
    canvas.CopyRect(Rect(1, 1, 3, 3), source.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(PixelAt(image, 1, 1), GetParam().expected);
    EXPECT_EQ(PixelAt(image, 2, 2), GetParam().expected);
    EXPECT_EQ(PixelAt(image, 0, 0), 0x0FAA33);
    EXPECT_EQ(PixelAt(image, 3, 3), 0x0FAA33);
}

constexpr int kS = 0x00F0CC, kD = 0x0FAA33, kAll = 0xFFFFFF;
INSTANTIATE_TEST_SUITE_P(
    Modes, CanvasCopyMode,
    ::testing::Values(TCopyCase{cmSrcCopy, kS}, TCopyCase{cmSrcAnd, kS &kD},
                      TCopyCase{cmSrcPaint, kS | kD}, TCopyCase{cmSrcInvert, kS ^ kD},
                      TCopyCase{cmNotSrcCopy, ~kS &kAll}, TCopyCase{cmSrcErase, kS & ~kD &kAll},
                      TCopyCase{cmMergePaint, (~kS | kD) & kAll},
                      TCopyCase{cmNotSrcErase, ~(kS | kD) & kAll}, TCopyCase{cmBlackness, 0},
                      TCopyCase{cmWhiteness, kAll}, TCopyCase{cmDstInvert, ~kD &kAll}));

TEST(Canvas, CopyRectStretchesMirrorsAndHandlesOverlap)
{
    TBitmap source(2, 2);
    TCanvas *src = source.Canvas();
    src->SetPixel(0, 0, clRed);
    src->SetPixel(1, 0, clLime);
    src->SetPixel(0, 1, clBlue);
    src->SetPixel(1, 1, clBlack);
    QImage image = WhiteImage(8, 8);
    TCanvas canvas(&image);
    canvas.CopyRect(Rect(0, 0, 4, 4), src, Rect(0, 0, 2, 2));
    EXPECT_EQ(CountColor(image, clRed, 0, 0, 2, 2), 4);
    EXPECT_EQ(CountColor(image, clLime, 2, 0, 4, 2), 4);
    EXPECT_EQ(CountColor(image, clBlue, 0, 2, 2, 4), 4);
    EXPECT_EQ(CountColor(image, clBlack, 2, 2, 4, 4), 4);

    // A destination running right to left mirrors the picture.
    canvas.CopyRect(Rect(6, 4, 4, 6), src, Rect(0, 0, 2, 2));
    EXPECT_EQ(PixelAt(image, 4, 4), clLime);
    EXPECT_EQ(PixelAt(image, 5, 4), clRed);

    // Copying a canvas onto itself with overlap moves the pixels as they were before the copy.
    canvas.CopyRect(Rect(1, 0, 5, 4), &canvas, Rect(0, 0, 4, 4));
    EXPECT_EQ(PixelAt(image, 1, 0), clRed);
    EXPECT_EQ(PixelAt(image, 2, 0), clRed);
    EXPECT_EQ(PixelAt(image, 3, 0), clLime);
    EXPECT_EQ(PixelAt(image, 4, 0), clLime);
}

TEST(Canvas, BrushCopyReplacesTheTransparentColourByTheBrush)
{
    TBitmap source(3, 1);
    source.Canvas()->SetPixel(0, 0, clRed);
    source.Canvas()->SetPixel(1, 0, clFuchsia);
    source.Canvas()->SetPixel(2, 0, clBlue);
    QImage image = WhiteImage(3, 1);
    TCanvas canvas(&image);
    canvas.Brush()->SetColor(clSilver);
    canvas.BrushCopy(Rect(0, 0, 3, 1), &source, Rect(0, 0, 3, 1), clFuchsia);
    EXPECT_EQ(PixelAt(image, 0, 0), clRed);
    EXPECT_EQ(PixelAt(image, 1, 0), clSilver);
    EXPECT_EQ(PixelAt(image, 2, 0), clBlue);
}

TEST(Canvas, PixelsOutsideTheDeviceReadInvalidAndIgnoreWrites)
{
    QImage image = WhiteImage(4, 4);
    TCanvas canvas(&image);
    canvas.SetPixel(2, 1, 0x123456);
    EXPECT_EQ(canvas.Pixel(2, 1), 0x123456);
    EXPECT_EQ(canvas.Pixel(-1, 0), -1);
    EXPECT_EQ(canvas.Pixel(4, 0), -1);
    EXPECT_EQ(canvas.Pixel(0, 4), -1);
    canvas.SetPixel(4, 0, clBlack);
    canvas.SetPixel(-1, -1, clBlack);
    EXPECT_EQ(CountColor(image, clWhite, 0, 0, 4, 4), 15);
}

TEST(Canvas, ClipRectLimitsEveryOperation)
{
    QImage image = WhiteImage(10, 10);
    TCanvas canvas(&image);
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 10, 10));
    canvas.SetClipRect(Rect(2, 2, 5, 6));
    EXPECT_EQ(canvas.ClipRect(), Rect(2, 2, 5, 6));
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 10, 10));
    canvas.Ellipse(0, 0, 10, 10);
    canvas.MoveTo(0, 0);
    canvas.LineTo(10, 10);
    canvas.Polygon({Point(0, 0), Point(9, 0), Point(0, 9)});
    canvas.TextOut(0, 0, QStringLiteral("WWWWWW"));
    canvas.SetPixel(0, 0, clBlack);
    EXPECT_EQ(InkBox(image), Rect(2, 2, 5, 6));
    canvas.ClearClipRect();
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 10, 10));
    canvas.SetClipRect(Rect(20, 20, 30, 30));
    EXPECT_TRUE(canvas.ClipRect().IsEmpty());
}

TEST(Canvas, MissingTinyAndFarAwayTargetsAreSafe)
{
    TBitmap pattern(8, 8);
    auto exercise = [&](TCanvas &canvas) {
        canvas.MoveTo(INT_MIN, INT_MIN);
        canvas.LineTo(INT_MAX, INT_MAX);
        canvas.Pen()->SetWidth(5);
        canvas.LineTo(INT_MIN, 3);
        canvas.Pen()->SetWidth(1);
        canvas.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
        canvas.Ellipse(-2000000000, -2000000000, 2000000000, 2000000000);
        canvas.RoundRect(INT_MIN, 0, INT_MAX, 5, INT_MAX, INT_MAX);
        canvas.Arc(-100000, -100000, 100000, 100000, 0, 0, 5, 5);
        canvas.Pie(-100000, -100000, 100000, 100000, 0, 100, 5, 5);
        canvas.Polygon({Point(INT_MIN, INT_MIN), Point(INT_MAX, 0), Point(0, INT_MAX)});
        canvas.Polygon(nullptr, 5);
        canvas.FillRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
        canvas.FrameRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
        canvas.InvertRect(Rect(-5, -5, 5, 5));
        canvas.FloodFill(0, 0, clWhite, true);
        canvas.Brush()->SetBitmap(&pattern);
        canvas.FillRect(Rect(-3, -3, 3, 3));
        canvas.Brush()->SetBitmap(nullptr);
        canvas.TextOut(INT_MAX - 5, INT_MIN, QStringLiteral("Text"));
        TRect r = Rect(-10, -10, 10, 10);
        canvas.DrawText(QStringLiteral("a b c"), r, DT_WORDBREAK);
        canvas.CopyRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), &canvas, Rect(0, 0, 1, 1));
        canvas.CopyRect(Rect(0, 0, 5, 5), &canvas, Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
        canvas.CopyRect(Rect(0, 0, 5, 5), nullptr, Rect(0, 0, 5, 5));
        canvas.BrushCopy(Rect(0, 0, 5, 5), &pattern, Rect(-5, -5, 20, 20), clWhite);
        canvas.Draw(INT_MAX, INT_MAX, &pattern);
        canvas.StretchDraw(Rect(INT_MAX, 0, INT_MIN, 5), &pattern);
        canvas.Draw(0, 0, nullptr);
        Frame3D(&canvas, r, clWhite, clBlack, 3);
        canvas.SetPixel(INT_MIN, INT_MAX, clRed);
        EXPECT_EQ(canvas.Pixel(INT_MIN, 0), -1);
    };
    TCanvas none;
    exercise(none);
    QImage empty;
    TCanvas nullImage(&empty);
    exercise(nullImage);
    QImage one = WhiteImage(1, 1);
    TCanvas single(&one);
    exercise(single);
    QImage small = WhiteImage(7, 5);
    TCanvas normal(&small);
    exercise(normal);
    // The huge diagonal still passes through the small image's pixels.
    SUCCEED();
}

TEST(Canvas, HugeLineIsClippedExactly)
{
    QImage image = WhiteImage(10, 10);
    TCanvas canvas(&image);
    canvas.MoveTo(-2000000000, 4);
    canvas.LineTo(2000000000, 4);
    EXPECT_EQ(CountColor(image, clBlack, 0, 4, 10, 5), 10);
    EXPECT_EQ(CountColor(image, clBlack, 0, 0, 10, 10), 10);
    canvas.MoveTo(-1000, -1000);
    canvas.LineTo(1000, 1000);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(PixelAt(image, i, i), clBlack);
}

TEST(Canvas, Frame3DDrawsTopLeftAndBottomRightColoursAndShrinks)
{
    QImage image = WhiteImage(12, 12);
    TCanvas canvas(&image);
    TRect r = Rect(1, 1, 11, 11);
    Frame3D(&canvas, r, clRed, clBlue, 2);
    EXPECT_EQ(r, Rect(3, 3, 9, 9));
    // Outer ring.
    EXPECT_EQ(PixelAt(image, 1, 1), clRed);
    EXPECT_EQ(PixelAt(image, 9, 1), clRed);
    EXPECT_EQ(PixelAt(image, 10, 1), clBlue); // top-right corner belongs to the bottom colour
    EXPECT_EQ(PixelAt(image, 1, 9), clRed);
    EXPECT_EQ(PixelAt(image, 1, 10), clBlue); // so does bottom-left
    EXPECT_EQ(PixelAt(image, 10, 10), clBlue);
    EXPECT_EQ(CountColor(image, clRed, 0, 0, 12, 12), 9 + 9 - 1 + 7 + 7 - 1);
    EXPECT_EQ(CountColor(image, clBlue, 0, 0, 12, 12), 10 + 10 - 1 + 8 + 8 - 1);
    // Inner ring and untouched centre.
    EXPECT_EQ(PixelAt(image, 2, 2), clRed);
    EXPECT_EQ(PixelAt(image, 9, 9), clBlue);
    EXPECT_EQ(CountColor(image, clWhite, 3, 3, 9, 9), 36);
}
