// SPDX-License-Identifier: MIT
// File operations on real files: existence, attributes, deletion of read-only files and
// links, moves that refuse an existing destination, copies and directory creation.
#include "platform/Files.h"

#include "PlatformTestSupport.h"
#include "platform/Find.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace jxt::platform;
using jxt::test::ReadFile;
using jxt::test::TScopedEnv;
using jxt::test::WriteFile;

namespace {

class FilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_dir = QDir(m_tmp.path()).canonicalPath();
        ASSERT_TRUE(WriteFile(m_dir + "/file.txt", "content"));
        ASSERT_TRUE(QDir().mkdir(m_dir + "/Dir"));
        ASSERT_TRUE(WriteFile(m_dir + "/Dir/inner.txt", "inner"));
    }
    QString P(const QString &name) const { return m_dir + "/" + name; }
    void Symlink(const QString &target, const QString &name)
    {
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(),
                            QFile::encodeName(P(name)).constData()),
                  0);
    }

    QTemporaryDir m_tmp;
    QString m_dir;
};

TEST_F(FilesTest, ExistenceSizeAndLinks)
{
    Symlink("Dir", "dirlink");
    Symlink("file.txt", "filelink");
    Symlink("missing", "dangle");

    EXPECT_TRUE(FileExists(P("FILE.TXT")));
    EXPECT_FALSE(FileExists(P("Dir")));
    EXPECT_FALSE(FileExists(P("nothing")));
    EXPECT_TRUE(FileExists(P("filelink")));
    EXPECT_FALSE(FileExists(P("dangle")));
    EXPECT_TRUE(DirectoryExists(P("dir")));
    EXPECT_TRUE(DirectoryExists(P("dirlink")));
    EXPECT_FALSE(DirectoryExists(P("file.txt")));

    EXPECT_TRUE(IsSymLink(P("dirlink")));
    EXPECT_TRUE(IsSymLink(P("DANGLE")));
    EXPECT_FALSE(IsSymLink(P("Dir")));
    EXPECT_FALSE(IsSymLink(P("nothing")));

    EXPECT_EQ(FileSize(P("file.txt")), 7);
    EXPECT_EQ(FileSize(P("filelink")), 7);
    EXPECT_EQ(FileSize(P("Dir")), -1);
    EXPECT_EQ(FileSize(P("nothing")), -1);
    EXPECT_EQ(FileGetAttr(P("nothing")), -1);
    EXPECT_FALSE(FileAge(P("nothing")).isValid());
}

TEST_F(FilesTest, ReadOnlyAttributeGuardsDeletion)
{
    ASSERT_EQ(FileSetAttr(P("file.txt"), faReadOnly | faArchive), 0);
    EXPECT_EQ(FileGetAttr(P("file.txt")), faReadOnly | faArchive);
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(P("file.txt")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u);

    EXPECT_FALSE(DeleteFile(P("file.txt")));
    EXPECT_TRUE(FileExists(P("file.txt")));

    ASSERT_EQ(FileSetAttr(P("file.txt"), 0), 0);
    EXPECT_EQ(FileGetAttr(P("file.txt")), faArchive);
    EXPECT_TRUE(DeleteFile(P("FILE.txt")));
    EXPECT_FALSE(FileExists(P("file.txt")));
    EXPECT_FALSE(DeleteFile(P("file.txt")));
    EXPECT_EQ(FileSetAttr(P("file.txt"), 0), kErrorFileNotFound);

    // Directories are neither deleted as files nor marked read-only.
    EXPECT_FALSE(DeleteFile(P("Dir")));
    EXPECT_EQ(FileSetAttr(P("Dir"), faReadOnly), 0);
    EXPECT_EQ(FileGetAttr(P("Dir")), faDirectory);
}

TEST_F(FilesTest, LinksAreDeletedNotTheirTargets)
{
    Symlink("Dir", "dirlink");
    Symlink("file.txt", "filelink");
    EXPECT_FALSE(RemoveDir(P("dirlink")));
    EXPECT_TRUE(DeleteFile(P("dirlink")));
    EXPECT_TRUE(FileExists(P("Dir/inner.txt")));

    ASSERT_EQ(FileSetAttr(P("file.txt"), faReadOnly), 0);
    EXPECT_TRUE(DeleteFile(P("filelink")));
    EXPECT_TRUE(FileExists(P("file.txt")));
}

TEST_F(FilesTest, DirectoriesAreCreatedAndRemoved)
{
    EXPECT_TRUE(ForceDirectories(P("DIR/a/b/c")));
    EXPECT_TRUE(QFileInfo(P("Dir/a/b/c")).isDir());
    EXPECT_TRUE(ForceDirectories(P("Dir/a")));
    EXPECT_FALSE(ForceDirectories(P("file.txt/sub")));
    EXPECT_FALSE(CreateDir(P("x/y")));
    EXPECT_TRUE(CreateDir(P("x")));
    EXPECT_FALSE(CreateDir(P("x")));

    EXPECT_FALSE(RemoveDir(P("Dir/a")));
    EXPECT_TRUE(RemoveDir(P("Dir/a/b/c")));
    EXPECT_TRUE(RemoveDir(P("dir/A/B")));
    EXPECT_FALSE(DirectoryExists(P("Dir/a/b")));
    EXPECT_FALSE(ForceDirectories(""));

    TScopedEnv env("JXT_DRIVES", QFile::encodeName("W=" + m_dir));
    EXPECT_TRUE(ForceDirectories("W:\\new\\deep\\"));
    EXPECT_TRUE(QFileInfo(P("new/deep")).isDir());
    EXPECT_FALSE(ForceDirectories("M:\\new"));
}

TEST_F(FilesTest, MoveRefusesAnExistingDestination)
{
    ASSERT_TRUE(WriteFile(P("other.txt"), "other"));
    EXPECT_FALSE(MoveFile(P("file.txt"), P("other.txt")));
    EXPECT_FALSE(MoveFile(P("file.txt"), P("OTHER.TXT")));
    EXPECT_EQ(ReadFile(P("other.txt")), "other");
    EXPECT_EQ(ReadFile(P("file.txt")), "content");

    EXPECT_TRUE(MoveFile(P("file.txt"), P("Dir/moved.txt")));
    EXPECT_FALSE(QFileInfo::exists(P("file.txt")));
    EXPECT_EQ(ReadFile(P("Dir/moved.txt")), "content");
    EXPECT_FALSE(MoveFile(P("nothing"), P("x")));

    // A change of case only is a rename of its own.
    EXPECT_TRUE(RenameFile(P("Dir/moved.txt"), P("Dir/MOVED.TXT")));
    EXPECT_EQ(QDir(P("Dir")).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase),
              QStringList({"inner.txt", "MOVED.TXT"}));

    // Whole directories move too.
    EXPECT_TRUE(MoveFile(P("Dir"), P("Renamed")));
    EXPECT_TRUE(FileExists(P("Renamed/inner.txt")));
    EXPECT_FALSE(MoveFile(P("Renamed"), P("Renamed/inside")));
}

// Needs the host's /dev/shm on a file system of its own.
using HostMachineFilesTest = FilesTest;
TEST_F(HostMachineFilesTest, MoveAcrossFileSystemsCopiesFiles)
{
    QTemporaryDir shm(QStringLiteral("/dev/shm/jxt-move-XXXXXX"));
    struct stat a, b;
    if (!shm.isValid() || ::stat(QFile::encodeName(m_dir).constData(), &a) != 0 ||
        ::stat(QFile::encodeName(shm.path()).constData(), &b) != 0 || a.st_dev == b.st_dev)
        GTEST_SKIP() << "needs a second file system at /dev/shm";

    const QDateTime when(QDate(2010, 5, 6), QTime(7, 8, 9));
    ASSERT_TRUE(FileSetDate(P("file.txt"), when));
    const QString target = shm.path() + "/moved.txt";
    EXPECT_TRUE(MoveFile(P("file.txt"), target));
    EXPECT_FALSE(QFileInfo::exists(P("file.txt")));
    EXPECT_EQ(ReadFile(target), "content");
    EXPECT_EQ(FileAge(target), when);

    Symlink("Dir", "dirlink");
    EXPECT_TRUE(MoveFile(P("dirlink"), shm.path() + "/link"));
    EXPECT_TRUE(IsSymLink(shm.path() + "/link"));
    // Directories cannot move to another file system, and nothing is left half-moved.
    EXPECT_FALSE(MoveFile(P("Dir"), shm.path() + "/Dir"));
    EXPECT_TRUE(FileExists(P("Dir/inner.txt")));
    EXPECT_FALSE(QFileInfo::exists(shm.path() + "/Dir"));
}

TEST_F(FilesTest, CopyKeepsContentAndTime)
{
    const QDateTime when(QDate(1999, 12, 31), QTime(23, 59, 58));
    ASSERT_TRUE(FileSetDate(P("file.txt"), when));
    EXPECT_TRUE(CopyFile(P("file.txt"), P("copy.txt"), true));
    EXPECT_EQ(ReadFile(P("copy.txt")), "content");
    EXPECT_EQ(FileAge(P("copy.txt")), when);

    ASSERT_TRUE(WriteFile(P("Dir/inner.txt"), "a much longer old content"));
    EXPECT_FALSE(CopyFile(P("file.txt"), P("dir/INNER.txt"), true));
    EXPECT_EQ(ReadFile(P("Dir/inner.txt")), "a much longer old content");
    EXPECT_TRUE(CopyFile(P("file.txt"), P("dir/INNER.txt"), false));
    EXPECT_EQ(ReadFile(P("Dir/inner.txt")), "content");

    // Copying onto itself, onto a read-only file or a directory fails and changes nothing.
    EXPECT_FALSE(CopyFile(P("file.txt"), P("FILE.TXT"), false));
    EXPECT_EQ(ReadFile(P("file.txt")), "content");
    ASSERT_TRUE(WriteFile(P("ro.txt"), "keep"));
    ASSERT_EQ(FileSetAttr(P("ro.txt"), faReadOnly), 0);
    EXPECT_FALSE(CopyFile(P("file.txt"), P("ro.txt"), false));
    EXPECT_EQ(ReadFile(P("ro.txt")), "keep");
    EXPECT_FALSE(CopyFile(P("file.txt"), P("Dir"), false));

    // A missing source or a directory as source creates nothing.
    EXPECT_FALSE(CopyFile(P("nothing"), P("new.txt"), false));
    EXPECT_FALSE(CopyFile(P("Dir"), P("new.txt"), false));
    EXPECT_FALSE(QFileInfo::exists(P("new.txt")));

    // A read-only source gives a read-only copy.
    EXPECT_TRUE(CopyFile(P("ro.txt"), P("ro2.txt"), true));
    EXPECT_EQ(FileGetAttr(P("ro2.txt")), faArchive | faReadOnly);
}

} // namespace
