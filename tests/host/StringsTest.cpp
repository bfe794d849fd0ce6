// SPDX-License-Identifier: MIT
#include "host/core/Strings.h"

#include <gtest/gtest.h>

using namespace jxt;

TEST(StringList, AddInsertDeleteWithObjects)
{
    TStringList list;
    TStringList other;
    list.Add(QStringLiteral("b"));
    list.Insert(0, QStringLiteral("a"));
    const int c = list.AddObject(QStringLiteral("c"), &other);
    EXPECT_EQ(c, 2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], QStringLiteral("a"));
    EXPECT_EQ(list.GetObject(2), &other);
    EXPECT_EQ(list.IndexOfObject(&other), 2);
    list.Delete(0);
    EXPECT_EQ(list.GetObject(1), &other);
    EXPECT_THROW(list.Get(5), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
}

TEST(StringList, SortedIgnoresCaseAndDuplicates)
{
    TStringList list;
    list.SetSorted(true);
    EXPECT_GE(list.Add(QStringLiteral("pear")), 0);
    list.Add(QStringLiteral("Apple"));
    list.Add(QStringLiteral("banana"));
    EXPECT_EQ(list.Add(QStringLiteral("APPLE")), -1);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ToStringList(), (QStringList{QStringLiteral("Apple"), QStringLiteral("banana"),
                                                QStringLiteral("pear")}));
    EXPECT_EQ(list.IndexOf(QStringLiteral("BANANA")), 1);
    EXPECT_EQ(list.IndexOf(QStringLiteral("cherry")), -1);
    EXPECT_THROW(list.Insert(0, QStringLiteral("x")), EListError);
}

TEST(StringList, TextSplitsEveryLineEnding)
{
    TStringList list;
    list.SetText(QStringLiteral("one\r\ntwo\nthree\rfour"));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list[3], QStringLiteral("four"));
    EXPECT_EQ(list.Text(), QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\n"));
    list.SetText(QStringLiteral("a\n\nb\n"));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], QString());
}

TEST(StringList, AssignCopiesStringsAndObjectsAndNotifiesOnce)
{
    TStringList src, dst;
    TStringList marker;
    src.AddObject(QStringLiteral("x"), &marker);
    src.Add(QStringLiteral("y"));
    int changes = 0;
    dst.OnChange = [&](TObject *) { ++changes; };
    dst.Add(QStringLiteral("old"));
    changes = 0;
    dst.Assign(&src);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(dst.ToStringList(), src.ToStringList());
    EXPECT_EQ(dst.GetObject(0), &marker);
    dst.Assign(&dst);
    EXPECT_EQ(dst.Count(), 2);
    EXPECT_THROW(dst.Assign(nullptr), EConvertError);
}

TEST(StringList, NameValuePairs)
{
    TStringList list;
    list.Add(QStringLiteral("Key=1"));
    list.Add(QStringLiteral("Other=two=2"));
    EXPECT_EQ(list.Values(QStringLiteral("key")), QStringLiteral("1"));
    EXPECT_EQ(list.Values(QStringLiteral("Other")), QStringLiteral("two=2"));
    EXPECT_EQ(list.Names(1), QStringLiteral("Other"));
    list.SetValue(QStringLiteral("Key"), QStringLiteral("9"));
    EXPECT_EQ(list[0], QStringLiteral("Key=9"));
    list.SetValue(QStringLiteral("Key"), QString());
    EXPECT_EQ(list.Count(), 1);
}

TEST(StringList, ExchangeAndMoveKeepObjects)
{
    TStringList list, o1, o2;
    list.AddObject(QStringLiteral("a"), &o1);
    list.AddObject(QStringLiteral("b"), &o2);
    list.Add(QStringLiteral("c"));
    list.Exchange(0, 1);
    EXPECT_EQ(list[0], QStringLiteral("b"));
    EXPECT_EQ(list.GetObject(0), &o2);
    list.Move(0, 2);
    EXPECT_EQ(list.ToStringList(),
              (QStringList{QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("b")}));
    EXPECT_EQ(list.GetObject(2), &o2);
}
