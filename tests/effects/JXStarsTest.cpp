// SPDX-License-Identifier: MIT
// Star field: ranges, spreading and re-spreading, projection and brightness of a star, its
// rebirth, and a step per paint.
#include "effects/JXStars.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QMetaProperty>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

TEST(JXStars, DefaultsAndRanges)
{
    TJXStars s;
    EXPECT_EQ(s.Width(), 75);
    EXPECT_EQ(s.Height(), 50);
    EXPECT_EQ(s.Color(), clBlack);
    EXPECT_EQ(s.MaxStars(), 500);
    EXPECT_EQ(s.Zoom(), 2);
    EXPECT_EQ(s.GetAboutJXT(), QStringLiteral("15.11.96"));
    s.SetMaxStars(0);
    EXPECT_EQ(s.MaxStars(), 1);
    s.SetMaxStars(1000);
    EXPECT_EQ(s.MaxStars(), 500);
    s.SetZoom(0);
    EXPECT_EQ(s.Zoom(), 1);
    s.SetZoom(500);
    EXPECT_EQ(s.Zoom(), 100);
    s.SetInterval(7);
    EXPECT_EQ(s.Interval(), 20);
    EXPECT_TRUE(s.Timer()->Active());
    s.SetInterval(0);
    EXPECT_FALSE(s.Timer()->Active());
    const QMetaObject *mo = s.metaObject();
    const QStringList expected = {"About_JXTools", "Interval", "MaxStars", "Zoom"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(QString::fromLatin1(mo->property(mo->propertyOffset() + i).name()), expected[i]);
}

TEST(JXStars, StarsAreSpreadOverTheSizeAndAgainAfterResizing)
{
    TJXStars s;
    const auto extent = [&s] {
        int maxX = 0;
        for (int i = 0; i < TJXStars::kStarCount; ++i) {
            const auto &star = s.Stars(i);
            EXPECT_GE(star.X, -s.Width());
            EXPECT_LT(star.X, s.Width());
            EXPECT_GE(star.Y, -s.Height());
            EXPECT_LT(star.Y, s.Height());
            EXPECT_GE(star.Z, 1);
            EXPECT_LE(star.Z, 30);
            maxX = std::max(maxX, std::abs(star.X));
        }
        return maxX;
    };
    EXPECT_LE(extent(), 75);
    s.SetBounds(0, 0, 400, 300);
    EXPECT_GT(extent(), 200); // 500 stars over 800 units: some lie beyond the old size
}

TEST(JXStars, AStarIsProjectedAndBrightensAsItApproaches)
{
    TJXStars s;
    s.SetBounds(0, 0, 100, 60);
    s.SetColor(clNavy);
    s.SetMaxStars(1);
    // At depth 2, one step brings the star to depth 1: 10 x 2 div 2 right of the centre, white.
    s.SetStar(0, {10, -6, 2});
    s.Repaint();
    EXPECT_EQ(s.Stars(0).Z, 1);
    EXPECT_EQ(PixelAt(s.Surface(), 60, 24), clWhite);
    EXPECT_EQ(CountColor(s.Surface(), clNavy, 0, 0, 100, 60), 100 * 60 - 1);

    // At depth 30 it is black and 20 div 31 = 0 from the centre.
    s.SetStar(0, {10, 0, 31});
    s.Repaint();
    EXPECT_EQ(PixelAt(s.Surface(), 50, 30), clBlack);
    // Half way, brightness 15 - 15 div 2 = 8: grey 136, at 10 x 2 div 16 = 1.
    s.SetStar(0, {10, 0, 16});
    s.Repaint();
    EXPECT_EQ(PixelAt(s.Surface(), 51, 30), RGB(136, 136, 136));

    // A star that arrives is reborn far away at a new place.
    s.SetStar(0, {999, 999, 1});
    s.Timer()->Tick();
    EXPECT_EQ(s.Stars(0).Z, 30);
    EXPECT_LT(s.Stars(0).X, 100);
    EXPECT_LT(s.Stars(0).Y, 60);
    EXPECT_FALSE(s.Timer()->Active()); // the tick leaves a stopped field stopped

    // Stars beyond MaxStars keep their state.
    s.SetStar(1, {5, 5, 20});
    s.Repaint();
    EXPECT_EQ(s.Stars(1).Z, 20);
}

TEST(JXStars, EveryPaintIsOneStep)
{
    TJXStars s;
    const int z = s.Stars(0).Z;
    s.Repaint();
    s.Repaint();
    EXPECT_EQ(s.Stars(0).Z, z > 2 ? z - 2 : s.Stars(0).Z);
    s.SetStar(0, {0, 0, 12});
    s.SetInterval(25);
    s.JXOnTime();
    EXPECT_EQ(s.Stars(0).Z, 11);
    EXPECT_TRUE(s.Timer()->Active());
    // A depth that no step gives cannot divide by zero.
    TBitmap b(4, 4);
    s.DPunkt(b, 3, 3, -1, 15);
}

TEST(JXStars, OutOfSightTheStarsFlyOnUndrawn)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *s = new TJXStars;
    layout->addWidget(s);
    window.resize(60, 40);
    window.show();
    s->Repaint();
    window.hide();
    const QImage before = s->Surface();
    s->SetStar(0, {0, 0, 12});
    s->JXOnTime();
    EXPECT_EQ(s->Stars(0).Z, 11);
    EXPECT_EQ(s->Surface(), before);
    EXPECT_TRUE(s->PaintPending());
    // Shown again, the next paint is the step after the one reached.
    window.show();
    s->Update();
    EXPECT_EQ(s->Stars(0).Z, 10);
    EXPECT_NE(s->Surface(), before);
}
