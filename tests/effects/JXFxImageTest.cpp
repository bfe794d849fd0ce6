// SPDX-License-Identifier: MIT
// Fade image: the block list and its size rule, random fades and left wipes in and out,
// pauses, the centred place, the caption picture, stretching and the busy cursor.
#include "effects/JXFxImage.h"

#include "host/controls/Forms.h"
#include "platform/Pointer.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QMetaProperty>

#include <algorithm>
#include <memory>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

namespace {

// A picture with a colour that changes with every pixel's place.
std::unique_ptr<TBitmap> Gradient(int w, int h)
{
    auto b = std::make_unique<TBitmap>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b->Canvas()->SetPixel(x, y, RGB(x % 256, y % 256, 77));
    return b;
}

// Whether the surface shows picture at (x0, y0).
bool ShowsPicture(const TJXFxImage &fx, const TBitmap &picture, int x0, int y0)
{
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (PixelAt(fx.Surface(), x0 + x, y0 + y) != PixelAt(picture.Image(), x, y))
                return false;
    return true;
}

bool Before(const TPoint &a, const TPoint &b)
{
    return a.Y != b.Y ? a.Y < b.Y : a.X < b.X;
}

} // namespace

TEST(JXFxImage, DefaultsAndPublishedOrder)
{
    TJXFxImage fx;
    EXPECT_EQ(fx.Width(), 40);
    EXPECT_EQ(fx.Height(), 40);
    EXPECT_EQ(fx.FadeStyle(), jxfsNONE);
    EXPECT_TRUE(fx.Showing());
    EXPECT_EQ(fx.PauseStep(), 100);
    EXPECT_EQ(fx.GetAboutJXT(), QStringLiteral("25.11.96^M(Beta)"));
    const QMetaObject *mo = fx.metaObject();
    const QStringList expected = {"About_JXTools", "Caption", "Center", "FadeStyle", "Picture"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(QString::fromLatin1(mo->property(mo->propertyOffset() + i).name()), expected[i]);
    EXPECT_TRUE(fx.setProperty("FadeStyle", QStringLiteral("jxfsWipeLeft")));
    EXPECT_EQ(fx.FadeStyle(), jxfsWipeLeft);
}

TEST(JXFxImage, BlockListSizeRule)
{
    struct Case
    {
        int w, h, block;
        std::size_t count;
    };
    const Case cases[] = {
        {100, 100, 1, 10000}, {400, 400, 2, 40000}, {5, 5, 1, 25}, {1001, 999, 3, 111111}};
    TJXFxImage fx;
    fx.SetPauses(false);
    fx.SetFadeStyle(jxfsRandom);
    for (const Case &c : cases) {
        fx.SetBounds(0, 0, c.w, c.h);
        const TBitmap plain(c.w, c.h);
        fx.SetPicture(&plain);
        fx.FadeIn();
        EXPECT_EQ(fx.BlockSize(), c.block) << c.w;
        EXPECT_EQ(fx.Blocks().size(), c.count) << c.w;
        EXPECT_LE(fx.Blocks().size() * 8, std::size_t(TJXFxImage::kMaxBlockBytes)) << c.w;
        EXPECT_EQ(fx.PauseStep(), int(c.count / 100)) << c.w;
        // The shuffled list holds every block of the grid once.
        std::vector<TPoint> sorted = fx.Blocks();
        std::sort(sorted.begin(), sorted.end(), Before);
        EXPECT_FALSE(std::equal(sorted.begin(), sorted.end(), fx.Blocks().begin())) << c.w;
        const int wb = c.w / c.block;
        for (std::size_t i = 0; i < sorted.size(); i += 997)
            EXPECT_TRUE(sorted[i] == Point(int(i % std::size_t(wb)) * c.block,
                                           int(i / std::size_t(wb)) * c.block))
                << c.w << " " << i;
    }
}

TEST(JXFxImage, RandomFadeInShowsTheWholePictureAndFadeOutRemovesIt)
{
    TJXFxImage fx;
    fx.SetPauses(false);
    fx.SetBounds(0, 0, 60, 50);
    fx.SetColor(clBlack);
    const auto picture = Gradient(40, 30);
    fx.SetPicture(picture.get());
    fx.SetFadeStyle(jxfsRandom);
    fx.SetCenter(true);
    fx.Canvas()->FillSolid(Rect(0, 0, 60, 50), clBlack);
    fx.FadeIn();
    EXPECT_TRUE(fx.Showing());
    EXPECT_TRUE(fx.Offset() == Point(10, 10));
    EXPECT_TRUE(ShowsPicture(fx, *picture, 10, 10));
    EXPECT_EQ(CountColor(fx.Surface(), clBlack, 0, 0, 60, 50), 60 * 50 - 40 * 30);
    fx.Repaint(); // and Paint keeps it
    EXPECT_TRUE(ShowsPicture(fx, *picture, 10, 10));

    fx.FadeOut();
    EXPECT_FALSE(fx.Showing());
    EXPECT_EQ(CountColor(fx.Surface(), clBlack, 0, 0, 60, 50), 60 * 50);
}

TEST(JXFxImage, FewerThanAHundredBlocksPauseAfterEveryBlock)
{
    TJXFxImage fx;
    fx.SetBounds(0, 0, 8, 5);
    fx.SetFadeStyle(jxfsRandom);
    const auto picture = Gradient(5, 5);
    fx.SetPicture(picture.get());
    const int before = fx.PauseCount();
    fx.FadeIn();
    EXPECT_EQ(fx.PauseStep(), 0);
    EXPECT_EQ(fx.PauseCount(), before + 25);
    EXPECT_TRUE(ShowsPicture(fx, *picture, 0, 0));
    // FadeOut keeps the step of the last FadeIn, over the blocks of the whole control.
    fx.FadeOut();
    EXPECT_EQ(fx.PauseCount(), before + 25 + 40);
}

TEST(JXFxImage, LeftEffectsSlideThePictureIn)
{
    TJXFxImage fx;
    fx.SetPauses(false);
    fx.SetBounds(0, 0, 50, 20);
    fx.SetColor(clWhite);
    const auto picture = Gradient(20, 20);
    fx.SetPicture(picture.get());
    fx.SetFadeStyle(jxfsFadeLeft);
    fx.Repaint();
    fx.FadeIn();
    EXPECT_TRUE(ShowsPicture(fx, *picture, 0, 0));
    // Nothing is erased behind the sliding picture: its last column trails to the edge.
    EXPECT_EQ(PixelAt(fx.Surface(), 49, 10), RGB(19, 10, 77));

    // Wiping scrolls what was there to the left, one pixel per step.
    fx.SetFadeStyle(jxfsWipeLeft);
    fx.Canvas()->FillSolid(Rect(0, 0, 50, 20), clWhite);
    fx.Canvas()->FillSolid(Rect(45, 0, 50, 20), clRed);
    fx.FadeIn();
    EXPECT_TRUE(ShowsPicture(fx, *picture, 0, 0));
    EXPECT_EQ(CountColor(fx.Surface(), clRed, 20, 0, 50, 20), 0);

    // FadeOut scrolls the control's content out to the left.
    fx.FadeOut();
    EXPECT_FALSE(fx.Showing());
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(CountColor(fx.Surface(), PixelAt(fx.Surface(), 49, y), 0, y, 50, y + 1), 50) << y;
}

TEST(JXFxImage, CaptionIsRenderedIntoThePictureAndHiddenUntilFadeIn)
{
    TJXFxImage fx;
    fx.SetPauses(false);
    fx.SetBounds(0, 0, 200, 40);
    fx.SetColor(clNavy);
    fx.Font()->SetColor(clYellow);
    fx.Font()->SetHeight(-16);
    fx.SetCaption(QStringLiteral("Hallo"));
    EXPECT_GT(fx.Picture()->Width(), 20);
    EXPECT_GT(fx.Picture()->Height(), 10);
    EXPECT_GT(CountColor(fx.Picture()->Image(), clYellow, 0, 0, fx.Picture()->Width(),
                         fx.Picture()->Height()),
              10);
    EXPECT_EQ(PixelAt(fx.Picture()->Image(), 0, fx.Picture()->Height() - 1), clNavy);
    EXPECT_FALSE(fx.Showing());
    fx.Repaint();
    EXPECT_EQ(CountColor(fx.Surface(), clYellow, 0, 0, 200, 40), 0);
    fx.FadeIn();
    EXPECT_GT(CountColor(fx.Surface(), clYellow, 0, 0, 200, 40), 10);

    // jxfsNONE shows the picture at the next paint.
    fx.SetCaption(QStringLiteral("Welt"));
    fx.SetFadeStyle(jxfsNONE);
    fx.Repaint();
    EXPECT_GT(CountColor(fx.Surface(), clYellow, 0, 0, 200, 40), 10);
}

TEST(JXFxImage, PlainFadeOutRemovesACentredPictureWhereItIs)
{
    TJXFxImage fx;
    fx.SetBounds(0, 0, 60, 60);
    fx.SetColor(clBlack);
    fx.SetCenter(true);
    fx.SetPicture(Gradient(20, 20).get());
    fx.FadeIn();
    EXPECT_GT(CountColor(fx.Surface(), RGB(0, 0, 77), 20, 20, 21, 21), 0);
    fx.FadeOut();
    EXPECT_EQ(CountColor(fx.Surface(), clBlack, 0, 0, 60, 60), 60 * 60);
}

TEST(JXFxImage, StretchAndTheBusyCursor)
{
    TJXFxImage fx;
    fx.SetBounds(0, 0, 30, 12);
    fx.Stretch(); // without a picture nothing happens
    EXPECT_EQ(fx.Picture()->Width(), 0);
    fx.SetPicture(Gradient(3, 3).get());
    fx.Stretch();
    EXPECT_EQ(fx.Picture()->Width(), 30);
    EXPECT_EQ(fx.Picture()->Height(), 12);

    Screen()->SetCursor(crCross);
    const int refreshes = platform::PointerRefreshCount();
    fx.FadeIn();
    EXPECT_EQ(platform::PointerRefreshCount(), refreshes + 2); // hour-glass, then back
    EXPECT_EQ(Screen()->Cursor(), crCross);
    Screen()->SetCursor(crDefault);
}

// The picture object lives as long as the control: assigning nil clears it in place and
// Stretch replaces its pixels, so a pointer kept from Picture() stays valid.
TEST(JXFxImage, NilAndStretchKeepThePictureObject)
{
    TJXFxImage f;
    f.SetBounds(0, 0, 40, 30);
    TBitmap source(10, 10);
    source.Canvas()->FillSolid(Rect(0, 0, 10, 10), clRed);
    f.SetPicture(&source);
    TBitmap *kept = f.Picture();
    f.Stretch();
    EXPECT_EQ(f.Picture(), kept);
    EXPECT_EQ(kept->Width(), 40);
    EXPECT_EQ(PixelAt(kept->Image(), 39, 29), clRed);
    f.SetPicture(nullptr);
    EXPECT_EQ(f.Picture(), kept);
    EXPECT_TRUE(kept->Empty());
    EXPECT_EQ(kept->Width(), 0);
}
