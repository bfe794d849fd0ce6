// SPDX-License-Identifier: MIT
// Panels, images and bevels: bevel colours, caption placement, aligned children, pictures.
#include "host/controls/ExtCtrls.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

namespace {

constexpr int kWhite = 0xFFFFFF;
constexpr int kFace = 0xC0C0C0;
constexpr int kShadow = 0x808080;
constexpr int kBlack = 0x000000;

/// The bounding box of the pixels of colour in image, or an empty rectangle.
TRect BoxOf(const QImage &image, int color)
{
    TRect box{image.width(), image.height(), -1, -1};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) == color) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box;
}

/// The device pixel where logical pixel (x, y) of a surface starts.
QRgb RawPixel(const QImage &image, int x, int y)
{
    const qreal r = image.devicePixelRatio();
    return image.pixel(int(std::floor(x * r + 0.5)), int(std::floor(y * r + 0.5)));
}

bool IsClear(const QImage &image, int x, int y)
{
    return qAlpha(RawPixel(image, x, y)) == 0;
}

/// Number of opaque black pixels in [x1,x2) x [y1,y2) (a clear pixel reads as black too).
int CountOpaqueBlack(const QImage &image, int x1, int y1, int x2, int y2)
{
    int n = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            if (RawPixel(image, x, y) == qRgba(0, 0, 0, 255))
                ++n;
    return n;
}

std::unique_ptr<TBitmap> SolidBitmap(int w, int h, TColor color)
{
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas()->Brush()->SetColor(color);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

} // namespace

TEST(Panel, DefaultPanelIsRaisedButtonFace)
{
    TPanel panel;
    EXPECT_EQ(panel.Width(), 185);
    EXPECT_EQ(panel.Height(), 41);
    panel.Repaint();
    const QImage &s = panel.Surface();
    EXPECT_EQ(PixelAt(s, 0, 0), kWhite);
    EXPECT_EQ(PixelAt(s, 100, 0), kWhite);
    EXPECT_EQ(PixelAt(s, 0, 20), kWhite);
    EXPECT_EQ(PixelAt(s, 184, 40), kShadow);
    EXPECT_EQ(PixelAt(s, 184, 20), kShadow);
    EXPECT_EQ(PixelAt(s, 100, 40), kShadow);
    EXPECT_EQ(PixelAt(s, 1, 1), kFace);
    EXPECT_EQ(PixelAt(s, 183, 39), kFace);
}

TEST(Panel, LoweredOuterAndRaisedInnerBevelsNest)
{
    TPanel panel;
    panel.SetBounds(0, 0, 60, 30);
    panel.SetBevelOuter(bvLowered);
    panel.SetBevelInner(bvRaised);
    panel.SetBevelWidth(2);
    panel.SetBorderWidth(3);
    panel.SetColor(clWhite);
    panel.Repaint();
    const QImage &s = panel.Surface();
    // Outer lowered bevel, two pixels: shadow top-left, highlight bottom-right.
    EXPECT_EQ(PixelAt(s, 0, 0), kShadow);
    EXPECT_EQ(PixelAt(s, 1, 1), kShadow);
    EXPECT_EQ(PixelAt(s, 58, 28), kWhite);
    EXPECT_EQ(PixelAt(s, 59, 15), kWhite);
    // Border of three pixels in Color (white here), then the inner raised bevel.
    EXPECT_EQ(PixelAt(s, 2, 2), kWhite);
    EXPECT_EQ(PixelAt(s, 4, 15), kWhite);
    EXPECT_EQ(PixelAt(s, 5, 5), kWhite); // inner raised bevel: highlight top-left
    EXPECT_EQ(PixelAt(s, 6, 6), kWhite);
    EXPECT_EQ(PixelAt(s, 54, 24), kShadow); // inner raised bevel: shadow bottom-right
    EXPECT_EQ(PixelAt(s, 53, 23), kShadow);
    EXPECT_EQ(PixelAt(s, 52, 22), kWhite); // the white fill inside
    EXPECT_EQ(PixelAt(s, 7, 22), kWhite);
}

TEST(Panel, BevelNoneLeavesPlainFill)
{
    TPanel panel;
    panel.SetBounds(0, 0, 20, 20);
    panel.SetBevelOuter(bvNone);
    panel.Repaint();
    EXPECT_EQ(CountColor(panel.Surface(), kFace, 0, 0, 20, 20), 400);
}

TEST(Panel, CaptionIsCentredAndFollowsAlignment)
{
    TPanel panel;
    panel.SetBounds(0, 0, 185, 41);
    panel.Font()->SetColor(clBlack);
    panel.SetCaption(QStringLiteral("Panel"));
    panel.Repaint();
    TRect box = BoxOf(panel.Surface(), kBlack);
    ASSERT_GT(box.Right, box.Left);
    EXPECT_NEAR((box.Left + box.Right) / 2.0, 185 / 2.0, 2.0);
    EXPECT_NEAR((box.Top + box.Bottom) / 2.0, 41 / 2.0, 4.0);

    panel.SetAlignment(taLeftJustify);
    panel.Repaint();
    box = BoxOf(panel.Surface(), kBlack);
    EXPECT_GE(box.Left, 1);
    EXPECT_LE(box.Left, 4);

    panel.SetAlignment(taRightJustify);
    panel.Repaint();
    box = BoxOf(panel.Surface(), kBlack);
    EXPECT_LE(box.Right, 184);
    EXPECT_GE(box.Right, 180);
}

TEST(Panel, AlignedChildrenSitInsideBevelsAndBorder)
{
    TPanel panel;
    panel.SetBounds(0, 0, 100, 60);
    panel.SetBevelWidth(2);
    panel.SetBorderWidth(3);
    panel.SetBevelInner(bvLowered);
    auto *child = new TPanel(&panel);
    child->SetParent(&panel);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(7, 7, 93, 53));

    // Changing the bevels moves the children.
    panel.SetBevelInner(bvNone);
    EXPECT_EQ(child->BoundsRect(), Rect(5, 5, 95, 55));
    panel.SetBorderStyle(bsSingle);
    EXPECT_EQ(panel.ClientRect(), Rect(1, 1, 99, 59));
    EXPECT_EQ(child->BoundsRect(), Rect(6, 6, 94, 54));

    auto *top = new TPanel(&panel);
    top->SetParent(&panel);
    top->SetHeight(10);
    top->SetAlign(alTop);
    EXPECT_EQ(top->BoundsRect(), Rect(6, 6, 94, 16));
    EXPECT_EQ(child->BoundsRect(), Rect(6, 16, 94, 54));
}

TEST(Panel, SettersClampAndRepaint)
{
    TPanel panel;
    panel.SetBevelWidth(0);
    EXPECT_EQ(panel.BevelWidth(), 1);
    panel.SetBorderWidth(-4);
    EXPECT_EQ(panel.BorderWidth(), 0);
    panel.Repaint();
    EXPECT_FALSE(panel.PaintPending());
    panel.SetBevelOuter(bvLowered);
    EXPECT_TRUE(panel.PaintPending());
    panel.Repaint();
    panel.SetBevelOuter(bvLowered);
    EXPECT_FALSE(panel.PaintPending());
}

TEST(Panel, PublishedPropertiesReadAndWrite)
{
    TPanel panel;
    EXPECT_TRUE(panel.setProperty("BevelWidth", 4));
    EXPECT_EQ(panel.BevelWidth(), 4);
    EXPECT_TRUE(panel.setProperty("Caption", QStringLiteral("abc")));
    EXPECT_EQ(panel.Caption(), QStringLiteral("abc"));
    EXPECT_EQ(panel.property("Alignment").value<TAlignment>(), taCenter);
}

TEST(Image, PicturePlacementFollowsStretchCenterProportional)
{
    TImage image;
    image.SetBounds(0, 0, 40, 30);
    const auto red = SolidBitmap(10, 10, clRed);
    image.Picture()->SetGraphic(red.get());

    image.Repaint();
    const QImage *s = &image.Surface();
    EXPECT_EQ(CountColor(*s, 0x0000FF, 0, 0, 40, 30), 100);
    EXPECT_EQ(BoxOf(*s, 0x0000FF), Rect(0, 0, 10, 10));
    EXPECT_TRUE(IsClear(*s, 20, 20));

    image.SetCenter(true);
    image.Repaint();
    s = &image.Surface();
    EXPECT_EQ(BoxOf(*s, 0x0000FF), Rect(15, 10, 25, 20));
    EXPECT_TRUE(IsClear(*s, 0, 0));

    image.SetStretch(true);
    image.Repaint();
    EXPECT_EQ(CountColor(image.Surface(), 0x0000FF, 0, 0, 40, 30), 1200);

    // Proportional stretching of a 20 x 10 picture into 40 x 30: 40 x 20, centred.
    const auto wide = SolidBitmap(20, 10, clBlue);
    image.Picture()->SetGraphic(wide.get());
    image.SetProportional(true);
    EXPECT_EQ(image.DestRect(), Rect(0, 5, 40, 25));
    image.Repaint();
    EXPECT_EQ(BoxOf(image.Surface(), 0xFF0000), Rect(0, 5, 40, 25));

    // Proportional alone shrinks only pictures that do not fit.
    image.SetStretch(false);
    EXPECT_EQ(image.DestRect(), Rect(10, 10, 30, 20));
    const auto large = SolidBitmap(80, 20, clBlue);
    image.Picture()->SetGraphic(large.get());
    EXPECT_EQ(image.DestRect(), Rect(0, 10, 40, 20));
}

TEST(Image, PictureChangeRepaintsAndAutoSizeFollows)
{
    TImage image;
    image.Repaint();
    EXPECT_FALSE(image.PaintPending());
    const auto pic = SolidBitmap(33, 17, clLime);
    image.Picture()->SetGraphic(pic.get());
    EXPECT_TRUE(image.PaintPending());
    EXPECT_EQ(image.Width(), 105);

    image.SetAutoSize(true);
    EXPECT_EQ(image.Width(), 33);
    EXPECT_EQ(image.Height(), 17);
    const auto other = SolidBitmap(12, 8, clLime);
    image.Picture()->SetGraphic(other.get());
    EXPECT_EQ(image.Width(), 12);
    EXPECT_EQ(image.Height(), 8);
}

TEST(Image, DesignTimeFrameIsDashedAndRunTimeShowsNothing)
{
    TImage image;
    image.SetBounds(0, 0, 40, 40);
    image.Repaint();
    EXPECT_EQ(CountOpaqueBlack(image.Surface(), 0, 0, 40, 40), 0);

    image.SetDesigning(true);
    image.Repaint();
    const QImage &s = image.Surface();
    const int onTop = CountOpaqueBlack(s, 0, 0, 40, 1);
    EXPECT_GT(onTop, 5);
    EXPECT_LT(onTop, 40); // dashed, not solid
    EXPECT_GT(CountOpaqueBlack(s, 0, 39, 40, 40), 5);
    EXPECT_TRUE(IsClear(s, 20, 20));
}

TEST(Bevel, BoxAndLinesUseShadowAndHighlight)
{
    TBevel bevel;
    bevel.SetBounds(0, 0, 30, 20);
    bevel.Repaint();
    EXPECT_EQ(PixelAt(bevel.Surface(), 0, 0), kShadow);
    EXPECT_EQ(PixelAt(bevel.Surface(), 29, 19), kWhite);
    EXPECT_TRUE(IsClear(bevel.Surface(), 15, 10));

    bevel.SetStyle(bsRaised);
    bevel.SetShape(bsTopLine);
    bevel.Repaint();
    EXPECT_EQ(CountColor(bevel.Surface(), kWhite, 0, 0, 30, 1), 30);
    EXPECT_EQ(CountColor(bevel.Surface(), kShadow, 0, 1, 30, 2), 30);
    EXPECT_TRUE(IsClear(bevel.Surface(), 15, 10));
}
