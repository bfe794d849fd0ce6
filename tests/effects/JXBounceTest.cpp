// SPDX-License-Identifier: MIT
// Bounce: start values and ranges, friction and the stop, the four walls, OnMove by
// reference, bouncing another control and losing it, trails, and handlers that free it.
#include "effects/JXBounce.h"

#include "host/controls/Forms.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaProperty>
#include <QPointer>
#include <QSignalSpy>

using namespace jxt;
using jxt::test::CountColor;

namespace {

struct TEvents
{
    int floor = 0, left = 0, right = 0, roof = 0, stop = 0, moves = 0;
    void Attach(TJXBounce &b)
    {
        b.OnHitFloor = [this](TObject *) { ++floor; };
        b.OnHitLeftWall = [this](TObject *) { ++left; };
        b.OnHitRightWall = [this](TObject *) { ++right; };
        b.OnHitRoof = [this](TObject *) { ++roof; };
        b.OnStop = [this](TObject *) { ++stop; };
        b.OnMove = [this](TObject *, int &, int &, int, int, int &, int &) { ++moves; };
    }
};

} // namespace

TEST(JXBounce, DefaultsRangesAndPublishedOrder)
{
    TJXBounce b;
    EXPECT_EQ(b.Width(), 75);
    EXPECT_EQ(b.Height(), 50);
    EXPECT_EQ(b.X(), 1);
    EXPECT_EQ(b.XSpeed(), 10);
    EXPECT_EQ(b.ObjectWidth(), 10);
    EXPECT_TRUE(b.Timer()->Enabled());
    EXPECT_FALSE(b.Timer()->Active()); // Interval 0 never fires
    b.SetStartXPos(500);
    EXPECT_EQ(b.StartXPos(), 75);
    b.SetStartYSpeed(-300);
    EXPECT_EQ(b.StartYSpeed(), -100);
    b.SetFriction(101);
    EXPECT_EQ(b.Friction(), 100);
    b.SetGravitation(11);
    EXPECT_EQ(b.Gravitation(), 10);
    b.SetInterval(3);
    EXPECT_EQ(b.Interval(), 20);
    EXPECT_EQ(b.GetAboutJXT(), QStringLiteral("15.11.96"));
    const QMetaObject *mo = b.metaObject();
    const QStringList expected = {"About_JXTools", "Control",    "Friction",  "Gravitation",
                                  "Interval",      "NoRefresh",  "StartXPos", "StartXSpeed",
                                  "StartYPos",     "StartYSpeed"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(QString::fromLatin1(mo->property(mo->propertyOffset() + i).name()), expected[i]);
}

TEST(JXBounce, FrictionBringsTheBallToRestOnceAndNoFrictionNever)
{
    TJXBounce b;
    b.SetBounds(0, 0, 200, 100);
    TEvents e;
    e.Attach(b);
    QSignalSpy stops(&b, &TJXBounce::onStop);
    b.SetFriction(100);
    b.Start();
    int ticks = 0;
    while (b.Timer()->Enabled() && ticks < 10000) {
        b.JXOnTime();
        ++ticks;
    }
    EXPECT_LT(ticks, 10000);
    EXPECT_EQ(e.stop, 1);
    EXPECT_EQ(stops.count(), 1);
    EXPECT_EQ(b.XSpeed(), 0);
    EXPECT_EQ(b.YSpeed(), 0);
    EXPECT_EQ(b.Y(), 100 - 10 - 1); // at rest on the floor
    EXPECT_GT(e.floor, 3);
    EXPECT_GT(e.right, 0);
    EXPECT_EQ(e.moves, ticks);

    TJXBounce endless;
    endless.SetBounds(0, 0, 200, 100);
    TEvents f;
    f.Attach(endless);
    endless.SetFriction(0);
    endless.Start();
    for (int i = 0; i < 3000; ++i)
        endless.JXOnTime();
    EXPECT_EQ(f.stop, 0);
    EXPECT_TRUE(endless.Timer()->Enabled());
    EXPECT_GT(f.left, 10);
}

TEST(JXBounce, WallsReverseAndSlowTheSpeed)
{
    TJXBounce b;
    b.SetBounds(0, 0, 100, 100);
    TEvents e;
    e.Attach(b);
    b.SetFriction(100);
    b.SetGravitation(0);
    b.SetStartYPos(40);
    b.SetStartYSpeed(0);

    // A crawl into the left wall stops without an event: -Trunc(-1 x 0.9) = 0.
    b.SetStartXSpeed(-1);
    b.JXOnTime();
    EXPECT_EQ(b.X(), 1);
    EXPECT_EQ(b.XSpeed(), 0);
    EXPECT_EQ(e.left, 0);
    EXPECT_EQ(b.Y(), 40); // no gravity, no vertical speed: the height stays

    b.SetStartXSpeed(-20);
    b.JXOnTime();
    EXPECT_EQ(b.XSpeed(), 18);
    EXPECT_EQ(e.left, 1);
    b.SetStartXPos(85);
    b.SetStartXSpeed(30);
    b.JXOnTime();
    EXPECT_EQ(b.X(), 100 - 10 - 1);
    EXPECT_EQ(b.XSpeed(), -27);
    EXPECT_EQ(e.right, 1);

    // The roof reports every contact, even one that stops the ball.
    b.SetStartXSpeed(0);
    b.SetStartYPos(1);
    b.SetStartYSpeed(-1);
    b.JXOnTime();
    EXPECT_EQ(b.Y(), 1);
    EXPECT_EQ(b.YSpeed(), 0);
    EXPECT_EQ(e.roof, 1);
}

TEST(JXBounce, OnMoveChangesPositionAndSpeed)
{
    TJXBounce b;
    b.SetBounds(0, 0, 100, 100);
    b.SetGravitation(0);
    QSignalSpy moves(&b, &TJXBounce::onMove);
    b.OnMove = [](TObject *, int &x, int &y, int w, int h, int &xs, int &ys) {
        EXPECT_EQ(w, 10);
        EXPECT_EQ(h, 10);
        x = 50;
        y = 30;
        xs = 3;
        ys = -2;
    };
    b.JXOnTime();
    EXPECT_EQ(b.X(), 50);
    EXPECT_EQ(b.Y(), 30);
    EXPECT_EQ(b.XSpeed(), 3);
    EXPECT_EQ(b.YSpeed(), -2);
    EXPECT_EQ(moves.count(), 1);
}

TEST(JXBounce, BouncesAnotherControlUntilItGoesAway)
{
    TForm form;
    auto *bounce = new TJXBounce(&form);
    bounce->SetParent(&form);
    bounce->SetBounds(0, 0, 300, 200);
    auto *button = new TControl(&form);
    button->SetParent(&form);
    button->SetBounds(0, 0, 40, 20);
    bounce->SetControl(button);
    EXPECT_EQ(bounce->ObjectWidth(), 40);
    bounce->Start();
    bounce->JXOnTime();
    EXPECT_EQ(button->Left(), bounce->X());
    EXPECT_EQ(button->Top(), bounce->Y());
    EXPECT_EQ(button->Left(), 11);

    button->Free();
    EXPECT_EQ(bounce->Control(), nullptr);
    EXPECT_EQ(bounce->ObjectWidth(), 10);
    bounce->JXOnTime(); // draws its own ball again
}

TEST(JXBounce, NoRefreshLeavesATrail)
{
    const auto whiteAfterSteps = [](bool noRefresh) {
        TJXBounce b;
        b.SetBounds(0, 0, 120, 80);
        b.SetNoRefresh(noRefresh);
        b.Repaint();
        for (int i = 0; i < 5; ++i)
            b.JXOnTime();
        return CountColor(b.Surface(), clWhite, 0, 0, 120, 80);
    };
    const int single = whiteAfterSteps(false);
    EXPECT_GT(single, 40);
    EXPECT_LT(single, 100); // one ball of 10 x 10
    EXPECT_GT(whiteAfterSteps(true), 3 * single);
}

// Handlers that free the bounce from inside a running timer: nothing of it is touched
// afterwards (a use after free shows here as a crash, and under ASan or valgrind).
TEST(JXBounce, AHandlerMayFreeTheBounceWhileTheTimerRuns)
{
    TForm form;
    form.SetBounds(0, 0, 200, 150);
    auto runUntilFreed = [&](auto attach) {
        auto *b = new TJXBounce(&form);
        b->SetParent(&form);
        b->SetBounds(0, 0, 100, 60);
        b->SetFriction(100);
        b->SetInterval(20);
        attach(*b);
        const QPointer<TJXBounce> alive(b);
        form.Show();
        QElapsedTimer clock;
        clock.start();
        while (alive && clock.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return alive.isNull();
    };
    EXPECT_TRUE(runUntilFreed([](TJXBounce &b) {
        b.OnStop = [](TObject *sender) { static_cast<TJXBounce *>(sender)->Free(); };
    }));
    EXPECT_TRUE(runUntilFreed([](TJXBounce &b) {
        b.OnHitFloor = [](TObject *sender) { static_cast<TJXBounce *>(sender)->Free(); };
    }));
    EXPECT_TRUE(runUntilFreed([](TJXBounce &b) {
        b.OnMove = [](TObject *sender, int &, int &, int, int, int &, int &) {
            delete static_cast<TJXBounce *>(sender);
        };
    }));
    // Stepped by hand: the step returns at once after the handler freed the bounce.
    auto *b = new TJXBounce(&form);
    b->SetBounds(0, 0, 100, 60);
    b->SetParent(&form);
    const QPointer<TJXBounce> alive(b);
    b->OnHitRoof = [](TObject *sender) { static_cast<TJXBounce *>(sender)->Free(); };
    b->SetStartYSpeed(-20);
    b->Start();
    b->Timer()->Tick();
    EXPECT_TRUE(alive.isNull());
}
