// SPDX-License-Identifier: MIT
// Blinker: colour alternation, the resting colour, changing controls and styles, and a
// control that goes away.
#include "display/JXBlinker.h"

#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"
#include "host/core/Timer.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace jxt;

TEST(JXBlinker, IntervalRule)
{
    TJXBlinker blinker;
    EXPECT_EQ(blinker.GetAboutJXT(), QStringLiteral("15.11.96"));
    EXPECT_FALSE(blinker.Timer()->Active()); // stopped after Create
    const std::pair<int, int> intervals[] = {{5, 20},  {1, 20},    {19, 20},
                                             {20, 20}, {500, 500}, {0, 0}};
    for (const auto &[given, stored] : intervals) {
        blinker.SetInterval(given);
        EXPECT_EQ(blinker.Interval(), stored) << given;
        EXPECT_EQ(blinker.Timer()->Interval(), stored) << given;
    }
}

TEST(JXBlinker, FontColourAlternatesAndIsRestored)
{
    TForm form;
    auto *label = new TLabel(&form);
    label->Font()->SetColor(clNavy);
    TJXBlinker blinker(&form);
    blinker.SetBlinkStyle(bsFontColor);
    blinker.SetControl(label);
    EXPECT_EQ(blinker.BlinkInAktColor(), clNavy);
    blinker.SetInterval(500);
    blinker.SetBlink(true);
    EXPECT_TRUE(blinker.Timer()->Active());
    EXPECT_EQ(blinker.Timer()->Interval(), 500);

    const TColor expected[] = {clYellow, clOlive, clYellow, clOlive};
    for (TColor colour : expected) {
        blinker.JXOnTime();
        EXPECT_EQ(label->Font()->Color(), colour);
        EXPECT_TRUE(blinker.Timer()->Active());
    }
    const TColor background = label->Color();
    blinker.SetBlink(false);
    EXPECT_EQ(label->Font()->Color(), clNavy);
    EXPECT_EQ(label->Color(), background);
    EXPECT_FALSE(blinker.Timer()->Active());

    // Starting again always begins with the first colour.
    blinker.SetBlink(true);
    blinker.JXOnTime();
    EXPECT_EQ(label->Font()->Color(), clYellow);
}

TEST(JXBlinker, BackgroundColourOfAPanel)
{
    TForm form;
    auto *panel = new TCustomPanel(&form);
    panel->SetColor(clTeal);
    TJXBlinker blinker(&form);
    blinker.SetControl(panel);
    EXPECT_EQ(blinker.BlinkInAktColor(), clTeal);
    blinker.SetBlink(true);
    blinker.JXOnTime();
    EXPECT_EQ(panel->Color(), clYellow);
    blinker.JXOnTime();
    EXPECT_EQ(panel->Color(), clOlive);

    // A new resting colour shows at once, even while blinking.
    blinker.SetBlinkInaktColor(clMaroon);
    EXPECT_EQ(panel->Color(), clMaroon);
    blinker.SetBlink(false);
    EXPECT_EQ(panel->Color(), clMaroon);
}

TEST(JXBlinker, StyleChangeRestoresTheOldKindAndRestsOnTheNew)
{
    TForm form;
    auto *label = new TLabel(&form);
    label->SetColor(clSilver);
    label->Font()->SetColor(clPurple);
    TJXBlinker blinker(&form);
    blinker.SetControl(label);
    blinker.SetBlink(true);
    blinker.JXOnTime();
    ASSERT_EQ(label->Color(), clYellow);

    blinker.SetBlinkStyle(bsFontColor);
    EXPECT_EQ(label->Color(), clSilver);
    EXPECT_EQ(blinker.BlinkInAktColor(), clPurple);
    blinker.JXOnTime();
    EXPECT_EQ(label->Font()->Color(), clOlive);
    EXPECT_EQ(label->Color(), clSilver);

    // Without a control the resting colour is kept as it is.
    TJXBlinker idle;
    idle.SetBlinkInaktColor(clGreen);
    idle.SetBlinkStyle(bsFontColor);
    EXPECT_EQ(idle.BlinkInAktColor(), clGreen);
}

TEST(JXBlinker, SecondControlTakesOverWhileBlinking)
{
    TForm form;
    auto *first = new TCustomPanel(&form);
    auto *second = new TCustomPanel(&form);
    first->SetColor(clRed);
    second->SetColor(clBlue);
    TJXBlinker blinker(&form);
    blinker.SetControl(first);
    blinker.SetBlink(true);
    blinker.JXOnTime();
    ASSERT_EQ(first->Color(), clYellow);

    blinker.SetControl(second);
    EXPECT_EQ(first->Color(), clRed);
    EXPECT_EQ(blinker.BlinkInAktColor(), clBlue);
    EXPECT_TRUE(blinker.Blink());
    blinker.JXOnTime();
    EXPECT_EQ(second->Color(), clOlive);
    EXPECT_EQ(first->Color(), clRed);

    // The first control no longer matters to the blinker.
    delete first;
    EXPECT_EQ(blinker.Control(), second);
    EXPECT_TRUE(blinker.Blink());
}

TEST(JXBlinker, FreeingTheControlStopsTheBlinker)
{
    // The control belongs to another owner than the blinker.
    TForm form;
    TForm other;
    auto *label = new TLabel(&other);
    TJXBlinker blinker(&form);
    blinker.SetControl(label);
    blinker.SetBlink(true);
    blinker.JXOnTime();

    label->Free();
    EXPECT_EQ(blinker.Control(), nullptr);
    EXPECT_FALSE(blinker.Blink());
    EXPECT_FALSE(blinker.Timer()->Active());
    blinker.JXOnTime(); // nothing to do, no fault
    blinker.SetBlinkInaktColor(clWhite);

    // And a control without any owner.
    auto *lone = new TCustomPanel(nullptr);
    blinker.SetControl(lone);
    blinker.SetBlink(true);
    delete lone;
    EXPECT_EQ(blinker.Control(), nullptr);
    EXPECT_FALSE(blinker.Blink());
}

TEST(JXBlinker, RunningTimerAlternatesTheColour)
{
    TManualTimerClock clock;
    TCustomPanel panel;
    panel.SetColor(clWhite);
    TJXBlinker blinker;
    blinker.SetControl(&panel);
    blinker.SetInterval(20);
    std::vector<TColor> seen;
    blinker.SetBlink(true);
    for (int step = 0; step < 6; ++step) {
        clock.Advance(10);
        const TColor now = panel.Color();
        if (now != clWhite && (seen.empty() || seen.back() != now))
            seen.push_back(now);
    }
    blinker.SetBlink(false);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[0], clYellow);
    EXPECT_EQ(seen[1], clOlive);
    EXPECT_EQ(seen[2], clYellow);
    EXPECT_EQ(panel.Color(), clWhite);
}
