// SPDX-License-Identifier: MIT
// Tests of TJXScrollText: interval rules, steps, wrapping with OnStartText, auto scroll,
// shadow, the vertical block and the running timer.
#include "display/JXScrollText.h"

#include "TestSupport.h"
#include "host/controls/Forms.h"

#include <gtest/gtest.h>

#include <QMetaProperty>
#include <QPointer>
#include <QTest>

#include <climits>

using namespace jxt;
using jxt::test::InkOf;
using jxt::test::PixelAt;
using jxt::test::TInk;

namespace {

// A 300 x 50 scroller with black text on white, started inside the control at x = 10.
struct TScroller
{
    TJXScrollText s;
    int scrolls = 0;
    int starts = 0;
    TScroller()
    {
        s.SetBounds(0, 0, 300, 50);
        s.SetColor(clWhite);
        s.Font()->SetColor(clBlack);
        s.Font()->SetHeight(-16);
        s.SetCaption(QStringLiteral("Lauftext"));
        s.OnScroll = [this](TObject *) { ++scrolls; };
        s.OnStartText = [this](TObject *) { ++starts; };
    }
    int TextWidth(const QString &text)
    {
        TBitmap probe(1, 1);
        probe.Canvas()->SetFont(s.Font());
        return probe.Canvas()->TextWidth(text);
    }
};

} // namespace

TEST(JXScrollText, DefaultsAndPublishedOrder)
{
    TJXScrollText s;
    EXPECT_EQ(s.Width(), 75);
    EXPECT_EQ(s.Height(), 50);
    EXPECT_EQ(s.Interval(), 0);
    EXPECT_FALSE(s.Timer()->Active());
    EXPECT_TRUE(s.ScrollHorizontal());
    EXPECT_EQ(s.ShadowColor(), clWhite);
    EXPECT_EQ(s.Steps(), 1);
    s.SetShadowDepth(0);
    EXPECT_EQ(s.ShadowDepth(), 1);
    s.SetShadowDepth(99);
    EXPECT_EQ(s.ShadowDepth(), 50);

    const QMetaObject *mo = s.metaObject();
    const QStringList expected = {"About_JXTools", "AutoScroll",       "Caption",
                                  "Interval",      "ScrollHorizontal", "Shadow",
                                  "ShadowColor",   "ShadowDepth",      "Steps"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(QString::fromLatin1(mo->property(mo->propertyOffset() + i).name()), expected[i]);
    EXPECT_EQ(s.property("About_JXTools").value<TJXAboutString>(), QStringLiteral("01.05.98"));
}

TEST(JXScrollText, IntervalRules)
{
    struct Case
    {
        int set;
        int stored;
        int timer;
        bool active;
        int x;
        int y;
    };
    const Case cases[] = {
        {5, 20, 20, true, 75, 50}, // too fast: 20; starts just outside
        {19, 20, 20, true, 75, 50},   {250, 250, 250, true, 75, 50},
        {-100, -20, 20, true, 10, 0}, // held at -20, starts inside
        {-5, -5, 5, true, 10, 0},     {0, 0, 0, false, 0, 0},
    };
    TJXScrollText s;
    for (const Case &c : cases) {
        s.SetInterval(c.set);
        EXPECT_EQ(s.Interval(), c.stored) << c.set;
        EXPECT_EQ(s.Timer()->Interval(), c.timer) << c.set;
        EXPECT_EQ(s.Timer()->Active(), c.active) << c.set;
        EXPECT_EQ(s.TextX(), c.x) << c.set;
        EXPECT_EQ(s.TextY(), c.y) << c.set;
    }
}

TEST(JXScrollText, StepMovesTheTextOnTheSurfaceWithoutAPaint)
{
    TScroller t;
    t.s.SetInterval(-20);
    t.s.SetSteps(3);
    t.s.Repaint();
    const TInk before = InkOf(t.s.Surface(), clBlack);
    ASSERT_GT(before.Count, 0);
    EXPECT_NEAR(before.Left, 10, 2);
    // The line is centred vertically.
    EXPECT_NEAR((before.Top + before.Bottom) / 2.0, 25.0, 4.0);

    const int paints = t.s.PaintCount();
    t.s.JXOnTime();
    EXPECT_EQ(t.scrolls, 1);
    EXPECT_EQ(t.s.TextX(), 7);
    EXPECT_EQ(t.s.PaintCount(), paints);
    const TInk after = InkOf(t.s.Surface(), clBlack);
    EXPECT_EQ(after.Left, before.Left - 3);
    EXPECT_EQ(after.Count, before.Count);
    EXPECT_TRUE(t.s.Timer()->Active()); // back on after the step
}

TEST(JXScrollText, StepsZeroMovesOneCharacter)
{
    TScroller t;
    t.s.SetInterval(-20);
    t.s.SetSteps(0);
    const int xWidth = t.TextWidth(QStringLiteral("X"));
    ASSERT_GT(xWidth, 3);
    t.s.JXOnTime();
    EXPECT_EQ(t.s.TextX(), 10 - xWidth);

    t.s.SetScrollHorizontal(false);
    TBitmap probe(1, 1);
    probe.Canvas()->SetFont(t.s.Font());
    const int xHeight = probe.Canvas()->TextHeight(QStringLiteral("X"));
    t.s.JXOnTime();
    EXPECT_EQ(t.s.TextY(), -xHeight);
}

TEST(JXScrollText, TextWrapsAroundWhenItHasLeft)
{
    TScroller t;
    t.s.SetInterval(-20);
    const int width = t.TextWidth(t.s.Caption());
    t.s.SetSteps(10);
    int steps = 0;
    while (t.starts == 0 && steps < 1000) {
        t.s.JXOnTime();
        ++steps;
    }
    // x runs 10, 0, -10, ... and wraps at the first value left of -width.
    EXPECT_EQ(steps, (10 + width) / 10 + 1);
    EXPECT_EQ(t.s.TextX(), 300);
    EXPECT_EQ(t.scrolls, steps);
    EXPECT_EQ(InkOf(t.s.Surface(), clBlack).Count, 0);
    // It comes in again from the right.
    for (int i = 0; i < 3; ++i)
        t.s.JXOnTime();
    EXPECT_GT(InkOf(t.s.Surface(), clBlack).Left, 300 - 31);
}

TEST(JXScrollText, HandlersMayStopTheTimerDuringAStep)
{
    TScroller t;
    t.s.SetInterval(-20);
    t.s.SetSteps(255);
    t.s.OnStartText = [&](TObject *) { t.s.SetInterval(0); };
    t.s.JXOnTime();
    EXPECT_FALSE(t.s.Timer()->Active());

    // A step run by hand on a stopped scroller does not start it.
    TScroller idle;
    idle.s.JXOnTime();
    EXPECT_FALSE(idle.s.Timer()->Active());
}

TEST(JXScrollText, AHandlerMayFreeTheScrollerDuringAStep)
{
    // Each handler frees the scroller; the step returns without touching it again (the
    // address sanitizer run sees any later use).
    for (const bool horizontal : {true, false}) {
        for (const bool onStart : {false, true}) {
            TForm form;
            form.SetBounds(0, 0, 320, 80);
            auto *s = new TJXScrollText(&form);
            s->SetParent(&form);
            s->SetBounds(0, 0, 300, 50);
            s->SetScrollHorizontal(horizontal);
            s->SetCaption(QStringLiteral("Lauftext"));
            s->SetInterval(-20);
            s->SetSteps(255); // one step takes the text out, so the next one restarts it
            const QPointer<TJXScrollText> alive(s);
            const auto freeIt = [](TObject *sender) {
                static_cast<TJXScrollText *>(sender)->Free();
            };
            (onStart ? s->OnStartText : s->OnScroll) = freeIt;
            form.Show();
            for (int i = 0; i < 4 && alive; ++i)
                s->JXOnTime();
            EXPECT_TRUE(alive.isNull()) << horizontal << onStart;
        }
    }
}

TEST(JXScrollText, AutoScrollOnlyWhenTheCaptionDoesNotFit)
{
    TScroller t;
    t.s.SetInterval(20);
    t.s.SetAutoScroll(true);
    t.s.SetCaption(QStringLiteral("kurz"));
    EXPECT_FALSE(t.s.Timer()->Active());
    EXPECT_EQ(t.s.TextX(), 0);
    t.s.Repaint();
    EXPECT_LE(InkOf(t.s.Surface(), clBlack).Left, 2);

    t.s.SetCaption(QString(60, QLatin1Char('M')));
    EXPECT_TRUE(t.s.Timer()->Active());
    EXPECT_EQ(t.s.TextX(), 0);
}

TEST(JXScrollText, ShadowUnderTheText)
{
    TScroller t;
    t.s.SetInterval(-20);
    t.s.SetShadow(true);
    t.s.SetShadowColor(clBlue);
    t.s.SetShadowDepth(4);
    t.s.Repaint();
    const TInk text = InkOf(t.s.Surface(), clBlack);
    const TInk shadow = InkOf(t.s.Surface(), clBlue);
    ASSERT_GT(shadow.Count, 0);
    EXPECT_EQ(shadow.Right, text.Right + 4);
    EXPECT_EQ(shadow.Bottom, text.Bottom + 4);
}

TEST(JXScrollText, VerticalBlockReentersAfterItsLastLineLeft)
{
    TScroller t;
    t.s.SetScrollHorizontal(false);
    t.s.SetCaption(QStringLiteral("Eins^MZwei^MDrei"));
    t.s.SetBounds(0, 0, 300, 100);
    t.s.SetInterval(20); // starts just below: y = 100
    EXPECT_EQ(t.s.TextY(), 100);

    TBitmap probe(1, 1);
    probe.Canvas()->SetFont(t.s.Font());
    const int lineHeight = probe.Canvas()->TextHeight(QStringLiteral("Eins"));

    int steps = 0;
    while (t.starts == 0 && steps < 1000) {
        t.s.JXOnTime();
        ++steps;
        if (t.s.TextY() == 10) {
            // The block is centred horizontally and its three lines are all there.
            const TInk ink = InkOf(t.s.Surface(), clBlack);
            EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 150.0, 4.0);
            EXPECT_GT(ink.Bottom - ink.Top, 2 * lineHeight);
        }
    }
    // y runs 99, 98, ... and wraps at the first value above the block: -(3 lines) - 1.
    EXPECT_EQ(steps, 100 + 3 * lineHeight + 1);
    EXPECT_EQ(t.s.TextY(), 100);
}

TEST(JXScrollText, LongVerticalCaptionsAreKeptWhole)
{
    // 300 characters: the block must include the lines beyond the first 255 characters.
    QString caption;
    for (int i = 0; i < 60; ++i)
        caption += QStringLiteral("abcd ");
    TScroller t;
    t.s.SetScrollHorizontal(false);
    t.s.SetCaption(caption);
    TBitmap probe(1, 1);
    probe.Canvas()->SetFont(t.s.Font());
    TRect full = Rect(0, 0, 300, 50);
    probe.Canvas()->DrawText(caption, full, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    TRect cut = Rect(0, 0, 300, 50);
    probe.Canvas()->DrawText(caption.left(255), cut, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    ASSERT_GT(full.Height(), cut.Height());

    t.s.SetInterval(-20); // y = 0
    int steps = 0;
    while (t.starts == 0 && steps < 1000) {
        t.s.JXOnTime();
        ++steps;
    }
    EXPECT_EQ(steps, full.Height() + 1);
}

TEST(JXScrollText, InvisibleScrollerDrawsNothing)
{
    TScroller t;
    t.s.SetInterval(-20);
    t.s.SetVisible(false);
    t.s.Repaint();
    // Neither the white background nor the text reached the (still blank) surface.
    EXPECT_EQ(InkOf(t.s.Surface(), clWhite).Count, 0);
    t.s.SetDesigning(true);
    t.s.Repaint();
    EXPECT_GT(InkOf(t.s.Surface(), clBlack).Count, 0);
}

TEST(JXScrollText, RunningTimerScrolls)
{
    TManualTimerClock clock;
    TScroller t;
    t.s.SetInterval(20);
    clock.Advance(60);
    EXPECT_EQ(t.scrolls, 3);
    EXPECT_LT(t.s.TextX(), 300);
    EXPECT_TRUE(t.s.Timer()->Active());
}

TEST(JXScrollText, EveryStepShowsTheTextAsIfDrawnAtItsPlace)
{
    // The line is drawn once and moved; each step must give the pixels of drawing the text
    // (and its shadow) afresh at the new place, italic overhangs and the edges included.
    for (bool shadow : {false, true}) {
        TJXScrollText text;
        text.SetBounds(0, 0, 120, 40);
        text.SetColor(clNavy);
        text.Font()->SetName(QStringLiteral("Times New Roman"));
        text.Font()->SetSize(14);
        text.Font()->SetStyle(TFontStyles{fsItalic});
        text.Font()->SetColor(clYellow);
        text.SetShadow(shadow);
        text.SetShadowDepth(3);
        text.SetCaption(QStringLiteral("fjord Wolf"));
        text.SetInterval(-20);
        text.SetSteps(7);
        text.Timer()->SetEnabled(false);
        for (int step = 0; step < 30; ++step) {
            text.JXOnTime();
            // At the surface's device pixel ratio, as a surface of a scaled screen is drawn.
            const qreal ratio = text.Surface().devicePixelRatio();
            TBitmap expected(qRound(120 * ratio), qRound(40 * ratio));
            expected.Image().setDevicePixelRatio(ratio);
            TCanvas *c = expected.Canvas();
            c->Brush()->SetColor(clNavy);
            c->FillRect(Rect(0, 0, 120, 40));
            c->SetFont(text.Font());
            if (shadow) {
                c->Brush()->SetStyle(bsClear);
                c->Font()->SetColor(text.ShadowColor());
                c->TextOut(text.TextX() + 3, text.TextY() + 3, text.Caption());
                c->Font()->SetColor(clYellow);
            }
            c->TextOut(text.TextX(), text.TextY(), text.Caption());
            const QImage want = expected.Image().convertToFormat(QImage::Format_RGB32);
            const QImage got = text.Surface().convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(got, want) << "shadow " << shadow << " step " << step << " x "
                                 << text.TextX();
        }
    }
}
