// SPDX-License-Identifier: MIT
// Tests of TJXGauge: lit boxes and their colours on the surface, value rules, repaint
// economy, peak hold and the audio-meter decay.
#include "display/JXGauge.h"
#include "host/controls/Forms.h"
#include "host/core/Timer.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMetaProperty>
#include <QTest>

#include <climits>
#include <memory>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

// The default gauge (100 x 20, lowered frame, border 2, 10 boxes) has its inner area at
// (3,3)-(97,17), a pitch of 9 and a margin of 2: box k covers x = 5 + 9(k-1) .. +8.
constexpr int kMidY = 10;
int BoxCentreX(int k)
{
    return 5 + 9 * (k - 1) + 4;
}

constexpr TColor kDimNavy = 0x351C1C; // RGB(28, 28, 53)

std::unique_ptr<TJXGauge> MakeGauge()
{
    auto g = std::make_unique<TJXGauge>();
    g->SetShowPeak(false);
    g->Repaint();
    return g;
}

int LitBoxes(const TJXGauge &g, TColor lit)
{
    int n = 0;
    for (int k = 1; k <= g.Boxes(); ++k)
        if (PixelAt(g.Surface(), BoxCentreX(k), kMidY) == lit)
            ++n;
    return n;
}

} // namespace

TEST(JXGauge, DefaultsAndPublishedOrder)
{
    TJXGauge g;
    EXPECT_EQ(g.Width(), 100);
    EXPECT_EQ(g.Height(), 20);
    EXPECT_EQ(g.Boxes(), 10);
    EXPECT_EQ(g.BoxColor(), clNavy);
    EXPECT_EQ(g.Color(), clSilver);
    EXPECT_EQ(g.BorderStyle(), bvLowered);
    EXPECT_TRUE(g.ShowPeak());
    EXPECT_EQ(g.Timer()->Interval(), 50);
    EXPECT_TRUE(g.Timer()->Active());
    EXPECT_EQ(g.LitAtLastPaint(), -1);

    const QMetaObject *mo = g.metaObject();
    const QStringList expected = {"About_JXTools", "BorderStyle", "BorderWidth", "Boxes",
                                  "BoxColor",      "Color",       "Kind",        "MaxValue",
                                  "MinValue",      "Progress",    "BoxPreview",  "ShowPeak"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(QString::fromLatin1(mo->property(mo->propertyOffset() + i).name()), expected[i]);
    EXPECT_EQ(g.property("About_JXTools").value<TJXAboutString>(), QStringLiteral("10.10.98"));
    EXPECT_TRUE(g.setProperty("Progress", 40));
    EXPECT_EQ(g.Progress(), 40);
}

TEST(JXGauge, LitBoxesFollowProgressAndRepaintOnlyOnChange)
{
    auto g = MakeGauge();
    EXPECT_EQ(LitBoxes(*g, clNavy), 0);
    EXPECT_EQ(PixelAt(g->Surface(), BoxCentreX(1), kMidY), kDimNavy);

    g->SetProgress(55);
    EXPECT_EQ(LitBoxes(*g, clNavy), 5);
    EXPECT_EQ(PixelAt(g->Surface(), BoxCentreX(5), kMidY), clNavy);
    EXPECT_EQ(PixelAt(g->Surface(), BoxCentreX(6), kMidY), kDimNavy);
    // The one-pixel gap between boxes shows the background.
    EXPECT_EQ(PixelAt(g->Surface(), 5 + 8, kMidY), clSilver);

    const int paints = g->PaintCount();
    g->SetProgress(59);
    EXPECT_EQ(g->Progress(), 59);
    EXPECT_EQ(g->PaintCount(), paints);
    g->SetProgress(60);
    EXPECT_EQ(g->PaintCount(), paints + 1);
    EXPECT_EQ(LitBoxes(*g, clNavy), 6);
    g->AddProgress(40);
    EXPECT_EQ(g->Progress(), 100);
    EXPECT_EQ(LitBoxes(*g, clNavy), 10);
    EXPECT_EQ(g->GetPercentDone(), 100);
}

TEST(JXGauge, ProgressIsClampedAndLimitsAcceptOnlyValidValues)
{
    TJXGauge g;
    g.SetProgress(150);
    EXPECT_EQ(g.Progress(), 100);
    g.SetMinValue(10);
    g.SetProgress(-3);
    EXPECT_EQ(g.Progress(), 10);
    g.AddProgress(INT_MAX); // no overflow: clamps to MaxValue
    EXPECT_EQ(g.Progress(), 100);

    struct Case
    {
        int min, max, set;
        bool isMax;
        int expectMin, expectMax;
    };
    const Case cases[] = {
        {0, 100, 0, true, 0, 100},    // max not above min
        {0, 100, -5, true, 0, 100},   // negative
        {0, 100, 50, true, 0, 50},    // accepted
        {0, 100, 100, false, 0, 100}, // min not below max
        {0, 100, -1, false, 0, 100},  // negative
        {0, 100, 99, false, 99, 100}, // accepted
        {20, 100, 10, true, 20, 100}, // max below min
    };
    for (const Case &c : cases) {
        TJXGauge h;
        h.SetMaxValue(c.max);
        h.SetMinValue(c.min);
        if (c.isMax)
            h.SetMaxValue(c.set);
        else
            h.SetMinValue(c.set);
        EXPECT_EQ(h.MinValue(), c.expectMin) << c.set;
        EXPECT_EQ(h.MaxValue(), c.expectMax) << c.set;
    }

    // Changing the limits leaves Progress alone.
    TJXGauge k;
    k.SetProgress(90);
    k.SetMaxValue(50);
    EXPECT_EQ(k.Progress(), 90);
}

TEST(JXGauge, PercentHelpersTruncateAndAvoidOverflow)
{
    EXPECT_EQ(TJXGauge::SolveForY(1, 3), 33);
    EXPECT_EQ(TJXGauge::SolveForY(2, 3), 66);
    EXPECT_EQ(TJXGauge::SolveForY(5, 0), 0);
    EXPECT_EQ(TJXGauge::SolveForY(21000000, 21474836), 97);
    // Large ranges: x * 100 would not fit in 32 bits.
    EXPECT_EQ(TJXGauge::SolveForY(2000000000, 2100000000), 95);
    EXPECT_EQ(TJXGauge::SolveForY(1999999999, 2000000000), 99);
    EXPECT_EQ(TJXGauge::SolveForX(55, 10), 5);
    EXPECT_EQ(TJXGauge::SolveForX(99, 10), 9);
    EXPECT_EQ(TJXGauge::SolveForX(100, 7), 7);

    TJXGauge g;
    g.SetMaxValue(2100000000);
    g.SetProgress(2000000000);
    EXPECT_EQ(g.GetPercentDone(), 95);
}

TEST(JXGauge, DimmedColourIsAFifthOfTheBoxColour)
{
    auto g = MakeGauge();
    // 200 -> 32 + 33 + 2; 100 -> 32 + 13 + 2; 0 -> 32 - 6 + 2 (truncating toward zero).
    g->SetBoxColor(RGB(200, 100, 0));
    g->Repaint();
    EXPECT_EQ(PixelAt(g->Surface(), BoxCentreX(1), kMidY), RGB(67, 47, 28));
    g->SetBoxColor(clWhite);
    g->Repaint();
    EXPECT_EQ(PixelAt(g->Surface(), BoxCentreX(1), kMidY), RGB(78, 78, 78));

    g->SetBoxPreview(false);
    g->Repaint();
    EXPECT_EQ(PixelAt(g->Surface(), BoxCentreX(1), kMidY), clSilver);
}

TEST(JXGauge, AudioMeterColoursByHeight)
{
    auto g = MakeGauge();
    g->SetBoxColor(clGreen);
    g->SetProgress(100);
    g->Repaint();
    // 10 boxes: red above 8, yellow above 6, lime below.
    const TColor full[] = {clLime, clLime,   clLime,   clLime, clLime,
                           clLime, clYellow, clYellow, clRed,  clRed};
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(PixelAt(g->Surface(), BoxCentreX(k), kMidY), full[k - 1]) << k;

    g->SetProgress(0);
    g->Repaint();
    const TColor dim[] = {clGreen, clGreen, clGreen, clGreen,  clGreen,
                          clGreen, clOlive, clOlive, clMaroon, clMaroon};
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(PixelAt(g->Surface(), BoxCentreX(k), kMidY), dim[k - 1]) << k;

    // Without preview the low limit is 4: the lowest four boxes stay green.
    g->SetBoxPreview(false);
    g->SetProgress(60);
    g->Repaint();
    const TColor low[] = {clGreen, clGreen,  clGreen,  clGreen,  clLime,
                          clLime,  clSilver, clSilver, clSilver, clSilver};
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(PixelAt(g->Surface(), BoxCentreX(k), kMidY), low[k - 1]) << k;
}

TEST(JXGauge, AudioMeterDecaysAndKeepsFiveBoxes)
{
    TJXGauge g;
    g.SetShowPeak(false);
    g.SetBoxColor(clGreen);
    g.SetBoxes(3);
    EXPECT_EQ(g.Boxes(), 5);
    g.SetProgress(12);
    g.JXOnTime();
    EXPECT_EQ(g.Progress(), 7);
    g.JXOnTime();
    g.JXOnTime();
    EXPECT_EQ(g.Progress(), 0);

    g.SetBoxColor(clNavy);
    g.SetBoxes(3);
    EXPECT_EQ(g.Boxes(), 3);
}

TEST(JXGauge, DisabledGaugeLightsGray)
{
    auto g = MakeGauge();
    g->SetProgress(30);
    g->SetEnabled(false);
    g->Repaint();
    EXPECT_EQ(LitBoxes(*g, clGray), 3);
    EXPECT_EQ(LitBoxes(*g, clNavy), 0);
}

TEST(JXGauge, GaugeInADisabledWidgetPaintsAsDisabled)
{
    // Disabled by its parent, or through QWidget, the gauge greys its boxes as with
    // Enabled false, and lights them again when enabled.
    QWidget host;
    auto *g = new TJXGauge;
    g->setParent(&host);
    g->SetShowPeak(false);
    g->SetProgress(30);
    host.setEnabled(false);
    EXPECT_TRUE(g->Enabled());
    g->Repaint();
    EXPECT_EQ(LitBoxes(*g, clGray), 3);
    EXPECT_EQ(LitBoxes(*g, clNavy), 0);
    host.setEnabled(true);
    g->Repaint();
    EXPECT_EQ(LitBoxes(*g, clNavy), 3);
    g->setEnabled(false);
    EXPECT_FALSE(g->Enabled());
    g->Repaint();
    EXPECT_EQ(LitBoxes(*g, clGray), 3);
}

TEST(JXGauge, FramesOfEachBorderStyle)
{
    auto g = MakeGauge();
    EXPECT_EQ(PixelAt(g->Surface(), 0, 0), clGray);
    EXPECT_EQ(PixelAt(g->Surface(), 99, 19), clWhite);
    // The gap between frame and boxes is the background.
    EXPECT_EQ(PixelAt(g->Surface(), 2, kMidY), clSilver);
    g->SetBorderStyle(bvRaised);
    g->Repaint();
    EXPECT_EQ(PixelAt(g->Surface(), 0, 0), clWhite);
    EXPECT_EQ(PixelAt(g->Surface(), 99, 19), clGray);
    g->SetBorderStyle(bvNone);
    g->Repaint();
    EXPECT_EQ(PixelAt(g->Surface(), 0, 0), clSilver);
}

TEST(JXGauge, VerticalBoxesGrowUpward)
{
    auto g = MakeGauge();
    g->SetBounds(0, 0, 20, 100);
    g->SetKind(jxgVertical);
    g->SetProgress(20);
    g->Repaint();
    // Inner area (3,3)-(17,97), pitch 9, margin 2: box k spans y = 95 - 9k .. +8.
    auto boxY = [](int k) { return 95 - 9 * k + 4; };
    EXPECT_EQ(PixelAt(g->Surface(), 10, boxY(1)), clNavy);
    EXPECT_EQ(PixelAt(g->Surface(), 10, boxY(2)), clNavy);
    EXPECT_EQ(PixelAt(g->Surface(), 10, boxY(3)), kDimNavy);
    EXPECT_EQ(PixelAt(g->Surface(), 10, boxY(10)), kDimNavy);
}

TEST(JXGauge, NarrowGaugeShowsTheBoxesThatFitAndKeepsBoxes)
{
    auto g = MakeGauge();
    g->SetProgress(100);
    g->SetBounds(0, 0, 30, 20);
    g->Repaint();
    // (30 - 2 - 2) div 3 = 8 boxes of pitch 3 fit; inner area x 3..26, margin 0: boxes of
    // two pixels at x = 3, 6, .. 24, all lit at full scale.
    EXPECT_EQ(g->Boxes(), 10);
    EXPECT_EQ(g->ShownBoxes(), 8);
    EXPECT_EQ(jxt::test::CountColor(g->Surface(), clNavy, 3, kMidY, 27, kMidY + 1), 16);
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(PixelAt(g->Surface(), 3 + 3 * (k - 1), kMidY), clNavy) << k;
    g->Repaint();
    EXPECT_EQ(g->Boxes(), 10); // painting again changes nothing

    // Half the value lights half of the boxes shown, and the squeeze ends with all ten.
    g->SetProgress(50);
    EXPECT_EQ(g->LitAtLastPaint(), 4);
    EXPECT_EQ(jxt::test::CountColor(g->Surface(), clNavy, 3, kMidY, 27, kMidY + 1), 8);
    g->SetBounds(0, 0, 100, 20);
    g->Repaint();
    EXPECT_EQ(g->ShownBoxes(), 10);
    EXPECT_EQ(LitBoxes(*g, clNavy), 5);
    EXPECT_EQ(LitBoxes(*g, kDimNavy), 5);
}

TEST(JXGauge, GaugeWithoutBoxesShowsBackgroundOnly)
{
    auto g = MakeGauge();
    g->SetBoxes(0);
    g->SetProgress(70);
    g->SetShowPeak(true);
    g->JXOnTime();
    g->Repaint();
    EXPECT_EQ(g->LitAtLastPaint(), 0);
    EXPECT_EQ(jxt::test::CountColor(g->Surface(), clSilver, 1, 1, 99, 19), 98 * 18);
    EXPECT_EQ(PixelAt(g->Surface(), 0, 0), clGray);
    // Going back to boxes works as before.
    g->SetShowPeak(false);
    g->SetBoxes(10);
    g->Repaint();
    EXPECT_EQ(LitBoxes(*g, clNavy), 7);
}

TEST(JXGauge, SetColorFillsAtOnce)
{
    auto g = MakeGauge();
    g->SetProgress(50);
    const int paints = g->PaintCount();
    g->SetColor(clRed);
    EXPECT_EQ(g->PaintCount(), paints);
    EXPECT_EQ(PixelAt(g->Surface(), BoxCentreX(1), kMidY), clRed);
    EXPECT_TRUE(g->PaintPending());
    g->Update();
    EXPECT_EQ(PixelAt(g->Surface(), BoxCentreX(1), kMidY), clNavy);
    EXPECT_EQ(PixelAt(g->Surface(), 2, kMidY), clRed);
}

TEST(JXGauge, PeakHoldsTwentyTicksThenResets)
{
    TJXGauge g;
    g.Repaint();
    GaugeMaxPeakWert = 0;
    g.SetProgress(80);
    g.JXOnTime();
    EXPECT_EQ(g.Peak(), 80);
    EXPECT_EQ(GaugeMaxPeakWert, 80);
    g.SetProgress(20);
    // The marker is the far half of box 8 (yellow: above the yellow threshold 6).
    EXPECT_EQ(PixelAt(g.Surface(), 5 + 9 * 7 + 5, kMidY), clYellow);
    EXPECT_EQ(PixelAt(g.Surface(), 5 + 9 * 7 + 1, kMidY), kDimNavy);
    for (int tick = 2; tick <= 20; ++tick)
        g.JXOnTime();
    EXPECT_EQ(g.Peak(), 80);
    EXPECT_EQ(g.Timer()->Tag(), 20);
    g.JXOnTime(); // 21st tick: reset
    EXPECT_EQ(g.Peak(), 0);
    EXPECT_EQ(g.Timer()->Tag(), 0);
    g.JXOnTime();
    EXPECT_EQ(g.Peak(), 20);
    EXPECT_EQ(GaugeMaxPeakWert, 80);

    // The marker now sits on box 2 (lime); switching the peak off removes it.
    g.Repaint();
    EXPECT_EQ(PixelAt(g.Surface(), 5 + 9 + 5, kMidY), clLime);
    g.SetShowPeak(false);
    EXPECT_TRUE(g.PaintPending());
    g.Update();
    EXPECT_EQ(PixelAt(g.Surface(), 5 + 9 + 5, kMidY), clNavy);
    EXPECT_EQ(g.Timer()->Tag(), -1);
    EXPECT_FALSE(g.Timer()->Active());
    EXPECT_EQ(g.Peak(), 0);
    g.SetProgress(90);
    g.JXOnTime();
    EXPECT_EQ(g.Peak(), 0);
}

TEST(JXGauge, RunningTimerTracksPeakAndDecay)
{
    TManualTimerClock clock;
    TJXGauge g;
    g.SetBoxColor(clGreen);
    g.SetProgress(100);
    clock.Advance(400);
    EXPECT_LT(g.Progress(), 95);
    EXPECT_EQ(g.Peak(), 100);
    EXPECT_GE(g.Progress(), 0);
    EXPECT_TRUE(g.Timer()->Active()); // switched back on after each step
}

TEST(JXGauge, TooSmallForItsFrameGrowsToFitButNeverFightsItsParent)
{
    TJXGauge gauge;
    gauge.SetBounds(0, 0, 10, 50);
    gauge.SetBorderWidth(20); // lowered frame 1 + border 20 on each side
    gauge.Repaint();
    EXPECT_EQ(gauge.Width(), 43); // the first width whose inner width is 1
    EXPECT_EQ(gauge.Height(), 50);

    // Aligned to the top of a narrow form, the width is the form's: the gauge stays as it is
    // and the paints stop.
    TForm form;
    form.SetBounds(0, 0, 30, 100);
    auto *aligned = new TJXGauge(&form);
    aligned->SetParent(&form);
    aligned->SetBorderWidth(20);
    aligned->SetAlign(alTop);
    aligned->Repaint();
    const int paints = aligned->PaintCount();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(aligned->Width(), 30);
    EXPECT_LE(aligned->PaintCount(), paints + 1);
    EXPECT_FALSE(aligned->PaintPending());

    // A border no control could hold does not make it grow at all.
    TJXGauge huge;
    huge.SetBounds(0, 0, 100, 20);
    for (int border : {1000000000, INT_MIN, INT_MAX}) {
        huge.SetBorderWidth(border);
        huge.Repaint();
        EXPECT_EQ(huge.Width(), 100);
        EXPECT_EQ(huge.Height(), 20);
    }
}
