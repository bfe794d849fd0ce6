// SPDX-License-Identifier: MIT
// The picture clip: which cell of the grid is shown, stretched or at its own size, how the
// timer steps and wraps, and what it does without a grid size or without its image.
#include "controls/JXPicClip.h"

#include "TestSupport.h"
#include "host/controls/Forms.h"

#include <gtest/gtest.h>

#include <QPointer>

#include <memory>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

/// A 4 x 2 grid of 10 x 10 cells, cell k filled with RGB(k * 10, 0, 0) + 1.
std::unique_ptr<TImage> Grid()
{
    auto image = std::make_unique<TImage>();
    TBitmap bitmap(40, 20);
    for (int k = 0; k < 8; ++k)
        bitmap.Canvas()->FillSolid(
            Rect((k % 4) * 10, (k / 4) * 10, (k % 4) * 10 + 10, (k / 4) * 10 + 10),
            RGB(k * 10 + 1, 0, 0));
    image->Picture()->SetBitmap(&bitmap);
    return image;
}

int ShownCell(TJXPicClip &clip)
{
    return (PixelAt(clip.Surface(), 2, 2) & 0xFF) / 10;
}

} // namespace

TEST(JXPicClip, ShowsTheNumberedCell)
{
    auto image = Grid();
    TJXPicClip clip;
    clip.SetImage(image.get());
    clip.SetCols(4);
    clip.SetRows(2);
    int changes = 0;
    clip.OnChangePic = [&](TObject *) { ++changes; };
    clip.SetAktPic(6);
    clip.Repaint();
    EXPECT_EQ(ShownCell(clip), 6);
    EXPECT_EQ(PixelAt(clip.Surface(), 74, 49), RGB(61, 0, 0)); // stretched over 75 x 50
    EXPECT_EQ(changes, 1);
    // The offset shifts by whole rows with Cols 4.
    clip.SetAktPic(1);
    clip.SetPicOffset(4);
    clip.Repaint();
    EXPECT_EQ(ShownCell(clip), 5);
    // Without Stretch the control takes one cell's size.
    clip.SetStretch(false);
    EXPECT_EQ(clip.Width(), 10);
    EXPECT_EQ(clip.Height(), 10);
    EXPECT_EQ(clip.sizeHint(), QSize(10, 10));
}

TEST(JXPicClip, SettersClamp)
{
    TJXPicClip clip;
    clip.SetCols(2000);
    EXPECT_EQ(clip.Cols(), 1000);
    clip.SetRows(0);
    EXPECT_EQ(clip.Rows(), 1);
    clip.SetAktPic(-4);
    EXPECT_EQ(clip.AktPic(), 0);
    clip.SetCols(4);
    clip.SetRows(2);
    clip.SetAktPic(8);
    EXPECT_EQ(clip.AktPic(), 0);
    clip.SetInterval(5);
    EXPECT_EQ(clip.Interval(), 20);
    EXPECT_TRUE(clip.Timer()->Enabled());
    clip.SetInterval(0);
    EXPECT_EQ(clip.Interval(), 20);
    EXPECT_FALSE(clip.Timer()->Enabled());
}

TEST(JXPicClip, TimerAsksForTheNextCellAndWraps)
{
    auto image = Grid();
    TJXPicClip clip;
    clip.SetImage(image.get());
    clip.SetCols(4);
    clip.SetRows(2);
    clip.SetControlIndex(3);
    clip.Repaint();
    int step = 1;
    clip.OnRequestPic = [&](TObject *, int &number, int index) {
        EXPECT_EQ(index, 3);
        number += step;
    };
    clip.JXOnTime();
    EXPECT_EQ(clip.AktPic(), 1);
    EXPECT_EQ(ShownCell(clip), 1);
    EXPECT_TRUE(clip.Timer()->Enabled());
    step = -2; // below 0: the last cell
    clip.JXOnTime();
    EXPECT_EQ(clip.AktPic(), 7);
    EXPECT_EQ(ShownCell(clip), 7);
    step = 1; // past the last: the first
    clip.JXOnTime();
    EXPECT_EQ(clip.AktPic(), 0);
    // Without a handler nothing changes.
    clip.OnRequestPic = nullptr;
    int changes = 0;
    clip.OnChangePic = [&](TObject *) { ++changes; };
    clip.JXOnTime();
    EXPECT_EQ(changes, 0);
}

TEST(JXPicClip, EmptyPictureShowsTheVersionText)
{
    TImage image;
    TJXPicClip clip;
    clip.SetImage(&image);
    clip.SetCols(2);
    clip.SetRows(2);
    clip.Canvas()->Brush()->SetColor(clWhite);
    clip.Repaint();
    EXPECT_GT(jxt::test::CountColor(clip.Surface(), clBlack, 0, 0, 75, 50), 10);
}

TEST(JXPicClip, NoGridSizeOrNoImageDrawsNoCell)
{
    auto image = Grid();
    TJXPicClip clip;
    clip.SetImage(image.get());
    int changes = 0;
    clip.OnChangePic = [&](TObject *) { ++changes; };
    clip.Repaint(); // Cols and Rows never assigned
    clip.OnRequestPic = [](TObject *, int &n, int) { n = 5; };
    clip.JXOnTime();
    EXPECT_EQ(clip.AktPic(), 0);
    EXPECT_EQ(changes, 0);
    // The image going away clears the reference.
    clip.SetCols(4);
    clip.SetRows(2);
    image.reset();
    EXPECT_EQ(clip.Image(), nullptr);
    clip.Repaint();
    clip.JXOnTime();
    EXPECT_EQ(changes, 0);
}

// Without Stretch the paint sizes the clip to one cell of the picture as it is then, also
// after the image's picture was replaced behind the clip's back.
TEST(JXPicClip, PaintSizesTheClipToACellOfTheNewPicture)
{
    auto image = Grid();
    TJXPicClip clip;
    clip.SetImage(image.get());
    clip.SetCols(4);
    clip.SetRows(2);
    clip.SetStretch(false);
    ASSERT_EQ(clip.Width(), 10);
    TBitmap larger(80, 60);
    image->Picture()->SetBitmap(&larger);
    clip.Repaint();
    EXPECT_EQ(clip.Width(), 20);
    EXPECT_EQ(clip.Height(), 30);
    EXPECT_EQ(clip.sizeHint(), QSize(20, 30));
    // Stretched, the size it was given stays.
    clip.SetStretch(true);
    clip.SetBounds(0, 0, 70, 45);
    clip.Repaint();
    EXPECT_EQ(clip.Width(), 70);
}

TEST(JXPicClip, AHandlerMayFreeTheClipDuringATick)
{
    auto image = Grid();
    for (const bool inChange : {false, true}) {
        TForm form;
        form.SetBounds(0, 0, 100, 100);
        auto *clip = new TJXPicClip(&form);
        clip->SetParent(&form);
        clip->SetImage(image.get());
        clip->SetCols(4);
        clip->SetRows(2);
        const QPointer<TJXPicClip> alive(clip);
        clip->OnRequestPic = [inChange](TObject *sender, int &number, int) {
            ++number;
            if (!inChange)
                delete static_cast<TJXPicClip *>(sender);
        };
        clip->OnChangePic = [](TObject *sender) { static_cast<TJXPicClip *>(sender)->Free(); };
        form.Show();
        clip->JXOnTime();
        EXPECT_TRUE(alive.isNull()) << inChange;
    }
}
