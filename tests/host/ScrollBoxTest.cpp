// SPDX-License-Identifier: MIT
// TScrollBox: scroll bars as the controls need them, scrolling moves the controls.
#include "host/controls/ScrollBox.h"

#include "host/controls/ExtCtrls.h"

#include <gtest/gtest.h>

#include <QScrollBar>

using namespace jxt;

TEST(ScrollBox, ControlsBeyondTheClientAreaBringScrollBarsAndMoveWithThem)
{
    TScrollBox box;
    box.SetBorderStyle(bsNone);
    box.SetBounds(0, 0, 200, 100);
    box.VertScrollBar()->SetMargin(20);
    TPanel panel(&box);
    panel.SetParent(&box);
    panel.SetBounds(10, 10, 50, 300);
    EXPECT_TRUE(box.VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(box.HorzScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(box.VertScrollBar()->Range(), 330);
    EXPECT_LT(box.ClientWidth(), 200); // the bar takes room

    box.VertScrollBar()->SetPosition(50);
    EXPECT_EQ(panel.Top(), -40);
    EXPECT_EQ(box.VertScrollBar()->Bar()->value(), 50);
    box.VertScrollBar()->SetPosition(1000); // held at the end
    EXPECT_EQ(box.VertScrollBar()->Position(), 330 - box.ClientHeight());

    // The user drags the bar.
    box.VertScrollBar()->Bar()->setValue(0);
    EXPECT_EQ(panel.Top(), 10);

    // The control shrinks: the bar goes and nothing stays scrolled.
    box.VertScrollBar()->SetPosition(100);
    panel.SetBounds(panel.Left(), panel.Top(), 50, 40);
    EXPECT_FALSE(box.VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(box.VertScrollBar()->Position(), 0);
    EXPECT_EQ(panel.Top(), 10);
}
