// SPDX-License-Identifier: MIT
// Data safety of the file helpers on real files: names on disk that look like paths
// ("..\victim.txt", bytes that are not UTF-8) never lead outside a tree; moves and copies never
// lose the only copy of a file or leave a fragment under the final name, also when killed or
// when the disk is full; FIFOs are never opened; huge arguments cost linear work.
#include "util/Jxutil.h"
#include "util/JxutilFiles.h"

#include "ChildProcess.h"
#include "TestSupport.h"
#include "host/controls/Dialogs.h"
#include "host/core/Strings.h"
#include "host/core/SysUtils.h"
#include "host/graphics/Graphics.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

using namespace jxt;
using jxt::test::TChild;

namespace {

/// A temporary directory reachable as drive T:, with every file made by its bytes.
class DataSafetyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = QFile::encodeName(QDir(m_dir.path()).canonicalPath());
        m_oldDrives = qgetenv("JXT_DRIVES");
        qputenv("JXT_DRIVES", "T=" + m_root);
    }
    void TearDown() override
    {
        RemoveTree(m_root);
        if (m_oldDrives.isNull())
            qunsetenv("JXT_DRIVES");
        else
            qputenv("JXT_DRIVES", m_oldDrives);
    }
    static void RemoveTree(const QByteArray &path)
    {
        ::nftw(
            path.constData(),
            [](const char *p, const struct stat *, int, struct FTW *) { return ::remove(p); }, 16,
            FTW_DEPTH | FTW_PHYS);
    }
    QByteArray Host(const QByteArray &rel) const { return m_root + '/' + rel; }
    void Mkdir(const QByteArray &rel) { ASSERT_EQ(::mkdir(Host(rel).constData(), 0755), 0); }
    void Write(const QByteArray &rel, const QByteArray &data)
    {
        const int fd = ::open(Host(rel).constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        ASSERT_GE(fd, 0) << rel.constData();
        ASSERT_EQ(::write(fd, data.constData(), size_t(data.size())), data.size());
        ::close(fd);
    }
    /// The content of a file named by its bytes (names that do not decode included).
    QByteArray Read(const QByteArray &rel) const
    {
        const int fd = ::open(Host(rel).constData(), O_RDONLY);
        if (fd < 0)
            return "<missing>";
        QByteArray data;
        char buffer[65536];
        for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
            data.append(buffer, got);
        ::close(fd);
        return data;
    }
    bool Exists(const QByteArray &rel) const
    {
        struct stat st;
        return ::lstat(Host(rel).constData(), &st) == 0;
    }

    QTemporaryDir m_dir;
    QByteArray m_root;
    QByteArray m_oldDrives;
};

QByteArray Pattern(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char(i * 31 + i / 4093);
    return data;
}

// Names that a path parser would read as "the parent's victim.txt" are only names.
TEST_F(DataSafetyTest, KillPathDeletesTheTreeAndNothingBesideIt)
{
    Write("victim.txt", "outside");
    Mkdir("precious");
    Write("precious/keep.txt", "outside too");
    Mkdir("tree");
    Write("tree/..\\victim.txt", "inside");
    Mkdir("tree/..\\precious");
    Write("tree/..\\precious/x", "inside");
    Mkdir("tree/sub");
    Write("tree/sub/bad\xff name", "inside");
    Write("tree/sub/..\\..\\victim.txt", "inside");
    ASSERT_EQ(::symlink("../precious", Host("tree/link").constData()), 0);

    EXPECT_TRUE(jxtKillPath(QStringLiteral("T:\\tree")));
    EXPECT_FALSE(Exists("tree"));
    EXPECT_EQ(Read("victim.txt"), "outside");
    EXPECT_EQ(Read("precious/keep.txt"), "outside too");
    EXPECT_TRUE(jxt::test::Dialogs()->Texts().isEmpty())
        << jxt::test::Dialogs()->Texts().join('\n').toStdString();
}

TEST_F(DataSafetyTest, MoveDirMovesEntriesNotTheFilesTheirNamesSpell)
{
    Write("secret.txt", "outside");
    Mkdir("src");
    Write("src/..\\secret.txt", "inside");
    Write("src/bad\xfe", "odd bytes");
    Write("src/plain.txt", "plain");
    Mkdir("dst");
    Write("dst/existing", "x"); // a rename of the whole folder fails: entries move one by one

    EXPECT_TRUE(jxtMoveDir(QStringLiteral("T:\\src"), QStringLiteral("T:\\dst")));
    EXPECT_EQ(Read("secret.txt"), "outside");
    EXPECT_FALSE(Exists("dst/secret.txt"));
    EXPECT_EQ(Read("dst/..\\secret.txt"), "inside");
    EXPECT_EQ(Read("dst/bad\xfe"), "odd bytes");
    EXPECT_EQ(Read("dst/plain.txt"), "plain");
    EXPECT_FALSE(Exists("src"));
}

// Every path a walker returns names the very file it found; names that cannot be spelt are
// left out of the list but still counted.
TEST_F(DataSafetyTest, GetFilesReturnsOnlyPathsOfTheFilesFound)
{
    Write("victim.txt", "outside");
    Mkdir("tree");
    Write("tree/..\\victim.txt", "inside");
    Write("tree/bad\xff.txt", "inside");
    Write("tree/good.txt", "inside");
    Mkdir("tree/d\xe9j\xe0");
    Write("tree/d\xe9j\xe0/x.txt", "inside");

    TStringList list;
    jxtGetFiles(&list, QStringLiteral("T:\\tree"), QStringLiteral("*.TXT"), true);
    EXPECT_EQ(list.ToStringList(), QStringList{QStringLiteral("T:\\tree\\good.txt")});
    for (const QString &path : list.ToStringList())
        EXPECT_EQ(Read(QFile::encodeName(path.mid(3).replace('\\', '/'))), "inside");
    EXPECT_EQ(jxtFileCount(QStringLiteral("T:\\tree"), QStringLiteral("*.*"), true), 4);
    EXPECT_TRUE(jxtFilesExists(QStringLiteral("T:\\tree"), QStringLiteral("*.TXT"), true));
}

TEST_F(DataSafetyTest, MoveOntoALinkToItselfKeepsTheOnlyCopy)
{
    Write("a.txt", "the only copy");
    ASSERT_EQ(::symlink("a.txt", Host("b.txt").constData()), 0);
    ASSERT_EQ(::link(Host("a.txt").constData(), Host("c.txt").constData()), 0);
    EXPECT_FALSE(jxtMoveFile(QStringLiteral("T:\\a.txt"), QStringLiteral("T:\\b.txt")));
    EXPECT_FALSE(jxtMoveFile(QStringLiteral("T:\\a.txt"), QStringLiteral("T:\\c.txt")));
    EXPECT_FALSE(jxtMoveFile(QStringLiteral("T:\\b.txt"), QStringLiteral("T:\\a.txt")));
    EXPECT_EQ(Read("a.txt"), "the only copy");
    EXPECT_EQ(Read("b.txt"), "the only copy");
    EXPECT_EQ(Read("c.txt"), "the only copy");

    // A real other file is replaced, and the source goes.
    Write("d.txt", "old");
    EXPECT_TRUE(jxtMoveFile(QStringLiteral("T:\\a.txt"), QStringLiteral("T:\\d.txt")));
    EXPECT_EQ(Read("d.txt"), "the only copy");
    EXPECT_FALSE(Exists("a.txt"));
}

// A move to another file system, killed at any moment or stopped by a full disk, never
// leaves a fragment under the final name and never loses the source.
TEST_F(DataSafetyTest, MoveAcrossFileSystemsKilledOrOnAFullDisk)
{
    QTemporaryDir other(QStringLiteral("/dev/shm/jxt-safety-XXXXXX"));
    struct stat a, b;
    if (!other.isValid() || ::stat(m_root.constData(), &a) != 0 ||
        ::stat(QFile::encodeName(other.path()).constData(), &b) != 0 || a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm to move to";
    const QString far = QDir(other.path()).canonicalPath();
    const QByteArray big = Pattern(12 << 20);
    Write("big.bin", big);
    const QString dest = far + QStringLiteral("/big.bin");
    {
        QFile old(dest);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old destination");
    }

    for (int delayMs : {2, 10, 30}) {
        TChild child([&](int notify) {
            (void)::write(notify, "x", 1);
            return jxtMoveFile(QStringLiteral("T:\\big.bin"), dest) ? 0 : 1;
        });
        ASSERT_TRUE(child.WaitForSignal());
        ::usleep(useconds_t(delayMs * 1000));
        child.Kill();
        QFile d(dest);
        ASSERT_TRUE(d.open(QIODevice::ReadOnly));
        const QByteArray now = d.readAll();
        if (Exists("big.bin")) {
            EXPECT_TRUE(now == "old destination" || now == big) << "fragment of " << now.size();
            EXPECT_EQ(Read("big.bin"), big);
        } else {
            EXPECT_EQ(now, big) << "source gone before the destination was complete";
            return; // the move finished before the kill
        }
    }

    const int rc = jxt::test::RunWithFileSizeLimit(
        1 << 20, [&] { return jxtMoveFile(QStringLiteral("T:\\big.bin"), dest) ? 0 : 1; });
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(Read("big.bin"), big);
    QFile d(dest);
    ASSERT_TRUE(d.open(QIODevice::ReadOnly));
    EXPECT_EQ(d.readAll(), "old destination");
}

TEST_F(DataSafetyTest, DamagedCompressedFileLeavesTheDestination)
{
    Write("broken._", QByteArray("SZDD\x88\xF0\x27\x33"
                                 "A",
                                 9) +
                          QByteArray("\0\xFF\0\0\0", 5) + "\x01");
    Write("out.txt", "precious");
    EXPECT_THROW(jxtLZCopyFile(QStringLiteral("T:\\broken._"), QStringLiteral("T:\\out.txt")),
                 Exception);
    EXPECT_EQ(Read("out.txt"), "precious");
    EXPECT_EQ(QDir(QFile::decodeName(m_root))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"broken._", "out.txt"}));
    // Onto itself, through a link, nothing is written.
    ASSERT_EQ(::symlink("out.txt", Host("alias").constData()), 0);
    EXPECT_THROW(jxtLZCopyFile(QStringLiteral("T:\\out.txt"), QStringLiteral("T:\\alias")),
                 EInOutError);
    EXPECT_EQ(Read("out.txt"), "precious");
}

// A FIFO is treated as an unreadable file at once, never waited on.
TEST_F(DataSafetyTest, NamedPipesAreNeverOpened)
{
    ASSERT_EQ(::mkfifo(Host("pipe").constData(), 0644), 0);
    TChild child([&](int) {
        ::alarm(10);
        if (jxtFindFileString(QStringLiteral("T:\\pipe"), QStringLiteral("x")) != 0)
            return 2;
        if (!jxtGetFileString(QStringLiteral("T:\\pipe")).isEmpty())
            return 3;
        try {
            jxtLZCopyFile(QStringLiteral("T:\\pipe"), QStringLiteral("T:\\out"));
            return 4;
        } catch (const EInOutError &) {
        }
        return QFile::exists(QFile::decodeName(Host("out"))) ? 5 : 0;
    });
    EXPECT_EQ(child.Wait(), 0);
}

/// The block search as stated: 2048-byte blocks, zero bytes read as 1, the read position
/// moved back by the text's length after each block.
int BlockSearch(QByteArray data, const QByteArray &needle)
{
    data.replace('\0', '\1');
    for (qint64 pos = 0;; pos += 2048 - needle.size()) {
        const QByteArray block = data.mid(pos, 2048);
        const qsizetype at = block.indexOf(needle);
        if (at >= 0)
            return int(at + 1);
        if (pos + 2048 >= data.size())
            return 0;
    }
}

TEST_F(DataSafetyTest, FindFileStringAgreesWithTheBlockSearchInLinearTime)
{
    QRandomGenerator random(7);
    for (int round = 0; round < 150; ++round) {
        const int size = int(random.bounded(1, 12000));
        QByteArray data(size, Qt::Uninitialized);
        for (char &c : data)
            c = "ab\0c"[random.bounded(4)];
        const int n = int(random.bounded(1, round % 3 == 0 ? 2047 : 12));
        QByteArray needle = data.mid(int(random.bounded(size)), n);
        needle.replace('\0', '\1');
        if (needle.isEmpty() || needle.contains('c'))
            needle += 'a';
        Write("f.bin", data);
        ASSERT_EQ(jxtFindFileString(QStringLiteral("T:\\f.bin"), QString::fromLatin1(needle)),
                  BlockSearch(data, needle))
            << "round " << round << " size " << size << " text length " << needle.size();
    }
    // The case that took 24 seconds with a block-by-block search: 4 MiB and a text of 2047
    // characters found only at the very end.
    QByteArray huge(4 << 20, 'a');
    huge.replace(huge.size() - 1, 1, "b");
    Write("huge.bin", huge);
    const QByteArray needle = QByteArray(2046, 'a') + 'b';
    // Blocks advance by one byte; the last one starts 2048 bytes before the end, and the text
    // begins at its second byte.
    EXPECT_EQ(jxtFindFileString(QStringLiteral("T:\\huge.bin"), QString::fromLatin1(needle)), 2);
    QByteArray small(20000, 'a');
    small.replace(small.size() - 1, 1, "b");
    Write("small.bin", small);
    EXPECT_EQ(BlockSearch(small, needle), 2);
}

TEST(BoundedWorkTest, HugeWidthsAndPathsAreRefusedOrLinear)
{
    EXPECT_THROW(jxtJustString(QStringLiteral("x"), INT_MAX), ERangeError);
    EXPECT_EQ(jxtJustString(QStringLiteral(" x "), 3), QStringLiteral("x  "));

    // 8,000 path parts: each width picks the form with as many trailing directories as fit,
    // as dropping one directory after another would.
    TFont font;
    QString path = QStringLiteral("C:");
    for (int i = 0; i < 8000; ++i)
        path += QStringLiteral("\\d%1").arg(i % 10);
    path += QStringLiteral("\\name.txt");
    TBitmap bitmap(10, 10);
    bitmap.Canvas()->SetFont(&font);
    for (const char *form : {"C:\\..\\name.txt", "C:\\..\\d8\\d9\\name.txt",
                             "C:\\..\\d4\\d5\\d6\\d7\\d8\\d9\\name.txt"}) {
        const QString expected = QString::fromLatin1(form);
        EXPECT_EQ(jxtGetMaxString(&font, bitmap.Canvas()->TextWidth(expected) + 10, path),
                  expected);
    }
}

} // namespace
