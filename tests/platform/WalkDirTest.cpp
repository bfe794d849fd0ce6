// SPDX-License-Identifier: MIT
// The folders of a walk: opened without following links, parked and resumed by identity.
#include "platform/WalkDir.h"

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

using jxt::platform::TWalkDir;

namespace {

class WalkDirTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_root = QFile::encodeName(QDir(m_tmp.path()).canonicalPath());
        for (const char *dir : {"a", "a/b", "a/b/c", "x"})
            ASSERT_EQ(::mkdir((m_root + '/' + dir).constData(), 0755), 0) << dir;
    }
    QByteArray Host(const char *rel) const { return m_root + '/' + rel; }

    QTemporaryDir m_tmp;
    QByteArray m_root;
};

} // namespace

TEST_F(WalkDirTest, ChildrenAreNeverReachedThroughALink)
{
    ASSERT_EQ(::symlink("b", Host("a/link").constData()), 0);
    ASSERT_TRUE(jxt::test::WriteFile(QFile::decodeName(Host("a/file")), "x"));
    const TWalkDir a = TWalkDir::OpenPath(Host("a"));
    ASSERT_TRUE(a.IsOpen());
    EXPECT_TRUE(a.OpenChild("b").IsOpen());
    const TWalkDir link = a.OpenChild("link");
    EXPECT_FALSE(link.IsOpen());
    EXPECT_TRUE(link.Error() == ELOOP || link.Error() == ENOTDIR) << link.Error();
    EXPECT_EQ(a.OpenChild("file").Error(), ENOTDIR);
    EXPECT_EQ(a.OpenChild("missing").Error(), ENOENT);
    // A start folder may be named through a link.
    ASSERT_EQ(::symlink("a", Host("toA").constData()), 0);
    EXPECT_TRUE(TWalkDir::OpenPath(Host("toA")).IsOpen());
}

TEST_F(WalkDirTest, ParkedFoldersResumeFromTheFolderBelow)
{
    TWalkDir a = TWalkDir::OpenPath(Host("a"));
    TWalkDir b = a.OpenChild("b");
    const TWalkDir c = b.OpenChild("c");
    ASSERT_TRUE(c.IsOpen());
    a.ParkAtDepth(TWalkDir::kOpenLevels - 1);
    EXPECT_TRUE(a.IsOpen()) << "parked above the depth that keeps folders open";
    a.ParkAtDepth(TWalkDir::kOpenLevels);
    b.Park();
    EXPECT_FALSE(a.IsOpen());
    ASSERT_TRUE(b.Reopen(c));
    ASSERT_TRUE(a.Reopen(b));
    // Open again, they are the same folders.
    EXPECT_TRUE(a.OpenChild("b").IsOpen());
    EXPECT_TRUE(b.OpenChild("c").IsOpen());
}

// A folder moved away while the walk was below it: going back up would reach another
// folder, so the walk is told (ESTALE) instead of going on there.
TEST_F(WalkDirTest, AFolderMovedAwayIsNotResumedElsewhere)
{
    TWalkDir a = TWalkDir::OpenPath(Host("a"));
    const TWalkDir b = a.OpenChild("b");
    ASSERT_TRUE(b.IsOpen());
    a.Park();
    ASSERT_EQ(::rename(Host("a/b").constData(), Host("x/b").constData()), 0);
    EXPECT_FALSE(a.Resume(b));
    EXPECT_EQ(a.Error(), ESTALE);
    EXPECT_FALSE(a.IsOpen());
}
