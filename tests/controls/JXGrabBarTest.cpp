// SPDX-License-Identifier: MIT
// TJXGrabBar: placement limits, pane layout, dragging with real mouse events and the ghost
// bar, following the parent's size, the cursors and the painted bar.
#include "controls/JXGrabBar.h"
#include "host/controls/Cursors.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

// A 400 x 300 form split by a horizontal bar into two panels.
struct TSplitForm
{
    TForm form;
    TPanel *a;
    TPanel *b;
    TJXGrabBar *bar;
    explicit TSplitForm(TGrabBarStyle style = jxgbHorizontal)
    {
        form.SetBounds(0, 0, 400, 300);
        a = new TPanel(&form);
        a->SetParent(&form);
        a->SetColor(clWhite);
        b = new TPanel(&form);
        b->SetParent(&form);
        b->SetColor(clWhite);
        bar = new TJXGrabBar(&form);
        bar->SetStyle(style);
        bar->SetParent(&form);
        bar->SetWindowA(a);
        bar->SetWindowB(b);
        form.show();
        if (style == jxgbHorizontal)
            bar->SetTop(100);
        else
            bar->SetLeft(100);
    }
};

TRect BoundsOf(const TControl *c)
{
    return c->BoundsRect();
}

} // namespace

TEST(JXGrabBar, StaysInsideTheBorderAndLaysOutBothPanes)
{
    TSplitForm f;
    f.bar->SetBorderWidth(4);
    EXPECT_EQ(BoundsOf(f.bar), Bounds(4, 100, 392, 5));
    f.bar->SetTop(1000);
    EXPECT_EQ(f.bar->Top(), 291);
    f.bar->SetTop(-20);
    EXPECT_EQ(f.bar->Top(), 4);
    f.bar->SetTop(150);
    EXPECT_EQ(BoundsOf(f.a), Bounds(4, 4, 392, 150 - 8));
    EXPECT_EQ(BoundsOf(f.b), Bounds(4, 159, 392, 300 - 159 - 4));
    // Panes with an alignment of their own are taken over.
    EXPECT_EQ(f.a->Align(), alNone);

    f.bar->SetOutOfClient(true);
    f.bar->SetTop(297);
    EXPECT_EQ(f.bar->Top(), 297);
    EXPECT_FALSE(f.b->Visible());

    f.bar->SetBorderWidth(200);
    EXPECT_EQ(f.bar->BorderWidth(), 50);
}

TEST(JXGrabBar, VerticalBarSplitsLeftAndRight)
{
    TSplitForm f(jxgbVertical);
    EXPECT_EQ(BoundsOf(f.bar), Bounds(100, 0, 5, 300));
    EXPECT_EQ(BoundsOf(f.a), Bounds(0, 0, 100, 300));
    EXPECT_EQ(BoundsOf(f.b), Bounds(105, 0, 295, 300));
    EXPECT_EQ(f.bar->Cursor(), crJXVGrab);

    // Switching keeps the thickness across the new direction.
    f.bar->SetStyle(jxgbHorizontal);
    EXPECT_EQ(f.bar->Height(), 5);
    EXPECT_EQ(f.bar->Width(), 400);
    EXPECT_EQ(f.bar->Cursor(), crJXHGrab);
    f.bar->SetThickness(9);
    EXPECT_EQ(f.bar->Height(), 9);
    f.bar->SetThickness(-3);
    EXPECT_EQ(f.bar->Thickness(), 9);
}

TEST(JXGrabBar, DragMovesTheBarThroughAGhostAndReportsEveryRelease)
{
    TSplitForm f;
    TJXGrabBar *bar = f.bar;
    int moves = 0;
    bar->OnMove = [&](TObject *) { ++moves; };
    QSignalSpy spy(bar, &TJXGrabBar::onMove);

    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(50, 2));
    ASSERT_NE(bar->GhostBar(), nullptr);
    EXPECT_TRUE(bar->GhostBar()->isVisible());
    EXPECT_EQ(bar->DragRect(), Bounds(0, 100, 400, 5));
    QTest::mouseMove(bar, QPoint(50, 62));
    // The bar stays until the release; only the ghost follows the mouse.
    EXPECT_EQ(bar->Top(), 100);
    EXPECT_EQ(bar->DragRect(), Bounds(0, 160, 400, 5));
    EXPECT_EQ(bar->GhostBar()->geometry(), QRect(0, 160, 400, 5));

    // The ghost inverts what lies under it: white panes turn black there.
    const QImage shown = f.form.grab().toImage();
    EXPECT_EQ(PixelAt(shown, 200, 162) & 0xFFFFFF, 0x000000);
    EXPECT_EQ(PixelAt(shown, 200, 150) & 0xFFFFFF, 0xFFFFFF);

    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(50, 62));
    EXPECT_FALSE(bar->GhostBar() && bar->GhostBar()->isVisible());
    EXPECT_TRUE(bar->DragRect().IsEmpty());
    EXPECT_EQ(bar->Top(), 160);
    EXPECT_EQ(f.a->Height(), 160);
    EXPECT_EQ(f.b->Top(), 165);
    EXPECT_EQ(moves, 1);

    // A click without movement still reports, and the bar stays.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(10, 2));
    EXPECT_EQ(bar->Top(), 160);
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(spy.count(), 2);

    // Other buttons do not drag and do not report.
    QTest::mousePress(bar, Qt::RightButton, {}, QPoint(10, 2));
    QTest::mouseRelease(bar, Qt::RightButton, {}, QPoint(10, 40));
    EXPECT_EQ(bar->Top(), 160);
    EXPECT_EQ(moves, 2);
}

TEST(JXGrabBar, DragBeyondTheParentStopsAtItsEdgeAndHidesTheSqueezedPane)
{
    TSplitForm f;
    TJXGrabBar *bar = f.bar;
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(50, 2));
    QTest::mouseMove(bar, QPoint(50, -500));
    EXPECT_EQ(bar->DragRect().Top, 0);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(50, -500));
    EXPECT_EQ(bar->Top(), 0);
    EXPECT_FALSE(f.a->Visible());
    EXPECT_TRUE(f.b->Visible());

    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(50, 2));
    QTest::mouseMove(bar, QPoint(50, 5000));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(50, 5000));
    EXPECT_EQ(bar->Top(), 295);
    EXPECT_TRUE(f.a->Visible());
    EXPECT_FALSE(f.b->Visible());
}

TEST(JXGrabBar, FollowsTheParentsSizeButNotWhileMinimised)
{
    TSplitForm f;
    f.form.SetBounds(0, 0, 500, 260);
    EXPECT_EQ(BoundsOf(f.bar), Bounds(0, 100, 500, 5));
    EXPECT_EQ(BoundsOf(f.b), Bounds(0, 105, 500, 155));

    f.form.setWindowState(Qt::WindowMinimized);
    f.form.SetBounds(0, 0, 300, 200);
    EXPECT_EQ(f.bar->Width(), 500);
}

// A hidden form gets no resize event from Qt; its new size still splits the panes at once.
TEST(JXGrabBar, FollowsTheSizeOfAHiddenParent)
{
    TSplitForm f;
    f.form.Hide();
    f.form.SetBounds(0, 0, 500, 260);
    EXPECT_EQ(BoundsOf(f.bar), Bounds(0, 100, 500, 5));
    EXPECT_EQ(BoundsOf(f.b), Bounds(0, 105, 500, 155));
}

TEST(JXGrabBar, PanesAndTheBarItselfMayGoAway)
{
    TSplitForm f;
    f.bar->SetWindowA(f.bar);
    EXPECT_EQ(f.bar->WindowA(), f.a);

    f.a->Free();
    EXPECT_EQ(f.bar->WindowA(), nullptr);
    EXPECT_EQ(f.bar->WindowB(), f.b);
    QTest::mousePress(f.bar, Qt::LeftButton, {}, QPoint(50, 2));
    QTest::mouseMove(f.bar, QPoint(50, 40));
    f.b->Free();
    QTest::mouseRelease(f.bar, Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_EQ(f.bar->Top(), 138);

    QPointer<TJXGrabBar> bar = f.bar;
    bar->OnMove = [](TObject *sender) { static_cast<TJXGrabBar *>(sender)->Free(); };
    QTest::mouseClick(bar.data(), Qt::LeftButton, {}, QPoint(50, 2));
    EXPECT_TRUE(bar.isNull());
    // The form no longer calls into the bar when it is resized.
    f.form.SetBounds(0, 0, 320, 240);
}

TEST(JXGrabBar, CursorsCarryTheirHotSpots)
{
    TPoint hot;
    const QCursor h = LoadCursorFromResourceName(QStringLiteral("crjxhgrab"), &hot);
    EXPECT_EQ(hot, Point(5, 3));
    EXPECT_EQ(h.pixmap().size(), QSize(32, 32));
    LoadCursorFromResourceName(QStringLiteral("CRJXVGRAB"), &hot);
    EXPECT_EQ(hot, Point(19, 15));
    EXPECT_THROW(LoadCursorFromResourceName(QStringLiteral("NOSUCHCURSOR")), Exception);

    TJXGrabBar bar;
    EXPECT_EQ(bar.Cursor(), crJXHGrab);
    EXPECT_EQ(bar.cursor().hotSpot(), QPoint(5, 3));
    bar.SetStyle(jxgbVertical);
    EXPECT_EQ(bar.cursor().hotSpot(), QPoint(19, 15));
}

TEST(JXGrabBar, PaintsOutlineAndBevel)
{
    TJXGrabBar bar;
    bar.SetColor(clSilver);
    bar.SetBounds(0, 0, 40, 7);
    bar.Repaint();
    const QImage &s = bar.Surface();
    const int frame = ColorToRGB(clWindowFrame);
    EXPECT_EQ(PixelAt(s, 0, 0), frame);
    EXPECT_EQ(PixelAt(s, 39, 6), frame);
    EXPECT_EQ(PixelAt(s, 1, 1), 0xFFFFFF);
    EXPECT_EQ(PixelAt(s, 20, 1), 0xFFFFFF);
    EXPECT_EQ(PixelAt(s, 38, 5), 0x808080);
    EXPECT_EQ(PixelAt(s, 20, 5), 0x808080);
    EXPECT_EQ(PixelAt(s, 20, 3), 0xC0C0C0);

    bar.SetBorderStyle(bsNone);
    bar.SetCtl3D(false);
    bar.Repaint();
    EXPECT_EQ(PixelAt(bar.Surface(), 0, 0), 0xC0C0C0);
    EXPECT_EQ(PixelAt(bar.Surface(), 1, 1), 0xC0C0C0);
}
