// SPDX-License-Identifier: MIT
// Directory list: grouping, sorting, keys that occur twice, bad indexes and rebuilding.
#include "services/JXDirList.h"

#include "host/controls/Dialogs.h"

#include <gtest/gtest.h>

using namespace jxt;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

TEST(JXDirList, GroupsFilesByDirectoryInSortedOrder)
{
    TJXDirList list;
    list.Update();
    EXPECT_EQ(list.DirList()->Count(), 0);

    list.SetFileListStrings({"C:\\y\\c.txt", "C:\\x\\b.txt", "C:\\x\\a.txt"});
    list.Update();
    EXPECT_EQ(list.DirListStrings(), QStringList({"x", "y"}));
    EXPECT_EQ(list.GetFiles(0)->ToStringList(), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(list.GetFiles(1)->ToStringList(), QStringList({"c.txt"}));
    EXPECT_EQ(static_cast<TDirInfo *>(list.DirList()->GetObject(0))->Path,
              QStringLiteral("C:\\x\\"));
    EXPECT_EQ(list.FileListStrings(),
              QStringList({"C:\\x\\a.txt", "C:\\x\\b.txt", "C:\\y\\c.txt"})); // sorted in place

    // Updating again rebuilds the groups from the current file list.
    TStringList files;
    files.Add(QStringLiteral("C:\\data\\a.txt"));
    list.SetFileList(&files);
    list.Update();
    EXPECT_EQ(list.DirListStrings(), QStringList({"data"}));
    EXPECT_EQ(list.GetFiles(0)->ToStringList(), QStringList({"a.txt"}));
}

// POSIX paths group by their directories as Windows paths do; nothing is dropped.
TEST(JXDirList, PosixPathsGroupByDirectory)
{
    TJXDirList list;
    list.SetFileListStrings({"/tmp/y/c.txt", "/tmp/x/b.txt", "/tmp/x/a.txt"});
    list.Update();
    EXPECT_EQ(list.DirListStrings(), QStringList({"x", "y"}));
    EXPECT_EQ(list.GetFiles(0)->ToStringList(), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(list.GetFiles(1)->ToStringList(), QStringList({"c.txt"}));
    EXPECT_EQ(static_cast<TDirInfo *>(list.DirList()->GetObject(1))->Path,
              QStringLiteral("/tmp/y/"));
}

TEST(JXDirList, KeysThatOccurTwice)
{
    TJXDirList list;
    // 'C:\x\sub\b' sorts between the two files of C:\x; both still land in one group.
    // D:\other\x has the same name as C:\x and gets no group of its own.
    list.SetFileListStrings({"C:\\x\\a", "C:\\x\\sub\\b", "C:\\x\\z", "D:\\other\\x\\q"});
    list.Update();
    EXPECT_EQ(list.DirListStrings(), QStringList({"sub", "x"}));
    EXPECT_EQ(list.GetFiles(1)->ToStringList(), QStringList({"a", "z"}));
    EXPECT_EQ(static_cast<TDirInfo *>(list.DirList()->GetObject(1))->Path,
              QStringLiteral("C:\\x\\"));
}

TEST(JXDirList, BadIndexFailsAsTheListDoes)
{
    TJXDirList list;
    list.SetFileListStrings({"C:\\x\\a"});
    list.Update();
    EXPECT_THROW(list.GetFiles(1), EListError);
    EXPECT_THROW(list.GetFiles(-1), EListError);
}

TEST(JXDirList, OutsideDirListIsFilledAndLeftToItsOwner)
{
    TStringList mine;
    {
        TJXDirList list;
        list.SetDirList(&mine);
        list.SetFileListStrings({"C:\\x\\a", "C:\\y\\b"});
        list.Update();
        EXPECT_EQ(mine.ToStringList(), QStringList({"x", "y"}));
        list.SetDirList(nullptr); // frees the groups in mine, back to its own list
        EXPECT_EQ(mine.Count(), 0);
        list.Update();
        EXPECT_EQ(list.DirListStrings(), QStringList({"x", "y"}));
    }
    mine.Add(QStringLiteral("still usable"));
    EXPECT_EQ(mine.Count(), 1);
}
