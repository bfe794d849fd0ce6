// SPDX-License-Identifier: MIT
// Drive mapping, Windows-to-host translation with case-insensitive lookup, and the path
// string functions.
#include "platform/Paths.h"

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace jxt::platform;
using jxt::test::TScopedCurrentDir;
using jxt::test::TScopedEnv;

namespace {

class PathsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_root = QDir(m_tmp.path()).canonicalPath();
        ASSERT_TRUE(QDir().mkpath(m_root + "/cd/Sub Dir"));
        ASSERT_TRUE(QDir().mkpath(m_root + "/x/Mixed/Deeper"));
        ASSERT_TRUE(jxt::test::WriteFile(m_root + "/x/Mixed/Deeper/File.TXT", "1"));
    }
    QByteArray DriveSpec() const
    {
        return QFile::encodeName(QStringLiteral("D=%1/cd:cdrom; e=%1/x/ ;Q=relative/path;Z;"
                                                "7=/bad;F=%1/x/Mixed:unknowntype")
                                     .arg(m_root));
    }

    QTemporaryDir m_tmp;
    QString m_root;
};

TEST_F(PathsTest, DriveTableComesFromEnvironment)
{
    {
        TScopedEnv env("JXT_DRIVES", DriveSpec());
        // F's ":unknowntype" is not a type, so it stays part of the (non-existing) root.
        EXPECT_EQ(AvailableDrives(), "CDEF");
        EXPECT_EQ(DriveRoot('C'), "/");
        EXPECT_EQ(DriveRoot('d'), m_root + "/cd");
        EXPECT_EQ(DriveRoot('E'), m_root + "/x");
        EXPECT_EQ(DriveRoot('F'), m_root + "/x/Mixed:unknowntype");
        EXPECT_EQ(DriveRoot('Q'), "");
        EXPECT_EQ(DriveTypeOverride('D'), DRIVE_CDROM);
        EXPECT_EQ(DriveTypeOverride('E'), -1);
        EXPECT_EQ(LogicalDrivesMask(), (1u << 2) | (1u << 3) | (1u << 4) | (1u << 5));
    }
    // Restored environment: only the default drive.
    TScopedEnv env("JXT_DRIVES", "");
    EXPECT_EQ(AvailableDrives(), "C");

    TScopedEnv remap("JXT_DRIVES", QFile::encodeName("C=" + m_root + ":ram"));
    EXPECT_EQ(DriveRoot('C'), m_root);
    EXPECT_EQ(DriveTypeOverride('C'), DRIVE_RAMDISK);
}

TEST_F(PathsTest, WindowsPathsMapToDriveRoots)
{
    TScopedEnv env("JXT_DRIVES", DriveSpec());
    EXPECT_EQ(ToHostPath("D:\\Sub Dir\\new.txt"), m_root + "/cd/Sub Dir/new.txt");
    EXPECT_EQ(ToHostPath("d:/Sub Dir/./a/../new.txt"), m_root + "/cd/Sub Dir/new.txt");
    EXPECT_EQ(ToHostPath("D:\\"), m_root + "/cd");
    // ".." never leaves the drive.
    EXPECT_EQ(ToHostPath("D:\\..\\..\\etc\\passwd"), m_root + "/cd/etc/passwd");
    EXPECT_EQ(ToHostPath("C:\\usr\\..\\..\\tmp"), "/tmp");
    EXPECT_EQ(ToHostPath("M:\\x"), "");
    EXPECT_EQ(ToHostPath(""), "");
    // POSIX absolute paths stay as they are; relative ones resolve against the current dir.
    EXPECT_EQ(ToHostPath(m_root + "/cd"), m_root + "/cd");
    {
        TScopedCurrentDir cwd(m_root + "/cd");
        EXPECT_EQ(ToHostPath("a\\b.txt"), m_root + "/cd/a/b.txt");
        EXPECT_EQ(ToHostPath("..\\x"), m_root + "/x");
        // "X:name" is relative to the current directory when that is on drive X.
        EXPECT_EQ(ToHostPath("D:file"), m_root + "/cd/file");
        EXPECT_EQ(ToHostPath("E:file"), m_root + "/x/file");
    }
}

TEST_F(PathsTest, ExistingNamesResolveIgnoringCase)
{
    EXPECT_EQ(ToHostPath(m_root + "/X/MIXED/deeper/file.txt"), m_root + "/x/Mixed/Deeper/File.TXT");
    // Once a component is missing the rest is kept as written.
    EXPECT_EQ(ToHostPath(m_root + "/X/mixed/NEW/file.txt"), m_root + "/x/Mixed/NEW/file.txt");

    TScopedEnv env("JXT_DRIVES", DriveSpec());
    EXPECT_EQ(ToHostPath("E:\\MIXED\\DEEPER\\FILE.TXT"), m_root + "/x/Mixed/Deeper/File.TXT");

    // The exact spelling wins when it exists; among others the first in binary order.
    ASSERT_TRUE(QDir().mkpath(m_root + "/x/Mixed/deeper"));
    ASSERT_TRUE(QDir().mkpath(m_root + "/x/Mixed/DeePer"));
    EXPECT_EQ(ToHostPath("E:\\mixed\\deeper"), m_root + "/x/Mixed/deeper");
    EXPECT_EQ(ToHostPath("E:\\mixed\\DEEPER"), m_root + "/x/Mixed/DeePer");
}

TEST_F(PathsTest, HostPathsMapBackToTheLongestDriveRoot)
{
    TScopedEnv env("JXT_DRIVES", DriveSpec() + ";G=" + QFile::encodeName(m_root + "/x/Mixed"));
    EXPECT_EQ(ToWindowsPath(m_root + "/cd/Sub Dir/a.txt"), "D:\\Sub Dir\\a.txt");
    EXPECT_EQ(ToWindowsPath(m_root + "/x/Mixed/Deeper"), "G:\\Deeper");
    EXPECT_EQ(ToWindowsPath(m_root + "/x"), "E:\\");
    EXPECT_EQ(ToWindowsPath(m_root + "/x/"), "E:\\");
    EXPECT_EQ(ToWindowsPath("/usr/lib/../bin"), "C:\\usr\\bin");
    EXPECT_EQ(ToWindowsPath("/"), "C:\\");
    {
        TScopedCurrentDir cwd(m_root + "/cd");
        EXPECT_EQ(ToWindowsPath("Sub Dir"), "D:\\Sub Dir");
        EXPECT_EQ(GetCurrentDir(), "D:\\");
    }
    // Without a drive that holds it, the path comes back as a host path.
    TScopedEnv remap("JXT_DRIVES", QFile::encodeName("C=" + m_root + "/cd"));
    EXPECT_EQ(ToWindowsPath("/usr/lib"), "/usr/lib");
    EXPECT_EQ(ToWindowsPath(m_root + "/cd/a"), "C:\\a");
}

TEST_F(PathsTest, CurrentDirectoryFollowsDrives)
{
    TScopedEnv env("JXT_DRIVES", DriveSpec());
    TScopedCurrentDir keep(QDir::currentPath());
    ASSERT_TRUE(SetCurrentDir("D:\\SUB DIR"));
    EXPECT_EQ(QDir::currentPath(), m_root + "/cd/Sub Dir");
    EXPECT_EQ(GetCurrentDir(), "D:\\Sub Dir");
    EXPECT_FALSE(SetCurrentDir("D:\\missing"));
    EXPECT_FALSE(SetCurrentDir("M:\\"));
}

TEST_F(PathsTest, ExpandFileNameIsTextual)
{
    TScopedEnv env("JXT_DRIVES", DriveSpec());
    TScopedCurrentDir cwd(m_root + "/cd/Sub Dir");
    EXPECT_EQ(ExpandFileName("C:\\a\\.\\b\\..\\c"), "C:\\a\\c");
    EXPECT_EQ(ExpandFileName("c:/a/b/"), "c:\\a\\b\\");
    EXPECT_EQ(ExpandFileName("C:\\..\\.."), "C:\\");
    EXPECT_EQ(ExpandFileName("name.txt"), "D:\\Sub Dir\\name.txt");
    EXPECT_EQ(ExpandFileName("..\\Name.TXT"), "D:\\Name.TXT");
    EXPECT_EQ(ExpandFileName("\\root.txt"), "D:\\root.txt");
    EXPECT_EQ(ExpandFileName("D:rel.txt"), "D:\\Sub Dir\\rel.txt");
    EXPECT_EQ(ExpandFileName("E:rel.txt"), "E:\\rel.txt");
    EXPECT_EQ(ExpandFileName("\\\\srv\\share\\a\\..\\b"), "\\\\srv\\share\\b");
    EXPECT_EQ(ExpandFileName(""), "D:\\Sub Dir");
}

struct TSplitCase
{
    const char *input;
    const char *path;
    const char *dir;
    const char *name;
    const char *ext;
    const char *drive;
};

class PathSplitTest : public ::testing::TestWithParam<TSplitCase>
{
};

TEST_P(PathSplitTest, SplitsIntoDirectoryNameAndExtension)
{
    const TSplitCase &c = GetParam();
    const QString in = QString::fromUtf8(c.input);
    EXPECT_EQ(ExtractFilePath(in), QString::fromUtf8(c.path));
    EXPECT_EQ(ExtractFileDir(in), QString::fromUtf8(c.dir));
    EXPECT_EQ(ExtractFileName(in), QString::fromUtf8(c.name));
    EXPECT_EQ(ExtractFileExt(in), QString::fromUtf8(c.ext));
    EXPECT_EQ(ExtractFileDrive(in), QString::fromUtf8(c.drive));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathSplitTest,
    ::testing::Values(TSplitCase{"C:\\x\\a.b.txt", "C:\\x\\", "C:\\x", "a.b.txt", ".txt", "C:"},
                      TSplitCase{"C:\\a.txt", "C:\\", "C:\\", "a.txt", ".txt", "C:"},
                      TSplitCase{"C:a.txt", "C:", "C:", "a.txt", ".txt", "C:"},
                      TSplitCase{"C:/x.y/name", "C:/x.y/", "C:/x.y", "name", "", "C:"},
                      TSplitCase{"a.txt", "", "", "a.txt", ".txt", ""},
                      TSplitCase{"dir\\", "dir\\", "dir", "", "", ""},
                      TSplitCase{"\\\\srv\\share\\f.doc", "\\\\srv\\share\\", "\\\\srv\\share",
                                 "f.doc", ".doc", "\\\\srv\\share"},
                      TSplitCase{"/tmp/.hidden", "/tmp/", "/tmp", ".hidden", ".hidden", ""},
                      TSplitCase{"", "", "", "", "", ""}));

TEST(Paths, ChangeFileExtReplacesOnlyTheNamesExtension)
{
    EXPECT_EQ(ChangeFileExt("C:\\x\\a.txt", ".bak"), "C:\\x\\a.bak");
    EXPECT_EQ(ChangeFileExt("C:\\x.d\\a", ".bak"), "C:\\x.d\\a.bak");
    EXPECT_EQ(ChangeFileExt("a.b.c", ""), "a.b");
}

} // namespace
