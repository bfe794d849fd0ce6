// SPDX-License-Identifier: MIT
// The recursive walkers against a plain walk written with FindFirst/FindNext on a tree with
// every kind of entry: the same files, in the same order, with the same sizes.
#include "util/Jxutil.h"
#include "util/JxutilFiles.h"

#include "host/core/Strings.h"
#include "platform/Find.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

using namespace jxt;

namespace {

class WalkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldDrives = qgetenv("JXT_DRIVES");
        qputenv("JXT_DRIVES", "T=" + QFile::encodeName(m_dir.path()));
    }
    void TearDown() override
    {
        // Removed by bytes, since QTemporaryDir cannot spell names that do not decode.
        ::nftw(
            QFile::encodeName(m_dir.path()).constData(),
            [](const char *path, const struct stat *, int, struct FTW *) { return ::remove(path); },
            16, FTW_DEPTH | FTW_PHYS);
        if (m_oldDrives.isNull())
            qunsetenv("JXT_DRIVES");
        else
            qputenv("JXT_DRIVES", m_oldDrives);
    }
    QByteArray Host(const QByteArray &rel) const
    {
        return QFile::encodeName(m_dir.path()) + '/' + rel;
    }
    void Write(const QByteArray &rel, int size)
    {
        const QByteArray path = Host(rel);
        // Parents by their bytes: some names in these tests do not decode to text.
        for (int slash = rel.indexOf('/'); slash >= 0; slash = rel.indexOf('/', slash + 1))
            ::mkdir(Host(rel.left(slash)).constData(), 0755);
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        ASSERT_GE(fd, 0) << path.constData();
        const QByteArray data(size, 'x');
        ASSERT_EQ(::write(fd, data.constData(), size_t(size)), size);
        ::close(fd);
    }
    void Link(const char *target, const QByteArray &rel)
    {
        ASSERT_EQ(::symlink(target, Host(rel).constData()), 0);
    }

    // A varied tree: case and non-ASCII names, hidden files and directories, links to
    // directories (never entered), to files and to nothing, an empty directory, three levels.
    void BuildTree()
    {
        int size = 0;
        for (const char *dir : {"w/", "w/Alpha/", "w/alpha2/", "w/beta/Deep/", "w/beta/deep2/x/",
                                "w/.cache/", "w/\xc3\x84rger/"}) {
            for (const char *name :
                 {"a.txt", "B.TXT", "c.Doc", "README", "zz.tXt", ".rc", "\xc3\x9f.txt", "Ab.txt"}) {
                size = (size * 7 + 1333) % 5000;
                Write(QByteArray(dir) + name, size);
            }
        }
        ASSERT_TRUE(QDir().mkpath(QFile::decodeName(Host("w/empty"))));
        Link("Alpha", "w/toAlpha");
        Link("../Alpha", "w/beta/.up");
        Link("a.txt", "w/Alpha/link.txt");
        Link("nowhere", "w/alpha2/dangling.txt");
    }

    QTemporaryDir m_dir;
    QByteArray m_oldDrives;
};

using TVisit = std::function<void(const QString &dir, const TSearchRec &rec)>;

// Subdirectories first (depth first, in search order, not through links), then the entries.
void PlainWalk(const QString &dir, bool recursive, const TVisit &visit)
{
    std::vector<TSearchRec> recs;
    TSearchRec rec;
    int rc = platform::FindFirst(dir + QStringLiteral("*.*"), platform::faAnyFile, rec);
    while (rc == 0) {
        if (rec.Name != QLatin1String(".") && rec.Name != QLatin1String(".."))
            recs.push_back(rec);
        rc = platform::FindNext(rec);
    }
    platform::FindClose(rec);
    for (const TSearchRec &r : recs) {
        if (recursive && (r.Attr & platform::faDirectory) && !r.IsSymLink)
            PlainWalk(dir + r.Name + QLatin1Char('\\'), recursive, visit);
    }
    for (const TSearchRec &r : recs)
        visit(dir, r);
}

QStringList PlainGetFiles(const QString &path, const QString &mask, bool recursive)
{
    QStringList out;
    PlainWalk(jxtCheckPath(path), recursive, [&](const QString &dir, const TSearchRec &rec) {
        // Directories, hidden ones included, are never files.
        if (jxtIsFile(rec) && jxtIsMatch(rec.Name.toUpper(), mask))
            out << dir + rec.Name;
    });
    return out;
}

int PlainCount(const QString &path, const QString &mask, int minKB, int maxKB,
               bool recursive = true)
{
    int count = 0;
    const QString upper = mask.toUpper();
    PlainWalk(jxtCheckPath(path), recursive, [&](const QString &, const TSearchRec &rec) {
        const qint64 kb = rec.Size / 1000;
        if (jxtIsFile(rec) &&
            (jxtIsMatch(QStringLiteral("*.*"), upper) || jxtIsMatch(rec.Name.toUpper(), upper)) &&
            (minKB == 0 || kb >= minKB) && (maxKB == 0 || kb <= maxKB))
            ++count;
    });
    return count;
}

TEST_F(WalkTest, SameFilesInTheSameOrderAsAPlainWalk)
{
    BuildTree();
    for (const char *mask : {"*.TXT", "*.*", "*", "A*", "*.DOC;README", "SS*", ".*"}) {
        const QString m = QString::fromUtf8(mask);
        SCOPED_TRACE(mask);
        const QStringList want = PlainGetFiles(QStringLiteral("T:\\w"), m, true);
        ASSERT_FALSE(want.isEmpty());
        TStringList list;
        jxtGetFiles(&list, QStringLiteral("T:\\w"), m, true);
        EXPECT_EQ(list.ToStringList(), want);
        jxtGetFiles(&list, QStringLiteral("T:\\w\\"), m, false);
        EXPECT_EQ(list.ToStringList(), PlainGetFiles(QStringLiteral("T:\\w"), m, false));
        EXPECT_TRUE(jxtFilesExists(QStringLiteral("T:\\w"), m, true));
    }
    // The walk names the start as given; case is resolved once, for the start.
    TStringList list;
    jxtGetFiles(&list, QStringLiteral("t:\\W\\BETA"), QStringLiteral("*.DOC"), true);
    EXPECT_EQ(list.ToStringList(), (QStringList{QStringLiteral("t:\\W\\BETA\\Deep\\c.Doc"),
                                                QStringLiteral("t:\\W\\BETA\\deep2\\x\\c.Doc")}));
}

TEST_F(WalkTest, CountsAgreeWithAPlainWalkWithAndWithoutSizes)
{
    BuildTree();
    for (const char *mask : {"*.*", "*.txt", "readme", "*.doc"}) {
        const QString m = QString::fromUtf8(mask);
        SCOPED_TRACE(mask);
        const int all = PlainCount(QStringLiteral("T:\\w"), m, 0, 0);
        EXPECT_GT(all, 0);
        EXPECT_EQ(jxtFileCount(QStringLiteral("T:\\w"), m, true), all);
        EXPECT_EQ(jxtFileCount2(QStringLiteral("T:\\w"), m, true, 0), all);
        EXPECT_EQ(jxtFileCount3(QStringLiteral("T:\\w"), m, true, 0, 0), all);
        for (int minKB : {1, 3}) {
            const int bigger = PlainCount(QStringLiteral("T:\\w"), m, minKB, 0);
            EXPECT_LT(bigger, all);
            EXPECT_EQ(jxtFileCount2(QStringLiteral("T:\\w"), m, true, minKB), bigger) << minKB;
        }
        EXPECT_EQ(jxtFileCount3(QStringLiteral("T:\\w"), m, true, 1, 2),
                  PlainCount(QStringLiteral("T:\\w"), m, 1, 2));
        EXPECT_EQ(jxtFileCount(QStringLiteral("T:\\w"), m, false),
                  PlainCount(QStringLiteral("T:\\w"), m, 0, 0, false));
    }
    EXPECT_EQ(jxtFileCount(QStringLiteral("T:\\missing"), QStringLiteral("*.*"), true), 0);
}

// A directory whose name does not decode to text, or holds a backslash, cannot be spelt as a
// path of this system; the walkers reach it by its name on disk and count what it holds, but
// list no path through it ("back\slash\three.txt" would name the decoy).
TEST_F(WalkTest, DirectoriesWithUnspellableNamesAreWalked)
{
    Write("u/bad\xff"
          "dir/one.txt",
          1);
    Write("u/bad\xff"
          "dir/two.txt",
          1);
    Write("u/back\\slash/three.txt", 1);
    Write("u/back/slash/decoy.txt", 1);
    EXPECT_EQ(jxtFileCount(QStringLiteral("T:\\u"), QStringLiteral("*.*"), true), 4);
    TStringList list;
    jxtGetFiles(&list, QStringLiteral("T:\\u"), QStringLiteral("THREE.TXT;DECOY.TXT"), true);
    EXPECT_EQ(list.ToStringList(), (QStringList{QStringLiteral("T:\\u\\back\\slash\\decoy.txt")}));
}

} // namespace
