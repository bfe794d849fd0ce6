// SPDX-License-Identifier: MIT
// File finder on real directory trees: walk order and counts, single patterns against
// pattern lists, breaking off from an event, termination, and links that point back up.
#include "services/JXFind.h"

#include "host/controls/Forms.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

using namespace jxt;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

class JXFindTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = platform::ToWindowsPath(m_dir.path()) + QLatin1Char('\\');
    }
    void Make(const QString &relative) const
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    void MakeDir(const QString &relative) const { QDir().mkpath(m_dir.filePath(relative)); }

    /// Runs the finder and records every event as one line.
    QStringList Run(TJXFind &find)
    {
        QStringList log;
        const int rootLength = m_root.size();
        auto rel = [rootLength](const QString &path) { return path.mid(rootLength); };
        find.OnExecute = [&](TObject *) { log << QStringLiteral("execute"); };
        find.OnFinished = [&](TObject *) { log << QStringLiteral("finished"); };
        find.OnChange = [&, rel](TObject *, const QString &path, int dirs, int files) {
            log << QStringLiteral("change %1 %2 %3").arg(rel(path)).arg(dirs).arg(files);
        };
        find.OnFindFile = [&, rel](TObject *, TSearchRec &rec, const QString &path,
                                   const QString &) {
            log << QStringLiteral("find %1%2").arg(rel(path), rec.Name);
        };
        find.OnNotFindFile = [&, rel](TObject *, TSearchRec &rec, const QString &path,
                                      const QString &) {
            log << QStringLiteral("not %1%2").arg(rel(path), rec.Name);
        };
        find.SetStartPath(m_root);
        find.Execute();
        return log;
    }

    QTemporaryDir m_dir;
    QString m_root;
};

} // namespace

TEST(JXFindProperties, DefaultsAndSetters)
{
    TJXFind find;
    EXPECT_EQ(find.StartPath(), QStringLiteral("C:\\"));
    EXPECT_EQ(find.FilePattern(), QStringLiteral("*.*"));
    EXPECT_FALSE(find.Subdirs());
    find.SetFilePattern(QStringLiteral("*.bmp;*.Ico"));
    EXPECT_EQ(find.FilePattern(), QStringLiteral("*.BMP;*.ICO"));
    find.SetStartPath(QStringLiteral("D:\\data"));
    EXPECT_EQ(find.StartPath(), QStringLiteral("D:\\data\\"));
    find.SetStartPath(QStringLiteral("D:\\data\\"));
    EXPECT_EQ(find.StartPath(), QStringLiteral("D:\\data\\"));
    EXPECT_EQ(find.GetAboutJXT(), QStringLiteral("15.11.96"));
}

TEST_F(JXFindTest, SubtreesComeBeforeFilesAndDirectoriesCountAfterTheirSubtree)
{
    Make("b.txt");
    Make("a/x.txt");
    Make("a/deep/y.txt");
    Make("c/z.txt");
    TJXFind find;
    find.SetSubdirs(true);
    const QStringList log = Run(find);
    // With the single pattern "*.*", "." and ".." and the subdirectories of each directory
    // are entries that are no file.
    EXPECT_EQ(log, QStringList({
                       "execute",
                       "not a\\deep\\.",
                       "not a\\deep\\..",
                       "change a\\deep\\ 0 1",
                       "find a\\deep\\y.txt",
                       "change a\\ 1 1",
                       "not a\\.",
                       "not a\\..",
                       "not a\\deep",
                       "change a\\ 1 2",
                       "find a\\x.txt",
                       "change  2 2",
                       "not c\\.",
                       "not c\\..",
                       "change c\\ 2 3",
                       "find c\\z.txt",
                       "change  3 3",
                       "not .",
                       "not ..",
                       "not a",
                       "change  3 4",
                       "find b.txt",
                       "not c",
                       "finished",
                   }));
    EXPECT_EQ(find.DirCount(), 3);
    EXPECT_EQ(find.FileCount(), 4);

    // Without Subdirs only the start directory's own entries are looked at; with the
    // pattern "*.*" its subdirectories are entries that are no file.
    find.SetSubdirs(false);
    EXPECT_EQ(Run(find), QStringList({"execute", "not .", "not ..", "not a", "change  0 1",
                                      "find b.txt", "not c", "finished"}));
}

TEST_F(JXFindTest, PatternListReportsOtherFilesButNotDirectories)
{
    Make("pic.bmp");
    Make("icon.ICO");
    Make("readme.txt");
    Make("sub.bmp/inner.bmp");
    TJXFind find;
    find.SetFilePattern(QStringLiteral("*.bmp;*.ico"));
    EXPECT_EQ(Run(find), QStringList({"execute", "change  0 1", "find icon.ICO", "change  0 2",
                                      "find pic.bmp", "not readme.txt", "finished"}));

    // A single pattern is matched by the file system, ignoring case; a directory whose name
    // fits is reported as not found.
    find.SetFilePattern(QStringLiteral("*.bmp"));
    EXPECT_EQ(Run(find),
              QStringList({"execute", "change  0 1", "find pic.bmp", "not sub.bmp", "finished"}));
}

TEST_F(JXFindTest, BreakFromOnChangeSkipsThatFileAndEndsTheWalk)
{
    Make("a/1.txt");
    Make("a/2.txt");
    Make("b/3.txt");
    Make("4.txt");
    TJXFind find;
    find.SetSubdirs(true);
    int finds = 0;
    int finished = 0;
    find.OnFindFile = [&](TObject *, TSearchRec &, const QString &, const QString &) { ++finds; };
    find.OnFinished = [&](TObject *) { ++finished; };
    find.OnChange = [&](TObject *sender, const QString &, int, int files) {
        if (files == 2)
            static_cast<TJXFind *>(sender)->BreakScan();
    };
    find.SetStartPath(m_root);
    find.Execute();
    // The break ends the loop in "a" (2.txt is counted, not reported), "b" is never entered,
    // and the start directory's file loop ends at its first match.
    EXPECT_EQ(finds, 1);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(find.FileCount(), 3);
    EXPECT_EQ(find.DirCount(), 1);

    // The next run starts afresh.
    find.OnChange = nullptr;
    find.Execute();
    EXPECT_EQ(finds, 5);
    EXPECT_EQ(find.FileCount(), 4);
    EXPECT_EQ(find.DirCount(), 2);
}

TEST_F(JXFindTest, TerminatingApplicationEndsTheWalk)
{
    Make("a.txt");
    Make("b.txt");
    Make("c.txt");
    TJXFind find;
    int finds = 0;
    find.OnFindFile = [&](TObject *, TSearchRec &, const QString &, const QString &) {
        ++finds;
        Application()->Terminate();
    };
    find.SetStartPath(m_root);
    find.Execute();
    Application()->ResetTerminated();
    EXPECT_EQ(finds, 1);
    EXPECT_EQ(find.FileCount(), 2); // the second match is counted, then the walk ends
}

TEST_F(JXFindTest, LinksToDirectoriesAreNotFollowed)
{
    Make("d/f.txt");
    ASSERT_EQ(::symlink("..", QFile::encodeName(m_dir.filePath("d/up")).constData()), 0);
    ASSERT_EQ(::symlink("d", QFile::encodeName(m_dir.filePath("alias")).constData()), 0);
    TJXFind find;
    find.SetSubdirs(true);
    find.SetFilePattern(QStringLiteral("*.txt;*.x"));
    const QStringList log = Run(find);
    EXPECT_EQ(log, QStringList(
                       {"execute", "change d\\ 0 1", "find d\\f.txt", "change  1 1", "finished"}));
}

TEST_F(JXFindTest, EventsCarryRecordAndVolumeName)
{
    Make("data.bin");
    QFile file(m_dir.filePath("data.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1234, 'z'));
    file.close();
    TJXFind find;
    find.SetStartPath(m_root);
    qint64 size = -1;
    QString volume = QStringLiteral("unset");
    QString path;
    QObject::connect(&find, &TJXFind::onFindFile,
                     [&](TObject *, TSearchRec *rec, const QString &p, const QString &v) {
                         size = rec->Size;
                         path = p;
                         volume = v;
                     });
    find.Execute();
    EXPECT_EQ(size, 1234);
    EXPECT_EQ(path, m_root);
    EXPECT_EQ(volume, jxtVolumeName(m_root.left(1)));
    EXPECT_EQ(find.VolumeName(), volume);
}

TEST_F(JXFindTest, HiddenDirectoriesAreNotWalkedAndCaseDecidesTheOrder)
{
    // A hidden directory is not searched; the file pass reports it as a non-match (its
    // attributes are not those of a plain directory). A hidden file is an ordinary match.
    // Subdirectories come in name order ignoring case.
    Make(".cache/inner.txt");
    Make("b/two.txt");
    Make("A/one.txt");
    Make(".hidden.txt");
    TJXFind find;
    find.SetSubdirs(true);
    find.SetFilePattern(QStringLiteral("*.txt;*.x"));
    const QStringList log = Run(find);
    EXPECT_EQ(log, QStringList({"execute", "change A\\ 0 1", "find A\\one.txt", "change  1 1",
                                "change b\\ 1 2", "find b\\two.txt", "change  2 2", "not .cache",
                                "change  2 3", "find .hidden.txt", "finished"}));
}

// A POSIX start path: every path the events hand out keeps "/" and names a folder that
// exists, and the volume is the one of the drive holding it.
TEST_F(JXFindTest, PosixStartPathGivesPosixPaths)
{
    Make("sub/inner.txt");
    Make("top.txt");
    TJXFind find;
    find.SetSubdirs(true);
    find.SetStartPath(m_dir.path());
    EXPECT_EQ(find.StartPath(), m_dir.path() + QLatin1Char('/'));
    QStringList found;
    find.OnFindFile = [&](TObject *, TSearchRec &rec, const QString &path, const QString &) {
        found << path + rec.Name;
    };
    find.Execute();
    EXPECT_EQ(found, QStringList({m_dir.filePath("sub/inner.txt"), m_dir.filePath("top.txt")}));
    for (const QString &file : found)
        EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
    EXPECT_EQ(find.VolumeName(), jxtVolumeName(m_root.left(1)));
}
