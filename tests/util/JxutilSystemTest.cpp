// SPDX-License-Identifier: MIT
// System helpers: the screen cursor.
#include "util/Jxutil.h"

#include "host/Forms.h"
#include "platform/Pointer.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

using namespace jxt;

TEST(JxutilSystem, SetScreenCursorSetsTheApplicationCursorAndShowsItAtOnce)
{
    const int refreshes = platform::PointerRefreshCount();
    jxtSetScreenCursor(crHourGlass);
    EXPECT_EQ(Screen()->Cursor(), crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(platform::PointerRefreshCount(), refreshes + 1);

    jxtSetScreenCursor(crDefault);
    EXPECT_EQ(Screen()->Cursor(), crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
