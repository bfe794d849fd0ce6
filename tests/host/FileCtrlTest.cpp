// SPDX-License-Identifier: MIT
// TFileListBox: the files of a directory that match a mask, the selected file's full name.
#include "host/controls/FileCtrl.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace jxt;

namespace {

void Touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

} // namespace

TEST(FileListBox, ListsTheMatchingFilesSortedWithoutDirectories)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Touch(dir.filePath(QStringLiteral("b.bmp")));
    Touch(dir.filePath(QStringLiteral("A.BMP")));
    Touch(dir.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub.bmp")));

    TFileListBox box;
    box.SetMask(QStringLiteral("*.BMP"));
    box.SetDirectory(dir.path() + QLatin1Char('/'));
    EXPECT_EQ(box.Directory(), dir.path()); // the trailing separator goes
    EXPECT_EQ(box.Items()->ToStringList(), (QStringList{"A.BMP", "b.bmp"}));

    box.SetMask(QStringLiteral("*.txt;*.bmp"));
    EXPECT_EQ(box.Items()->ToStringList(), (QStringList{"A.BMP", "b.bmp", "notes.txt"}));
    EXPECT_TRUE(box.FileName().isEmpty());
    box.SetItemIndex(1);
    EXPECT_EQ(box.FileName(), dir.path() + QStringLiteral("/b.bmp"));

    box.SetFileName(dir.path() + QStringLiteral("/notes.txt"));
    EXPECT_EQ(box.ItemIndex(), 2);

    // A new file shows after Update; a directory that does not exist lists nothing.
    Touch(dir.filePath(QStringLiteral("c.bmp")));
    box.Update();
    EXPECT_EQ(box.Items()->Count(), 4);
    box.SetDirectory(dir.path() + QStringLiteral("/missing"));
    EXPECT_EQ(box.Items()->Count(), 0);
}
