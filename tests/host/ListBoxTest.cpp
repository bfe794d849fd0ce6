// SPDX-License-Identifier: MIT
// The list box: column-major cells, owner drawing with its states, selection redraws only the
// cells concerned, and the focus rectangle that is inverted on and off.
#include "host/controls/ListBox.h"

#include "TestSupport.h"
#include "host/controls/Forms.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <map>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

/// Owner-drawn box that fills each cell with a colour of its index and records the calls.
class Recording : public TCustomListBox
{
public:
    explicit Recording(TComponent *owner = nullptr) : TCustomListBox(owner)
    {
        SetStyle(lbOwnerDrawFixed);
    }
    struct Call
    {
        int index;
        TRect rect;
        TOwnerDrawState state;
    };
    std::vector<Call> calls;
    bool skipSelectedFocused = false;

protected:
    void DrawItem(int index, const TRect &rect, TOwnerDrawState state) override
    {
        calls.push_back({index, rect, state});
        if (skipSelectedFocused && state.Contains(odSelected) && state.Contains(odFocused))
            return;
        Canvas()->Brush()->SetColor(state.Contains(odSelected) ? clRed : RGB(index, 0, 0));
        Canvas()->FillRect(rect);
    }
};

void Fill(TCustomListBox &box, int count)
{
    for (int i = 0; i < count; ++i)
        box.Items()->Add(QString::number(i));
}

} // namespace

TEST(ListBox, ColumnsAreFilledTopToBottomThenLeftToRight)
{
    Recording box;
    box.SetBounds(0, 0, 300, 100);
    box.SetItemHeight(30);
    box.SetColumns(3);
    Fill(box, 10);
    EXPECT_EQ(box.ItemsPerColumn(), 3);
    EXPECT_EQ(box.ItemRect(0), Rect(0, 0, 100, 30));
    EXPECT_EQ(box.ItemRect(2), Rect(0, 60, 100, 90));
    EXPECT_EQ(box.ItemRect(3), Rect(100, 0, 200, 30));
    EXPECT_EQ(box.ItemRect(8), Rect(200, 60, 300, 90));
    EXPECT_TRUE(box.ItemRect(9).IsEmpty()); // the fourth column is out of view
    EXPECT_EQ(box.ItemAtPos(Point(150, 40), true), 4);
    EXPECT_EQ(box.ItemAtPos(Point(150, 95), true), -1); // below the last full row
    box.Repaint();
    // Exactly the nine cells in view are drawn, each with its rectangle.
    ASSERT_EQ(box.calls.size(), 9u);
    for (const auto &c : box.calls)
        EXPECT_EQ(c.rect, box.ItemRect(c.index));
    EXPECT_EQ(PixelAt(box.Surface(), 150, 40), RGB(4, 0, 0));
    EXPECT_EQ(PixelAt(box.Surface(), 150, 95), ColorToRGB(clWindow));

    // Selecting the last item scrolls by whole columns.
    box.SetItemIndex(9);
    EXPECT_EQ(box.TopIndex(), 3);
    EXPECT_EQ(box.ItemRect(9), Rect(200, 0, 300, 30));

    // One column of full width without Columns.
    box.SetColumns(0);
    box.SetTopIndex(0);
    EXPECT_EQ(box.ItemRect(2), Rect(0, 60, 300, 90));
    EXPECT_EQ(box.ItemAtPos(Point(10, 95), false), 3);
}

TEST(ListBox, SelectionRedrawsOnlyTheCellsConcerned)
{
    Recording box;
    box.SetBounds(0, 0, 100, 100);
    box.SetItemHeight(20);
    Fill(box, 5);
    box.Repaint();
    box.calls.clear();
    box.SetItemIndex(2);
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].index, 2);
    EXPECT_TRUE(box.calls[0].state.Contains(odSelected));
    EXPECT_EQ(PixelAt(box.Surface(), 50, 50), clRed);
    box.calls.clear();
    box.SetItemIndex(4);
    ASSERT_EQ(box.calls.size(), 2u);
    EXPECT_EQ(box.calls[0].index, 2);
    EXPECT_FALSE(box.calls[0].state.Contains(odSelected));
    EXPECT_EQ(box.calls[1].index, 4);
    EXPECT_EQ(PixelAt(box.Surface(), 50, 50), RGB(2, 0, 0));
    EXPECT_EQ(box.Selected(4), true);
    EXPECT_EQ(box.SelCount(), 1);

    // Items going away take the selection with them.
    box.Items()->Delete(4);
    EXPECT_EQ(box.ItemIndex(), -1);
    box.SetItemIndex(17);
    EXPECT_EQ(box.ItemIndex(), -1);
}

TEST(ListBox, FocusRectangleAndTheFocusedState)
{
    TForm form;
    form.SetBounds(0, 0, 200, 200);
    auto *box = new Recording(&form);
    box->SetParent(&form);
    box->SetBounds(0, 0, 100, 100);
    box->SetItemHeight(20);
    box->skipSelectedFocused = true;
    Fill(*box, 5);
    form.Show();
    QApplication::setActiveWindow(&form);
    box->SetItemIndex(1);
    box->clearFocus();
    QApplication::processEvents();
    box->Repaint();
    const QImage before = box->Surface().copy();
    box->setFocus();
    QApplication::processEvents();
    if (!box->hasFocus())
        GTEST_SKIP() << "the platform plugin gives no keyboard focus";
    box->calls.clear();
    box->Repaint();
    // The selected, focused cell is left to keep its last image, under a dotted frame.
    bool focusedCall = false;
    for (const auto &c : box->calls)
        focusedCall = focusedCall ||
                      (c.index == 1 && c.state.Contains(odFocused) && c.state.Contains(odSelected));
    EXPECT_TRUE(focusedCall);
    EXPECT_EQ(PixelAt(box->Surface(), 50, 30), clRed);
    EXPECT_NE(PixelAt(box->Surface(), 0, 20), PixelAt(before, 0, 20)); // a dot of the frame
    EXPECT_EQ(PixelAt(box->Surface(), 1, 20), PixelAt(before, 1, 20)); // the gap between dots
    // Keys move the selection; the frame follows and leaves no trace behind.
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(PixelAt(box->Surface(), 0, 20), RGB(1, 0, 0));
    EXPECT_NE(PixelAt(box->Surface(), 0, 40), clRed);
    form.Hide();
}

TEST(ListBox, MouseSelectsAndMultiSelectToggles)
{
    Recording box;
    box.SetBounds(0, 0, 100, 100);
    box.SetItemHeight(20);
    Fill(box, 4);
    int clicks = 0;
    box.OnClick = [&](TObject *) { ++clicks; };
    QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(10, 45));
    EXPECT_EQ(box.ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(10, 95)); // empty cell
    EXPECT_EQ(box.ItemIndex(), 2);
    box.SetMultiSelect(true);
    QTest::mouseClick(&box, Qt::LeftButton, Qt::ControlModifier, QPoint(10, 5));
    EXPECT_TRUE(box.Selected(0));
    EXPECT_TRUE(box.Selected(2));
    EXPECT_EQ(box.SelCount(), 2);
    QTest::mouseClick(&box, Qt::LeftButton, Qt::ControlModifier, QPoint(10, 45));
    EXPECT_FALSE(box.Selected(2));
    EXPECT_EQ(box.SelCount(), 1);
}
