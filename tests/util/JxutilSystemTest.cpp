// SPDX-License-Identifier: MIT
// System helpers: the screen cursor.
#include "util/Jxutil.h"

#include "host/Forms.h"
#include "platform/Pointer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

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

TEST(JxutilSystem, FileVersionsInfoReadsTheStringTableOfTheFirstTranslation)
{
    const QString launcher = QStringLiteral("/usr/lib/python3/dist-packages/distlib/w64.exe");
    if (!QFileInfo::exists(launcher))
        GTEST_SKIP() << "needs the Debian package python3-distlib (scripts/install-deps.sh)";
    TVersionType info;
    info.Comments = QStringLiteral("left from before");
    jxtGetFileVersionsInfo(launcher, info);
    EXPECT_EQ(info.CompanyName, QStringLiteral("Simple Launcher User"));
    EXPECT_EQ(info.FileDescription, QStringLiteral("Simple Launcher Executable"));
    EXPECT_EQ(info.FileVersion, QStringLiteral("1.1.0.14"));
    EXPECT_EQ(info.InternalName, QStringLiteral("w64.exe"));
    EXPECT_EQ(info.LegalCopyright, QStringLiteral("Copyright (C) Simple Launcher User"));
    EXPECT_EQ(info.LegalTradeMarks, QString());
    EXPECT_EQ(info.OriginalFileName, QStringLiteral("w64.exe")); // stored as "OriginalFilename"
    EXPECT_EQ(info.ProductName, QStringLiteral("Simple Launcher"));
    EXPECT_EQ(info.ProductVersion, QStringLiteral("1.1.0.14"));
    EXPECT_EQ(info.Comments, QString());
}

TEST(JxutilSystem, FileVersionsInfoEmptiesEveryFieldForFilesWithoutVersion)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("notes.exe"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("MZ but nothing else");
    f.close();
    for (const QString &file :
         {QStringLiteral("/bin/true"), text, dir.filePath(QStringLiteral("missing.exe"))}) {
        TVersionType info;
        info.CompanyName = info.FileVersion = info.Comments = QStringLiteral("stale");
        jxtGetFileVersionsInfo(file, info);
        EXPECT_TRUE(info.CompanyName.isEmpty() && info.FileVersion.isEmpty() &&
                    info.Comments.isEmpty())
            << qPrintable(file);
    }
}
