// SPDX-License-Identifier: MIT
// TJXAutoButton: hot tracking through enter and leave events, the glyph images, the border
// table, the layouts and the popup menu with its mark, driven by real events.
#include "controls/JXAutoButton.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::InkOf;
using jxt::test::PixelAt;

namespace {

constexpr int kRed = 0x0000FF;
constexpr int kBlue = 0xFF0000;
constexpr int kLime = 0x00FF00;

struct TButtonOnForm
{
    TForm form;
    TJXAutoButton *button;
    TButtonOnForm()
    {
        form.SetBounds(0, 0, 300, 200);
        button = new TJXAutoButton(&form);
        button->SetParent(&form);
        button->SetBounds(10, 10, 100, 50);
        button->SetColor(clSilver);
        form.show();
    }
};

void Enter(QWidget *w)
{
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(w, &event);
}

void Leave(QWidget *w)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(w, &event);
}

// A strip of images, each filled with the next colour, on a white background whose
// bottom-left pixel makes white the transparent colour.
std::unique_ptr<TBitmap> Strip(int width, int height, const std::vector<TColor> &colors)
{
    auto b = std::make_unique<TBitmap>(width, height);
    b->Canvas()->FillSolid(Rect(0, 0, width, height), clWhite);
    const int n = int(colors.size());
    for (int i = 0; i < n; ++i)
        b->Canvas()->FillSolid(Rect(i * width / n + 2, 2, (i + 1) * width / n - 2, height - 2),
                               colors[std::size_t(i)]);
    return b;
}

const QImage &Face(TJXAutoButton *b)
{
    b->Repaint();
    return b->Surface();
}

} // namespace

TEST(JXAutoButton, HotTrackingShowsTheFirstImageAndActiveFont)
{
    TButtonOnForm f;
    TJXAutoButton *b = f.button;
    const auto pair = Strip(64, 32, {clRed, clBlue});
    b->SetGlyph(pair.get());
    b->SetStretch(false);
    int enters = 0, leaves = 0;
    b->OnMouseEnter = [&](TObject *) { ++enters; };
    b->OnMouseLeave = [&](TObject *) { ++leaves; };
    QSignalSpy enterSpy(b, &TJXAutoButton::onMouseEnter);

    EXPECT_GT(CountColor(Face(b), kBlue, 0, 0, 100, 50), 0);
    EXPECT_EQ(CountColor(Face(b), kRed, 0, 0, 100, 50), 0);
    // The transparent white shows the button's colour.
    EXPECT_EQ(CountColor(Face(b), 0xFFFFFF, 2, 2, 98, 48), 0);

    Enter(b);
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(enterSpy.count(), 1);
    EXPECT_EQ(CountColor(Face(b), kRed, 0, 0, 100, 50), 28 * 28);
    EXPECT_EQ(CountColor(Face(b), kBlue, 0, 0, 100, 50), 0);

    Leave(b);
    EXPECT_FALSE(b->Value());
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(CountColor(Face(b), kRed, 0, 0, 100, 50), 0);

    // Six images to the height are taken as one picture and drawn whole.
    const auto six = Strip(192, 32, {clRed, clBlue, clLime, clRed, clBlue, clLime});
    b->SetGlyph(six.get());
    b->SetBounds(10, 10, 220, 50);
    const QImage &face = Face(b);
    EXPECT_GT(CountColor(face, kRed, 0, 0, 220, 50), 0);
    EXPECT_GT(CountColor(face, kBlue, 0, 0, 220, 50), 0);
    EXPECT_GT(CountColor(face, kLime, 0, 0, 220, 50), 0);
}

TEST(JXAutoButton, BorderFollowsStyleMouseAndPress)
{
    TButtonOnForm f;
    TJXAutoButton *b = f.button;
    const auto corner = [b] { return PixelAt(Face(b), 0, 0); };
    // bsAuto: only under the mouse, sunken while pressed.
    EXPECT_EQ(corner(), 0xC0C0C0);
    Enter(b);
    EXPECT_EQ(corner(), 0xFFFFFF);
    EXPECT_EQ(PixelAt(b->Surface(), 99, 49), 0x808080);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_TRUE(b->Pressed());
    EXPECT_EQ(corner(), 0x808080);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_EQ(corner(), 0xFFFFFF);

    // bsRaised: only away from the mouse.
    b->SetBorderStyle(TJXAutoButton::bsRaised);
    EXPECT_EQ(corner(), 0xC0C0C0);
    Leave(b);
    EXPECT_EQ(corner(), 0xFFFFFF);
    b->SetBorderStyle(TJXAutoButton::bsLowered);
    EXPECT_EQ(corner(), 0x808080);
    b->SetBorderWidth(3);
    EXPECT_EQ(PixelAt(Face(b), 2, 2), 0x808080);
    EXPECT_EQ(PixelAt(Face(b), 3, 3), 0xC0C0C0);
    b->SetBorderStyle(TJXAutoButton::bsNone);
    EXPECT_EQ(corner(), 0xC0C0C0);

    // A disabled button ignores the mouse buttons.
    b->SetEnabled(false);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_FALSE(b->Pressed());
}

TEST(JXAutoButton, LayoutsPlaceImageAndCaption)
{
    TButtonOnForm f;
    TJXAutoButton *b = f.button;
    b->SetBorderStyle(TJXAutoButton::bsNone);
    b->SetBounds(10, 10, 120, 80);
    b->SetStretch(false);
    const auto square = Strip(20, 20, {clRed});
    b->SetGlyph(square.get());

    // Without a caption the image still leaves half the spacing: (100 - 20 - 4) / 2.
    b->SetBounds(10, 10, 100, 50);
    auto red = InkOf(Face(b), kRed);
    EXPECT_EQ(red.Left, 38 + 2);
    EXPECT_EQ(red.Top, 15 + 2);

    b->SetBounds(10, 10, 120, 80);
    b->Font()->SetColor(clBlack);
    b->SetCaption(QStringLiteral("Hallo"));
    const auto text = [b] { return InkOf(b->Surface(), 0x000000); };
    Face(b);
    red = InkOf(b->Surface(), kRed);
    EXPECT_LT(red.Right, text().Left);
    b->SetLayout(blGlyphRight);
    Face(b);
    red = InkOf(b->Surface(), kRed);
    EXPECT_GT(red.Left, text().Right);
    b->SetLayout(blGlyphTop);
    Face(b);
    red = InkOf(b->Surface(), kRed);
    EXPECT_LT(red.Bottom, text().Top);
    b->SetLayout(blGlyphBottom);
    Face(b);
    red = InkOf(b->Surface(), kRed);
    EXPECT_GT(red.Top, text().Bottom);

    // Under the mouse the caption takes the active colour (and is disabled grey when off).
    b->SetFontActiveColor(clBlue);
    Enter(b);
    EXPECT_GT(CountColor(Face(b), kBlue, 0, 0, 120, 80), 0);
    b->SetEnabled(false);
    EXPECT_EQ(CountColor(Face(b), kBlue, 0, 0, 120, 80), 0);
    EXPECT_GT(CountColor(b->Surface(), ColorToRGB(clGrayText), 0, 0, 120, 80), 0);
}

TEST(JXAutoButton, ClickOpensThePopupMenuAtItsCornerAndMarksIt)
{
    TButtonOnForm f;
    TJXAutoButton *b = f.button;
    b->SetBorderStyle(TJXAutoButton::bsNone);
    auto *menu = new TPopupMenu(&f.form);
    EXPECT_TRUE(menu->AutoPopup());
    int clicks = 0;
    int popups = 0;
    std::vector<int> popupsAtClick;
    b->OnClick = [&](TObject *) {
        ++clicks;
        popupsAtClick.push_back(popups);
    };
    menu->OnPopup = [&](TObject *) { ++popups; };

    const int blackBefore = CountColor(Face(b), 0x000000, 0, 0, 100, 50);
    b->SetPopupMenu(menu);
    EXPECT_FALSE(menu->AutoPopup());
    // The mark: a small triangle at the bottom left of the area inside the border.
    const auto mark = InkOf(Face(b), 0x000000);
    EXPECT_EQ(mark.Left, 4);
    EXPECT_EQ(mark.Top, 40);
    EXPECT_GT(mark.Count, blackBefore);

    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(menu->PopupPoint(),
              Point(b->mapToGlobal(QPoint(0, 50)).x(), b->mapToGlobal(QPoint(0, 50)).y()));
    menu->Items(); // the menu stays usable

    b->SetPopupAlign(TJXAutoButton::alRight);
    const auto right = InkOf(Face(b), 0x000000);
    EXPECT_EQ(right.Left, 90);
    EXPECT_EQ(right.Top, 4);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_EQ(menu->PopupPoint(),
              Point(b->mapToGlobal(QPoint(100, 0)).x(), b->mapToGlobal(QPoint(100, 0)).y()));

    // Removing the menu clears the reference and the mark.
    menu->Free();
    EXPECT_EQ(b->PopupMenu(), nullptr);
    EXPECT_EQ(InkOf(Face(b), 0x000000).Count, 0);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_EQ(clicks, 3);
    // The menu opens before OnClick fires.
    EXPECT_EQ(popupsAtClick, (std::vector<int>{1, 2, 2}));
}

TEST(JXAutoButton, ButtonFreedFromItsOwnEvents)
{
    TButtonOnForm f;
    QPointer<TJXAutoButton> b = f.button;
    b->OnClick = [](TObject *sender) { static_cast<TJXAutoButton *>(sender)->Free(); };
    QTest::mouseClick(b.data(), Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_TRUE(b.isNull());

    auto *other = new TJXAutoButton(&f.form);
    other->SetParent(&f.form);
    QPointer<TJXAutoButton> o = other;
    other->OnMouseLeave = [](TObject *sender) { static_cast<TJXAutoButton *>(sender)->Free(); };
    Enter(other);
    Leave(other);
    EXPECT_TRUE(o.isNull());
}

TEST(JXAutoButton, SizeHintFitsImageCaptionAndBorder)
{
    TJXAutoButton b;
    const auto square = Strip(20, 20, {clRed});
    b.SetGlyph(square.get());
    const QSize image = b.sizeHint();
    EXPECT_EQ(image, QSize(20 + 6, 20 + 6));
    b.SetCaption(QStringLiteral("Datei"));
    EXPECT_GT(b.sizeHint().width(), image.width() + 4);
    b.SetLayout(blGlyphTop);
    EXPECT_GT(b.sizeHint().height(), image.height() + 4);
    EXPECT_EQ(b.AccessibleInfo().name, QStringLiteral("Datei"));
}

// Assigning nil clears the glyph in place: a pointer kept from Glyph() stays valid.
TEST(JXAutoButton, NilClearsTheGlyphInPlace)
{
    TJXAutoButton b;
    TBitmap glyph(16, 16);
    b.SetGlyph(&glyph);
    TBitmap *kept = b.Glyph();
    EXPECT_EQ(kept->Width(), 16);
    b.SetGlyph(nullptr);
    EXPECT_EQ(b.Glyph(), kept);
    EXPECT_TRUE(kept->Empty());
}
