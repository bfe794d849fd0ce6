// SPDX-License-Identifier: MIT
// TJXBiBtn: toggling and clicking by real mouse events, the LED's blink rules and the face.
#include "controls/JXBiBtn.h"
#include "host/controls/Forms.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::InkOf;
using jxt::test::PixelAt;

namespace {

constexpr int kRed = 0x0000FF;
constexpr int kHalfRed = 0x00007F;
constexpr int kBlue = 0xFF0000;

struct TButtonOnForm
{
    TForm form;
    TJXBiBtn *button;
    TButtonOnForm()
    {
        form.SetBounds(0, 0, 300, 200);
        button = new TJXBiBtn(&form);
        button->SetParent(&form);
        button->SetBounds(10, 10, 100, 50);
        form.show();
    }
};

// A 32 x 16 picture: left half red, right half blue, on a white background in the corners
// (the bottom-left pixel, the transparent colour, is white).
std::unique_ptr<TBitmap> PairPicture()
{
    auto b = std::make_unique<TBitmap>(32, 16);
    b->Canvas()->FillSolid(Rect(0, 0, 32, 16), clWhite);
    b->Canvas()->FillSolid(Rect(2, 2, 14, 14), clRed);
    b->Canvas()->FillSolid(Rect(18, 2, 30, 14), clBlue);
    return b;
}

int TextInkWidth(TJXBiBtn *button)
{
    button->Repaint();
    // The face right of the LED, read in device pixels (text is rendered at device
    // resolution), measured in logical pixels.
    const QImage &surface = button->Surface();
    const qreal ratio = surface.devicePixelRatio();
    const QRect face(20, 4, button->Width() - 24, button->Height() - 8);
    QImage device = surface.copy(QRect(face.topLeft() * ratio, face.size() * ratio));
    device.setDevicePixelRatio(1.0);
    const auto ink = InkOf(device, 0x000000);
    return ink.Count ? qRound((ink.Right - ink.Left + 1) / ratio) : 0;
}

} // namespace

TEST(JXBiBtn, EveryPressTogglesAndEveryReleaseClicksOnce)
{
    TButtonOnForm f;
    TJXBiBtn *b = f.button;
    int clicks = 0;
    TObject *sender = nullptr;
    b->OnClick = [&](TObject *s) {
        ++clicks;
        sender = s;
    };
    QSignalSpy spy(b, &TJXBiBtn::onClick);

    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, b);
    EXPECT_EQ(spy.count(), 1);

    // Any mouse button toggles; the release counts even far outside the button.
    QTest::mousePress(b, Qt::RightButton, {}, QPoint(50, 25));
    EXPECT_FALSE(b->Value());
    EXPECT_TRUE(b->Pressed());
    EXPECT_EQ(clicks, 1);
    QTest::mouseRelease(b, Qt::RightButton, {}, QPoint(250, 180));
    EXPECT_FALSE(b->Pressed());
    EXPECT_FALSE(b->Value());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(spy.count(), 2);
}

TEST(JXBiBtn, DisabledButtonIgnoresTheMouseAndShowsTheRightHalfOfAPair)
{
    TButtonOnForm f;
    TJXBiBtn *b = f.button;
    b->SetCaptionOff(QString());
    b->SetCaptionOn(QString());
    const auto pair = PairPicture();
    b->SetGlyphOff(pair.get());
    int clicks = 0;
    b->OnClick = [&](TObject *) { ++clicks; };

    b->Repaint();
    EXPECT_GT(CountColor(b->Surface(), kRed, 0, 0, 100, 50), 100);
    EXPECT_EQ(CountColor(b->Surface(), kBlue, 0, 0, 100, 50), 0);

    b->SetEnabled(false);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_FALSE(b->Value());
    EXPECT_EQ(clicks, 0);
    b->Repaint();
    EXPECT_EQ(CountColor(b->Surface(), kRed, 0, 0, 100, 50), 0);
    // 12 x 12 blue pixels, the 16 x 16 image centred right of the LED.
    const auto blue = InkOf(b->Surface(), kBlue);
    EXPECT_EQ(blue.Count, 144);
    EXPECT_EQ(blue.Left, (100 - 15 - 16) / 2 + 15 + 2);
    EXPECT_EQ(blue.Top, (50 - 16) / 2 + 2);
    // The transparent white of the picture shows the button's colour.
    EXPECT_EQ(CountColor(b->Surface(), 0xFFFFFF, 20, 10, 95, 40), 0);
}

TEST(JXBiBtn, CaptionReplacesBothStateCaptions)
{
    TButtonOnForm f;
    TJXBiBtn *b = f.button;
    b->Font()->SetColor(clBlack);
    b->SetCaptionOn(QStringLiteral("i"));
    b->SetCaptionOff(QStringLiteral("WWWW"));
    const int off = TextInkWidth(b);
    b->SetPicValue(true);
    const int on = TextInkWidth(b);
    EXPECT_GT(off, on + 10);
    EXPECT_GT(on, 0);

    b->SetCaption(QStringLiteral("MM"));
    const int captionOn = TextInkWidth(b);
    b->SetPicValue(false);
    EXPECT_EQ(TextInkWidth(b), captionOn);
    EXPECT_NE(captionOn, on);
}

TEST(JXBiBtn, BareButtonShowsBackgroundBorderAndLedOnly)
{
    TButtonOnForm f;
    TJXBiBtn *b = f.button;
    b->SetColor(clSilver);
    b->SetCaptionOff(QString());
    b->Repaint();
    const QImage &s = b->Surface();
    EXPECT_EQ(PixelAt(s, 0, 0), 0x000000);
    EXPECT_EQ(PixelAt(s, 1, 1), 0xFFFFFF); // raised
    EXPECT_EQ(PixelAt(s, 98, 48), 0x808080);
    // Inside the border: silver except the LED bar (x 5..14, y 5..44).
    const int inner = 96 * 46;
    const int led = 10 * 40;
    EXPECT_EQ(CountColor(s, 0xC0C0C0, 2, 2, 98, 48), inner - led);
    EXPECT_EQ(CountColor(s, kHalfRed, 6, 6, 14, 44), 8 * 38);

    // Pressed: the bevel is sunken until the release.
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 25));
    b->Update();
    EXPECT_EQ(PixelAt(b->Surface(), 1, 1), 0x808080);
    EXPECT_EQ(PixelAt(b->Surface(), 98, 48), 0xFFFFFF);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(50, 25));
    b->Update();
    EXPECT_EQ(PixelAt(b->Surface(), 1, 1), 0xFFFFFF);

    b->SetBorder(false);
    b->Repaint();
    EXPECT_EQ(PixelAt(b->Surface(), 0, 0), 0xC0C0C0);
}

TEST(JXBiBtn, LedBlinksOnlyWhileOnAndTimerFollowsValueAssignments)
{
    TButtonOnForm f;
    TJXBiBtn *b = f.button;
    EXPECT_FALSE(b->Timer()->Enabled());
    EXPECT_EQ(b->Timer()->Interval(), 500);

    b->SetPicValue(true);
    EXPECT_TRUE(b->Timer()->Enabled());
    b->Repaint();
    EXPECT_EQ(PixelAt(b->Surface(), 8, 20), kRed);
    b->Timer()->Tick();
    EXPECT_EQ(PixelAt(b->Surface(), 8, 20), kHalfRed);
    b->Timer()->Tick();
    EXPECT_EQ(PixelAt(b->Surface(), 8, 20), kRed);

    b->SetPicValue(false);
    EXPECT_FALSE(b->Timer()->Enabled());
    b->Repaint();
    EXPECT_EQ(PixelAt(b->Surface(), 8, 20), kHalfRed);

    // With the LED off, assigning Value leaves the timer alone; switching the LED on later
    // shows it lit but still, until Value is assigned again.
    b->SetLED(false);
    b->SetPicValue(true);
    EXPECT_FALSE(b->Timer()->Enabled());
    b->SetLED(true);
    EXPECT_FALSE(b->Timer()->Enabled());
    b->Repaint();
    EXPECT_EQ(PixelAt(b->Surface(), 8, 20), kRed);
    b->SetPicValue(true);
    EXPECT_TRUE(b->Timer()->Enabled());

    b->SetLEDInterval(120);
    EXPECT_EQ(b->Timer()->Interval(), 120);
    b->SetLEDColor(RGB(201, 101, 51));
    b->Repaint();
    EXPECT_EQ(PixelAt(b->Surface(), 8, 20), RGB(201, 101, 51));
    b->SetPicValue(false);
    b->Repaint();
    EXPECT_EQ(PixelAt(b->Surface(), 8, 20), RGB(100, 50, 25));
}

TEST(JXBiBtn, ButtonFreedFromItsOwnClickHandler)
{
    TButtonOnForm f;
    QPointer<TJXBiBtn> b = f.button;
    b->OnClick = [&](TObject *sender) { static_cast<TJXBiBtn *>(sender)->Free(); };
    QTest::mouseClick(b.data(), Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_TRUE(b.isNull());
    EXPECT_EQ(f.form.ControlCount(), 0);
}

TEST(JXBiBtn, SizeHintHoldsLedPictureAndWiderCaption)
{
    TJXBiBtn b;
    const QSize bare = b.sizeHint();
    b.SetCaptionOff(QStringLiteral("A much longer caption"));
    const QSize wide = b.sizeHint();
    EXPECT_GT(wide.width(), bare.width() + 50);
    const auto pair = PairPicture();
    b.SetGlyphOn(pair.get());
    EXPECT_EQ(b.sizeHint().width(), wide.width() + 16 + 5);
    b.SetLED(false);
    EXPECT_EQ(b.sizeHint().width(), wide.width() + 16 + 5 - 15);
    EXPECT_EQ(b.minimumSizeHint(), b.sizeHint());
    // Toggling does not change the hint.
    b.SetPicValue(true);
    EXPECT_EQ(b.sizeHint().width(), wide.width() + 16 + 5 - 15);
}

// Assigning nil clears a picture in place: a pointer kept to it stays valid.
TEST(JXBiBtn, NilClearsThePicturesInPlace)
{
    TJXBiBtn b;
    TBitmap on(12, 12);
    b.SetGlyphOn(&on);
    b.SetGlyphOff(&on);
    TBitmap *keptOn = b.PictureON();
    TBitmap *keptOff = b.PictureOFF();
    b.SetGlyphOn(nullptr);
    b.SetGlyphOff(nullptr);
    EXPECT_EQ(b.PictureON(), keptOn);
    EXPECT_EQ(b.PictureOFF(), keptOff);
    EXPECT_TRUE(keptOn->Empty());
    EXPECT_TRUE(keptOff->Empty());
}
