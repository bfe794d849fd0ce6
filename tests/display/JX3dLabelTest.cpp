// SPDX-License-Identifier: MIT
// Tests of TJX3dLabel: the effect passes, frames, spacing, line breaks, auto size,
// transparency and the designer-only drawing of an invisible label.
#include "display/JX3dLabel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QMetaProperty>

#include <climits>
#include <vector>

using namespace jxt;
using jxt::test::InkOf;
using jxt::test::PixelAt;
using jxt::test::TInk;

namespace {

// Runs of rows that hold the colour, as (first, last) pairs.
std::vector<std::pair<int, int>> RowBands(const QImage &image, TColor color)
{
    std::vector<std::pair<int, int>> bands;
    for (int y = 0; y < image.height(); ++y) {
        bool hit = false;
        for (int x = 0; x < image.width() && !hit; ++x)
            hit = PixelAt(image, x, y) == color;
        if (hit && !bands.empty() && bands.back().second == y - 1)
            bands.back().second = y;
        else if (hit)
            bands.emplace_back(y, y);
    }
    return bands;
}

// Horizontal middle of the colour within rows [top, bottom].
double MiddleOfRows(const QImage &image, TColor color, int top, int bottom)
{
    int left = INT_MAX, right = -1;
    for (int y = top; y <= bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) == color) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return (left + right) / 2.0;
}

} // namespace

TEST(JX3dLabel, DefaultsClampingAndPublishedOrder)
{
    TJX3dLabel label;
    EXPECT_EQ(label.Width(), 170);
    EXPECT_EQ(label.Height(), 45);
    EXPECT_EQ(label.Caption(), QStringLiteral("JX3DLabel"));
    EXPECT_EQ(label.Font()->Color(), clRed);
    EXPECT_EQ(label.Font()->Size(), 15);
    EXPECT_EQ(label.CaptionStyle(), csRaised);
    EXPECT_EQ(label.Alignment(), dtCenter);
    EXPECT_EQ(label.CaptionSpacing(), 1);
    EXPECT_EQ(dtWert[dtLeft], DT_LEFT);
    EXPECT_EQ(dtWert[dtRight], DT_RIGHT);

    const std::pair<int, int> depths[] = {{0, 1}, {-7, 1}, {1, 1}, {25, 25}, {50, 50}, {80, 50}};
    for (const auto &[in, out] : depths) {
        label.SetShadowDepth(in);
        EXPECT_EQ(label.ShadowDepth(), out) << in;
    }

    const QMetaObject *mo = label.metaObject();
    const QStringList expected = {"About_JXTools", "Alignment",   "AutoSize",       "BorderSize",
                                  "BorderStyle",   "Caption",     "CaptionSpacing", "CaptionStyle",
                                  "ShadowColor",   "ShadowDepth", "Transparent"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(QString::fromLatin1(mo->property(mo->propertyOffset() + i).name()), expected[i]);
    EXPECT_EQ(label.property("About_JXTools").value<TJXAboutString>(), QStringLiteral("16.11.96"));
    EXPECT_TRUE(label.setProperty("CaptionStyle", QVariant::fromValue(csShadow)));
    EXPECT_EQ(label.CaptionStyle(), csShadow);
}

TEST(JX3dLabel, LineBreakMarkGivesCentredLines)
{
    TJX3dLabel label;
    label.SetBounds(0, 0, 170, 90);
    label.SetColor(clWhite);
    label.SetCaptionStyle(csNONE);
    label.SetCaption(QStringLiteral("Hallo^MWelt"));
    EXPECT_EQ(label.DisplayText(), QStringLiteral("Hallo\n\rWelt"));
    label.Repaint();

    const auto bands = RowBands(label.Surface(), clRed);
    ASSERT_EQ(bands.size(), 2u);
    for (const auto &[top, bottom] : bands)
        EXPECT_NEAR(MiddleOfRows(label.Surface(), clRed, top, bottom), 85.0, 3.0);
    // The block sits in the vertical middle of the control.
    EXPECT_NEAR((bands.front().first + bands.back().second) / 2.0, 45.0, 6.0);

    label.SetAlignment(dtLeft);
    label.Repaint();
    EXPECT_LE(InkOf(label.Surface(), clRed).Left, 3);
    label.SetAlignment(dtRight);
    label.Repaint();
    EXPECT_GE(InkOf(label.Surface(), clRed).Right, 166);
}

TEST(JX3dLabel, RaisedAndLoweredPassesLightOppositeSides)
{
    TJX3dLabel label;
    label.SetColor(clSilver);
    label.SetCaption(QStringLiteral("I"));
    struct Case
    {
        TcsStyle style;
        TColor left;
        TColor right;
    };
    const Case cases[] = {
        {csRaised, clWhite, clGray}, {csLowered, clGray, clWhite}, {csNONE, clSilver, clSilver}};
    for (const Case &c : cases) {
        label.SetCaptionStyle(c.style);
        label.Repaint();
        const TInk red = InkOf(label.Surface(), clRed);
        ASSERT_GT(red.Count, 0);
        const int midY = (red.Top + red.Bottom) / 2;
        EXPECT_EQ(PixelAt(label.Surface(), red.Left - 1, midY), c.left) << c.style;
        EXPECT_EQ(PixelAt(label.Surface(), red.Right + 1, midY), c.right) << c.style;
    }
}

TEST(JX3dLabel, ShadowFollowsDepthAndColour)
{
    TJX3dLabel label;
    label.SetColor(clWhite);
    label.SetCaptionStyle(csShadow);
    label.SetShadowColor(clBlue);
    label.SetShadowDepth(6);
    label.Repaint();
    const TInk red = InkOf(label.Surface(), clRed);
    const TInk blue = InkOf(label.Surface(), clBlue);
    ASSERT_GT(blue.Count, 0);
    EXPECT_EQ(blue.Right, red.Right + 6);
    EXPECT_EQ(blue.Bottom, red.Bottom + 6);
}

TEST(JX3dLabel, CaptionSpacingWidensTheText)
{
    TJX3dLabel label;
    label.SetColor(clWhite);
    label.SetCaptionStyle(csNONE);
    label.SetCaption(QStringLiteral("IIII"));
    label.SetCaptionSpacing(0);
    label.Repaint();
    const TInk tight = InkOf(label.Surface(), clRed);
    label.SetCaptionSpacing(10);
    label.Repaint();
    const TInk wide = InkOf(label.Surface(), clRed);
    // Three gaps between four letters, 10 pixels each.
    EXPECT_NEAR((wide.Right - wide.Left) - (tight.Right - tight.Left), 30, 1);
    EXPECT_EQ(wide.Count, tight.Count);
}

TEST(JX3dLabel, BevelFrames)
{
    TJX3dLabel label;
    label.SetColor(clSilver);
    label.SetBorderSize(3);
    label.SetBorderStyle(bvRaised);
    label.Repaint();
    EXPECT_EQ(PixelAt(label.Surface(), 0, 0), clWhite);
    EXPECT_EQ(PixelAt(label.Surface(), 2, 20), clWhite);
    EXPECT_EQ(PixelAt(label.Surface(), 169, 44), clGray);
    EXPECT_EQ(PixelAt(label.Surface(), 167, 20), clGray);
    EXPECT_EQ(PixelAt(label.Surface(), 3, 20), clSilver);
    label.SetBorderStyle(bvLowered);
    label.Repaint();
    EXPECT_EQ(PixelAt(label.Surface(), 2, 20), clGray);
    EXPECT_EQ(PixelAt(label.Surface(), 167, 20), clWhite);
    label.SetBorderStyle(bvNone);
    label.Repaint();
    EXPECT_EQ(PixelAt(label.Surface(), 0, 0), clSilver);
}

TEST(JX3dLabel, AutoSizeFitsTheTextAndDropsAlign)
{
    TJX3dLabel label;
    label.SetCaption(QStringLiteral("Hallo Welt"));
    label.SetCaptionSpacing(2);
    label.SetAlign(alClient);
    label.SetAutoSize(true);
    label.Repaint();

    TBitmap probe(1, 1);
    probe.Canvas()->SetFont(label.Font());
    probe.Canvas()->SetTextCharacterExtra(2);
    TRect extent = Rect(0, 0, 170, 45);
    probe.Canvas()->DrawText(QStringLiteral("Hallo Welt"), extent, DT_CALCRECT | DT_CENTER);
    EXPECT_EQ(label.Align(), alNone);
    EXPECT_EQ(label.Width(), extent.Width() + 10);
    EXPECT_EQ(label.Height(), extent.Height() + 6);
    const int oneLine = label.Height();

    label.SetCaption(QStringLiteral("Hallo^MWelt"));
    label.Repaint();
    EXPECT_EQ(label.Height() - 6, 2 * (oneLine - 6));
    const int width = label.Width();
    label.Repaint();
    EXPECT_EQ(label.Width(), width);
}

TEST(JX3dLabel, LongCaptionsAreDrawnWhole)
{
    TJX3dLabel label;
    label.SetAutoSize(true);
    label.SetCaption(QString(255, QLatin1Char('W')));
    label.Repaint();
    const int width255 = label.Width();
    label.SetCaption(QString(300, QLatin1Char('W')));
    label.Repaint();
    EXPECT_GT(label.Width(), width255 + 40 * 5);
    // The last letters are drawn too.
    EXPECT_GT(InkOf(label.Surface(), clRed).Right, label.Width() - 15);
}

TEST(JX3dLabel, TransparentLetsTheParentShowThrough)
{
    TWinControl parent;
    parent.SetBounds(0, 0, 200, 60);
    parent.SetColor(clBlue);
    auto *label = new TJX3dLabel(&parent);
    label->SetParent(&parent);
    label->SetBounds(10, 10, 170, 45);
    label->SetColor(clYellow);
    parent.show();

    QImage opaque = parent.grab().toImage();
    EXPECT_EQ(PixelAt(opaque, 12, 12), clYellow);

    label->SetTransparent(true);
    EXPECT_FALSE(label->PaintPending());
    label->Invalidate();
    QImage clear = parent.grab().toImage();
    EXPECT_EQ(PixelAt(clear, 12, 12), clBlue);
    EXPECT_EQ(PixelAt(clear, 5, 5), clBlue);
    EXPECT_EQ(InkOf(clear, clYellow).Count, 0);
    EXPECT_GT(InkOf(clear, clRed).Count, 0);
}

TEST(JX3dLabel, InvisibleLabelDrawsOnlyInTheDesigner)
{
    TJX3dLabel label;
    label.SetVisible(false);
    label.Repaint();
    EXPECT_EQ(InkOf(label.Surface(), clRed).Count, 0);
    label.SetDesigning(true);
    label.Repaint();
    EXPECT_GT(InkOf(label.Surface(), clRed).Count, 0);
}
