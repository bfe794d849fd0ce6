// SPDX-License-Identifier: MIT
// The icon box: loading the icons of a file, lazy extraction, layout, drawing, saving, and
// the file dialog of its designer editor.
#include "controls/JXIcoBox.h"

#include "TestSupport.h"
#include "host/controls/Dialogs.h"
#include "platform/IconBuilders.h"
#include "platform/Icons.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

using namespace jxt;
using jxt::test::IconDib;
using jxt::test::PixelAt;

namespace {

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

/// An icon library of three icons: red, green, and blue on its left half only.
QByteArray ThreeIcons()
{
    return jxt::test::NeIconLibrary(
        {{IconDib(32, 32, 24, [](int, int) { return 0xFFFF0000u; })},
         {IconDib(32, 32, 8, [](int, int) { return 0xFF00FF00u; })},
         {IconDib(32, 32, 4, [](int x, int) { return x < 16 ? 0xFF0000FFu : 0u; })}});
}

} // namespace

TEST(JXIcoBox, LoadsOneItemPerIconAndExtractsLazily)
{
    QTemporaryDir dir;
    const QString lib = dir.filePath(QStringLiteral("three.icl"));
    ASSERT_TRUE(Write(lib, ThreeIcons()));
    TJXIcoBox box;
    int changes = 0;
    box.OnChangeIconCount = [&](TObject *) { ++changes; };
    box.SetIconFileName(lib);
    EXPECT_EQ(box.IconCount(), 3);
    EXPECT_EQ(box.Items()->ToStringList(), (QStringList{"0", "1", "2"}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.Items()->GetObject(1), nullptr); // not drawn yet
    TIcon *icon = box.GetIcon(1);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->Image().pixel(5, 5), 0xFF00FF00u);
    EXPECT_EQ(box.GetIcon(1), icon); // kept
    // The same name again does nothing.
    box.SetIconFileName(lib);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(box.FindItem(QStringLiteral("2")));
    EXPECT_EQ(box.ItemIndex(), 2);
    EXPECT_FALSE(box.FindItem(QStringLiteral("7")));

    // A missing file empties the list without the event; a file without icons fires it.
    box.SetIconFileName(dir.filePath(QStringLiteral("missing.exe")));
    EXPECT_EQ(box.IconCount(), -1);
    EXPECT_EQ(box.Items()->Count(), 0);
    EXPECT_EQ(changes, 1);
    const QString plain = dir.filePath(QStringLiteral("plain.dll"));
    ASSERT_TRUE(Write(plain, "not a library"));
    box.SetIconFileName(plain);
    EXPECT_EQ(box.IconCount(), 0);
    EXPECT_EQ(changes, 2);
}

TEST(JXIcoBox, LayoutFromTheMinimumCellSize)
{
    TJXIcoBox box;
    box.SetBounds(0, 0, 400, 130);
    EXPECT_EQ(box.Columns(), 6); // 400 div (60 + 4)
    EXPECT_EQ(box.ItemHeight(), 65);
    box.SetBorder(false);
    EXPECT_EQ(box.Columns(), 6); // 400 div 60
    box.SetPicMinWidth(10);
    EXPECT_EQ(box.PicMinWidth(), 32);
    EXPECT_EQ(box.Columns(), 12);
    box.SetPicMinHeight(200);
    EXPECT_EQ(box.ItemHeight(), 130); // at least one row
    EXPECT_EQ(box.minimumSizeHint(), QSize(32, 200));
}

TEST(JXIcoBox, CellsCentreTheIconWithNumberAndFrame)
{
    QTemporaryDir dir;
    const QString lib = dir.filePath(QStringLiteral("three.icl"));
    ASSERT_TRUE(Write(lib, ThreeIcons()));
    TJXIcoBox box;
    box.SetBounds(0, 0, 192, 64);
    box.SetIconFileName(lib);
    ASSERT_EQ(box.Columns(), 3);
    box.Repaint();
    const QImage &s = box.Surface();
    EXPECT_EQ(PixelAt(s, 32, 20), clRed);
    EXPECT_EQ(PixelAt(s, 64 + 32, 20), clLime);
    EXPECT_EQ(PixelAt(s, 128 + 20, 20), clBlue);   // left half of the third icon
    EXPECT_EQ(PixelAt(s, 128 + 40, 20), clSilver); // its transparent right half
    EXPECT_EQ(PixelAt(s, 0, 0), clWhite);          // raised frame
    EXPECT_EQ(PixelAt(s, 63, 63), clGray);
    EXPECT_GT(jxt::test::CountColor(s, ColorToRGB(clWindowText), 0, 50, 64, 62), 3); // "0"
}

TEST(JXIcoBox, SavesBitmapsAndIconFiles)
{
    QTemporaryDir dir;
    const QString lib = dir.filePath(QStringLiteral("three.icl"));
    ASSERT_TRUE(Write(lib, ThreeIcons()));
    TJXIcoBox box;
    box.SetIconFileName(lib);
    const QString bmp = dir.filePath(QStringLiteral("two.bmp"));
    box.SaveToBMP(2, bmp);
    TBitmap b;
    b.LoadFromFile(bmp);
    EXPECT_EQ(b.Width(), 32);
    EXPECT_EQ(PixelAt(b.Image(), 4, 4), clBlue);
    EXPECT_EQ(PixelAt(b.Image(), 30, 4), clWhite);
    // The icon file reads back with its transparency, through our reader and Qt's.
    const QString ico = dir.filePath(QStringLiteral("two.ico"));
    box.SaveToICO(2, ico);
    EXPECT_EQ(platform::FileIconCount(ico), 1);
    const QImage back = platform::FileIcon(ico, 0);
    EXPECT_EQ(back.pixel(4, 4), 0xFF0000FFu);
    EXPECT_EQ(qAlpha(back.pixel(30, 4)), 0);
    EXPECT_EQ(QImage(ico, "ico").size(), QSize(32, 32));
    EXPECT_THROW(box.SaveToICO(9, dir.filePath(QStringLiteral("none.ico"))), EInOutError);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("none.ico"))));
}
