// SPDX-License-Identifier: MIT
// TDrawGrid: cell geometry with grid lines, drawing by the owner, the current cell,
// scrolling.
#include "host/controls/Grids.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

#include <tuple>
#include <vector>

using namespace jxt;

namespace {

/// A grid like the animation editor's: no fixed cells, 50 x 50 cells, lines 5 wide.
void MakeFrameGrid(TDrawGrid &grid, int cols, int rows)
{
    grid.SetBorderStyle(bsNone);
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    grid.SetDefaultColWidth(50);
    grid.SetDefaultRowHeight(50);
    grid.SetGridLineWidth(5);
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
}

} // namespace

TEST(DrawGrid, CellsFollowEachOtherWithTheGridLinesBetween)
{
    TDrawGrid grid;
    grid.SetBounds(0, 0, 300, 200);
    MakeFrameGrid(grid, 3, 2);
    EXPECT_EQ(grid.CellRect(0, 0), Rect(0, 0, 50, 50));
    EXPECT_EQ(grid.CellRect(2, 1), Rect(110, 55, 160, 105));
    EXPECT_TRUE(grid.CellRect(3, 0).IsEmpty());

    int col = -2, row = -2;
    grid.MouseToCell(112, 60, col, row);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(2, 1));
    grid.MouseToCell(200, 10, col, row); // right of the last column
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(-1, -1));

    // With the default frame and a fixed row and column the cells move in by the frame.
    TDrawGrid framed;
    framed.SetBounds(0, 0, 300, 200);
    EXPECT_EQ(framed.CellRect(0, 0), Rect(2, 2, 66, 26));
    EXPECT_EQ(framed.CellRect(1, 1), Rect(67, 27, 131, 51));
}

TEST(DrawGrid, TheOwnerDrawsEveryVisibleCellWithItsState)
{
    TDrawGrid grid;
    grid.SetBounds(0, 0, 300, 200);
    MakeFrameGrid(grid, 3, 2);
    grid.SetCol(1);
    grid.SetRow(1);
    std::vector<std::tuple<int, int, TRect, bool>> drawn;
    grid.OnDrawCell = [&](TObject *, int c, int r, const TRect &rect, TGridDrawState state) {
        drawn.emplace_back(c, r, rect, state.Contains(gdSelected));
        grid.Canvas()->FillSolid(rect, clRed);
    };
    grid.Repaint();
    ASSERT_EQ(drawn.size(), 6U);
    for (const auto &[c, r, rect, selected] : drawn) {
        EXPECT_EQ(rect, grid.CellRect(c, r));
        EXPECT_EQ(selected, c == 1 && r == 1);
    }
    // The lines between the cells keep their own colour.
    EXPECT_EQ(test::PixelAt(grid.Surface(), 10, 10), int(clRed));
    EXPECT_NE(test::PixelAt(grid.Surface(), 52, 10), int(clRed));
}

TEST(DrawGrid, ManyColumnsScrollAndTheCurrentCellComesIntoView)
{
    TDrawGrid grid;
    grid.SetBounds(0, 0, 297, 265);
    MakeFrameGrid(grid, 20, 2);
    EXPECT_EQ(grid.VisibleColCount(), 5);
    grid.SetCol(12);
    EXPECT_EQ(grid.LeftCol(), 8);
    EXPECT_TRUE(grid.CellRect(2, 0).IsEmpty());
    EXPECT_EQ(grid.CellRect(8, 0).Left, 0);

    // Fewer columns: the current cell and the scrolling stay in range.
    grid.SetColCount(4);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.LeftCol(), 0);
}

TEST(DrawGrid, ClicksAndArrowsMoveTheCurrentCellUnlessItIsRefused)
{
    TDrawGrid grid;
    grid.SetBounds(0, 0, 300, 200);
    MakeFrameGrid(grid, 3, 2);
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, QPoint(120, 60));
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 1);
    QTest::keyClick(&grid, Qt::Key_Left);
    EXPECT_EQ(grid.Col(), 1);
    grid.OnSelectCell = [](TObject *, int c, int, bool &canSelect) { canSelect = c != 0; };
    QTest::keyClick(&grid, Qt::Key_Left);
    EXPECT_EQ(grid.Col(), 1);
}
