// SPDX-License-Identifier: MIT
// Frame animation: the frame grid, stretching and sizing, play in both directions, the
// events (also as signals), transparency, out-of-range frames, the empty picture, and
// handlers that free it.
#include "effects/JXAnimate.h"

#include "host/controls/Forms.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaProperty>
#include <QPointer>
#include <QSignalSpy>

#include <memory>
#include <vector>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

namespace {

const TColor kFrameColors[] = {clRed, clLime, clBlue, clYellow, clAqua, clFuchsia};

// 300 x 100 pixels, 3 x 2 frames of 100 x 50, each in its own colour with a one-pixel mark
// of clNavy at its top-left corner.
std::unique_ptr<TBitmap> SixFrames()
{
    auto b = std::make_unique<TBitmap>(300, 100);
    for (int i = 0; i < 6; ++i) {
        const TRect r = Bounds((i % 3) * 100, (i / 3) * 50, 100, 50);
        b->Canvas()->FillSolid(r, kFrameColors[i]);
        b->Canvas()->SetPixel(r.Left, r.Top, clNavy);
    }
    return b;
}

struct TAnimation
{
    TJXAnimate a;
    std::vector<int> shown;
    TAnimation()
    {
        a.SetPicture(SixFrames().get());
        a.SetCols(3);
        a.SetRows(2);
        a.OnChangePic = [this](TObject *) { shown.push_back(a.AktPic()); };
    }
    TColor Centre() const { return PixelAt(a.Surface(), a.Width() / 2, a.Height() / 2); }
};

} // namespace

TEST(JXAnimate, DefaultsRangesAndPublishedOrder)
{
    TJXAnimate a;
    EXPECT_EQ(a.Width(), 75);
    EXPECT_EQ(a.Height(), 50);
    EXPECT_TRUE(a.Stretch());
    EXPECT_EQ(a.GetAboutJXT(), QStringLiteral("01.05.98"));
    a.SetCols(0);
    EXPECT_EQ(a.Cols(), 1);
    a.SetRows(5000);
    EXPECT_EQ(a.Rows(), 1000);
    const std::pair<int, int> intervals[] = {{10, 20}, {0, 0}, {-5, -5}, {40, 40}};
    for (const auto &[given, stored] : intervals) {
        a.SetInterval(given);
        EXPECT_EQ(a.Interval(), stored);
        EXPECT_EQ(a.Timer()->Active(), stored > 0) << given;
    }
    const QMetaObject *mo = a.metaObject();
    const QStringList expected = {"About_JXTools", "AktPic", "Cols",    "Interval",   "Picture",
                                  "ReversePlay",   "Rows",   "Stretch", "Transparent"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(QString::fromLatin1(mo->property(mo->propertyOffset() + i).name()), expected[i]);
}

TEST(JXAnimate, FramesComeFromTheGridStretchedOrAtTheirOwnSize)
{
    TAnimation t;
    t.a.SetAktPic(4);
    t.a.Repaint();
    EXPECT_EQ(t.Centre(), clAqua); // frame 4 is taken from (100, 50)
    EXPECT_EQ(t.a.AccessibleInfo().name, QStringLiteral("Bild 5 von 6"));
    EXPECT_EQ(PixelAt(t.a.Surface(), 0, 0), clNavy);
    EXPECT_EQ(CountColor(t.a.Surface(), clAqua, 0, 0, 75, 50),
              75 * 50 - CountColor(t.a.Surface(), clNavy, 0, 0, 75, 50));

    // Without Stretch the control takes the size of one frame, before painting.
    t.a.SetAlign(alTop);
    t.a.SetStretch(false);
    EXPECT_EQ(t.a.Align(), alNone);
    EXPECT_EQ(t.a.Width(), 100);
    EXPECT_EQ(t.a.Height(), 50);
    EXPECT_EQ(t.a.sizeHint(), QSize(100, 50));
    const int paints = t.a.PaintCount();
    t.a.Repaint();
    EXPECT_EQ(t.a.PaintCount(), paints + 1);
    EXPECT_EQ(t.a.Width(), 100);
    EXPECT_EQ(PixelAt(t.a.Surface(), 1, 0), clAqua);
    t.a.SetCols(6); // frames of 50 x 50
    EXPECT_EQ(t.a.Width(), 50);

    // AktPic is checked against the frames there are.
    t.a.SetCols(3);
    t.a.SetAktPic(6);
    EXPECT_EQ(t.a.AktPic(), 0);
    t.a.SetAktPic(-3);
    EXPECT_EQ(t.a.AktPic(), 0);
    t.a.SetAktPic(5);
    t.a.SetPicture(SixFrames().get());
    EXPECT_EQ(t.a.AktPic(), 0);
}

TEST(JXAnimate, PlayWrapsForwardsAndBackwards)
{
    TAnimation t;
    t.a.SetInterval(50);
    t.a.SetAktPic(4);
    t.a.Timer()->Tick();
    t.a.Timer()->Tick();
    t.a.Timer()->Tick();
    EXPECT_EQ(t.shown, std::vector<int>({5, 0, 1}));
    EXPECT_EQ(t.Centre(), clLime);
    EXPECT_TRUE(t.a.Timer()->Active());

    t.shown.clear();
    t.a.SetReversePlay(true);
    for (int i = 0; i < 3; ++i)
        t.a.JXOnTime();
    EXPECT_EQ(t.shown, std::vector<int>({0, 5, 4}));
    EXPECT_EQ(t.Centre(), clAqua);
}

TEST(JXAnimate, RequestedFramesAndSignals)
{
    TAnimation t;
    QSignalSpy requested(&t.a, &TJXAnimate::onRequestPic);
    QSignalSpy changed(&t.a, &TJXAnimate::onChangePic);
    int asked = -1;
    t.a.OnRequestPic = [&](TObject *, int &pic) {
        asked = pic;
        pic = 2;
    };
    t.a.SetAktPic(4);
    t.a.JXOnTime();
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(t.Centre(), clBlue);
    t.a.JXOnTime(); // the count goes on from the frame the handler chose
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(t.a.AktPic(), 2);
    EXPECT_EQ(requested.count(), 2);
    EXPECT_EQ(changed.count(), 2);

    // A frame beyond the grid is wrapped into it before drawing.
    t.a.OnRequestPic = [](TObject *, int &pic) { pic = 100; };
    t.a.PaintBMP();
    EXPECT_EQ(t.a.AktPic(), 4); // 100 mod 6
    EXPECT_EQ(t.Centre(), clAqua);
    t.a.OnRequestPic = [](TObject *, int &pic) { pic = -1; };
    t.a.PaintBMP();
    EXPECT_EQ(t.a.AktPic(), 5);
    t.a.OnRequestPic = nullptr;
    t.a.SetAktPic(5);
    t.a.SetRows(1); // three frames left; frame 5 is not re-checked by the grid
    t.a.PaintBMP();
    EXPECT_EQ(t.a.AktPic(), 2);
}

TEST(JXAnimate, TransparentColourShowsTheControlColour)
{
    auto picture = std::make_unique<TBitmap>(20, 10);
    picture->Canvas()->FillSolid(Rect(0, 0, 20, 10), clFuchsia); // bottom-left: transparent
    picture->Canvas()->FillSolid(Rect(5, 2, 15, 8), clRed);
    TJXAnimate a;
    a.SetBounds(0, 0, 20, 10);
    a.SetColor(clGreen);
    a.SetPicture(picture.get());
    a.Repaint();
    EXPECT_EQ(PixelAt(a.Surface(), 0, 0), clFuchsia);
    a.SetTransparent(true);
    a.Repaint();
    EXPECT_EQ(PixelAt(a.Surface(), 0, 0), clGreen);
    EXPECT_EQ(PixelAt(a.Surface(), 10, 5), clRed);
    EXPECT_EQ(CountColor(a.Surface(), clFuchsia, 0, 0, 20, 10), 0);
}

TEST(JXAnimate, WithoutAPictureTheVersionTextShows)
{
    TJXAnimate a;
    a.SetBounds(0, 0, 120, 60);
    a.SetColor(clWhite);
    a.Font()->SetColor(clBlack);
    bool changed = false;
    a.OnChangePic = [&](TObject *) { changed = true; };
    a.Repaint();
    const auto ink = jxt::test::InkOf(a.Surface(), clBlack);
    EXPECT_GT(ink.Count, 30);
    EXPECT_LT(ink.Top, 15);
    EXPECT_GT(ink.Left, 0);
    EXPECT_FALSE(changed);
}

// A handler may free the animation while its timer runs; the step then ends without touching
// it (a use after free shows here as a crash, and under ASan or valgrind).
TEST(JXAnimate, AHandlerMayFreeTheAnimationWhileTheTimerRuns)
{
    TForm form;
    form.SetBounds(0, 0, 200, 150);
    const auto make = [&] {
        auto *a = new TJXAnimate(&form);
        a->SetParent(&form);
        a->SetPicture(SixFrames().get());
        a->SetCols(3);
        a->SetRows(2);
        return a;
    };
    TJXAnimate *a = make();
    a->OnChangePic = [](TObject *sender) { static_cast<TJXAnimate *>(sender)->Free(); };
    QPointer<TJXAnimate> alive(a);
    a->SetInterval(20);
    form.Show();
    QElapsedTimer clock;
    clock.start();
    while (alive && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(alive.isNull());

    a = make();
    a->OnRequestPic = [](TObject *sender, int &) { delete static_cast<TJXAnimate *>(sender); };
    alive = a;
    a->SetInterval(50);
    a->Timer()->Tick();
    EXPECT_TRUE(alive.isNull());
}

// Assigning nil clears the picture in place: a pointer kept from Picture() stays valid.
TEST(JXAnimate, NilClearsThePictureInPlace)
{
    TAnimation t;
    TBitmap *kept = t.a.Picture();
    t.a.SetPicture(nullptr);
    EXPECT_EQ(t.a.Picture(), kept);
    EXPECT_TRUE(kept->Empty());
    EXPECT_EQ(kept->Width(), 0);
}

// Without Stretch the paint sizes the animation to one frame, also after a width was set.
TEST(JXAnimate, PaintSizesItToOneFrameWithoutStretch)
{
    TAnimation t;
    t.a.SetStretch(false);
    ASSERT_EQ(t.a.Width(), 100);
    t.a.SetWidth(160);
    t.a.Repaint();
    EXPECT_EQ(t.a.Width(), 100);
    EXPECT_EQ(t.a.Height(), 50);
    t.a.SetStretch(true);
    t.a.SetWidth(160);
    t.a.Repaint();
    EXPECT_EQ(t.a.Width(), 160);
}
