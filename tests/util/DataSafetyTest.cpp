// SPDX-License-Identifier: MIT
// Data safety of the file helpers on real files: names on disk that look like paths
// ("..\victim.txt", bytes that are not UTF-8) never lead outside a tree; moves and copies never
// lose the only copy of a file or leave a fragment under the final name, also when killed or
// when the disk is full; FIFOs are never opened; huge arguments cost linear work.
#include "util/Jxutil.h"
#include "util/JxutilFiles.h"

#include "ChildProcess.h"
#include "SafetySupport.h"
#include "TestSupport.h"
#include "host/controls/Dialogs.h"
#include "host/core/Strings.h"
#include "host/core/SysUtils.h"
#include "host/files/IniFiles.h"
#include "host/graphics/Graphics.h"
#include "platform/Desktop.h"
#include "platform/IconBuilders.h"
#include "platform/PlatformTestSupport.h"
#include "util/JxutilGraphics.h"
#include "util/JxutilIni.h"
#include "util/JxutilSystem.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QUrl>

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <map>
#include <thread>
#include <vector>

using namespace jxt;
using jxt::test::TChild;

namespace {

class DataSafetyTest : public jxt::test::TSafetyTest
{
};

/// Tests that need a second file system (/dev/shm) or the real clock.
class HostMachineDataSafetyTest : public jxt::test::TSafetyTest
{
protected:
    /// A folder on another file system than the test folder, or an empty string.
    QString OtherFileSystem(QTemporaryDir &other) const
    {
        struct stat a, b;
        if (!other.isValid() || ::stat(m_root.constData(), &a) != 0 ||
            ::stat(QFile::encodeName(other.path()).constData(), &b) != 0 || a.st_dev == b.st_dev)
            return QString();
        return QDir(other.path()).canonicalPath();
    }
};

using jxt::test::Pattern;

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
// leaves a fragment under the final name and never loses the source. Every round starts from
// the same source and destination, so a move that finished before its kill does not end
// the test before the full disk is tried.
TEST_F(HostMachineDataSafetyTest, MoveAcrossFileSystemsKilledOrOnAFullDisk)
{
    QTemporaryDir other(QStringLiteral("/dev/shm/jxt-safety-XXXXXX"));
    const QString far = OtherFileSystem(other);
    if (far.isEmpty())
        GTEST_SKIP() << "no second file system at /dev/shm to move to";
    const QByteArray big = Pattern(12 << 20);
    const QString dest = far + QStringLiteral("/big.bin");
    const auto reset = [&] {
        Write("big.bin", big);
        for (const QString &name :
             QDir(far).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            QFile::remove(far + QLatin1Char('/') + name);
        QFile old(dest);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old destination");
    };
    const auto destination = [&] {
        QFile d(dest);
        return d.open(QIODevice::ReadOnly) ? d.readAll() : QByteArray("<missing>");
    };

    int interrupted = 0;
    for (int delayMs : {0, 1, 2, 5, 10, 30}) {
        reset();
        TChild child([&](int notify) {
            (void)::write(notify, "x", 1);
            return jxtMoveFile(QStringLiteral("T:\\big.bin"), dest) ? 0 : 1;
        });
        ASSERT_TRUE(child.WaitForSignal());
        ::usleep(useconds_t(delayMs * 1000));
        child.Kill();
        const QByteArray now = destination();
        if (Exists("big.bin")) {
            ++interrupted;
            EXPECT_TRUE(now == "old destination" || now == big) << "fragment of " << now.size();
            EXPECT_EQ(Read("big.bin"), big);
        } else {
            EXPECT_EQ(now, big) << "source gone before the destination was complete";
        }
    }
    EXPECT_GT(interrupted, 0) << "every move finished before it could be killed";

    reset();
    const int rc = jxt::test::RunWithFileSizeLimit(
        1 << 20, [&] { return jxtMoveFile(QStringLiteral("T:\\big.bin"), dest) ? 0 : 1; });
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(Read("big.bin"), big);
    EXPECT_EQ(destination(), "old destination");
    EXPECT_EQ(QDir(far).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList(QStringLiteral("big.bin")));
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

// --- Moves that check what they delete ---------------------------------------------------------

// An editor saves a new version over the source (by rename) while the move copies the old
// one to another file system: the move must not delete the new version.
TEST_F(HostMachineDataSafetyTest, MoveKeepsASourceSavedOverWhileItIsCopied)
{
    QTemporaryDir other(QStringLiteral("/dev/shm/jxt-safety-XXXXXX"));
    const QString far = OtherFileSystem(other);
    if (far.isEmpty())
        GTEST_SKIP() << "no second file system at /dev/shm to move to";
    const QByteArray old = Pattern(64 << 20, 1);
    Write("doc.txt", old);
    Write("new.txt", "the editor's new version");

    // The editor acts as soon as the move creates its file on the other side.
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(far).constData(), IN_CREATE), 0);
    bool saved = false;
    std::thread editor([&] {
        struct pollfd p = {watch, POLLIN, 0};
        if (::poll(&p, 1, 20000) == 1)
            saved = ::rename(Host("new.txt").constData(), Host("doc.txt").constData()) == 0;
    });
    const bool moved = jxtMoveFile(QStringLiteral("T:\\doc.txt"), far + QStringLiteral("/doc.txt"));
    editor.join();
    ::close(watch);
    ASSERT_TRUE(saved);
    EXPECT_FALSE(moved);
    EXPECT_EQ(Read("doc.txt"), "the editor's new version");
    // The copy of the old version is kept (or was never put in place): nothing is lost.
    QFile copy(far + QStringLiteral("/doc.txt"));
    if (copy.open(QIODevice::ReadOnly)) {
        EXPECT_TRUE(copy.readAll() == old);
    }
}

// A folder is never moved onto itself, whatever spelling or link names it.
TEST_F(DataSafetyTest, MoveDirRefusesTheFolderItselfUnderAnyName)
{
    Mkdir("d");
    Mkdir("d/Empty");
    Mkdir("d/Kept");
    Write("d/Kept/k.txt", "kept");
    Mkdir("d/Bare");
    Symlink("Kept", "d/ToKept");
    Symlink("Bare", "d/ToBare");

    EXPECT_FALSE(jxtMoveDir(QStringLiteral("T:\\d\\Empty"), QStringLiteral("T:\\d\\.\\Empty")));
    EXPECT_FALSE(jxtMoveDir(QStringLiteral("T:\\d\\Empty"), QStringLiteral("T:\\D\\..\\d\\Empty")));
    EXPECT_FALSE(jxtMoveDir(QStringLiteral("T:\\d\\Kept"), QStringLiteral("T:\\d\\ToKept")));
    EXPECT_FALSE(jxtMoveDir(QStringLiteral("T:\\d\\Bare"), QStringLiteral("T:\\d\\ToBare")));
    EXPECT_FALSE(jxtMoveDir(QStringLiteral("T:\\d\\Kept"), QStringLiteral("T:\\d\\Kept\\inner")));
    EXPECT_EQ(Entries("d"), (QStringList{"Bare", "Empty", "Kept", "ToBare", "ToKept"}));
    EXPECT_EQ(Entries("d/Kept"), QStringList("k.txt"));
    EXPECT_EQ(Read("d/Kept/k.txt"), "kept");

    // A real other folder is still a move.
    EXPECT_TRUE(jxtMoveDir(QStringLiteral("T:\\d\\Kept"), QStringLiteral("T:\\d\\Moved")));
    EXPECT_EQ(Read("d/Moved/k.txt"), "kept");
    EXPECT_FALSE(Exists("d/Kept"));
}

// --- Writes that are atomic everywhere
// ------------------------------------------------------------

// A full disk (a file size limit) makes every picture writer raise its error and leaves the
// old file byte for byte; a Windows path names the file on its drive.
TEST_F(DataSafetyTest, PicturesAreWrittenWholeOrNotAtAll)
{
    TBitmap bitmap(300, 200);
    bitmap.Canvas()->FillSolid(Rect(0, 0, 300, 200), clRed);
    TIcon icon;
    QImage square(64, 64, QImage::Format_ARGB32);
    square.fill(0xFF0000FFu);
    icon.SetImage(square);
    TMetafile metafile;
    {
        QPainter painter(&metafile.Picture());
        painter.fillRect(QRect(0, 0, 200, 200), Qt::blue);
        painter.drawImage(QPoint(0, 0), bitmap.Image());
    }
    const QByteArray old = Pattern(700 * 1024, 5);
    const std::vector<std::pair<QByteArray, const TGraphic *>> pictures = {
        {"out.bmp", &bitmap}, {"out.ico", &icon}, {"out.pic", &metafile}};
    for (const auto &[name, graphic] : pictures) {
        Write(name, old);
        const int rc = jxt::test::RunWithFileSizeLimit(1024, [&] {
            try {
                graphic->SaveToFile(HostPath(name));
            } catch (const EInOutError &) {
                return 1;
            }
            return 0;
        });
        EXPECT_EQ(rc, 1) << name.constData() << ": no error on a full disk";
        EXPECT_EQ(Read(name), old) << name.constData();
    }
    EXPECT_EQ(Entries(), (QStringList{"out.bmp", "out.ico", "out.pic"}));

    Mkdir("out");
    QTemporaryDir work;
    {
        jxt::test::TScopedCurrentDir here(work.path());
        bitmap.SaveToFile(QStringLiteral("T:\\out\\x.bmp"));
        icon.SaveToFile(QStringLiteral("T:\\out\\x.ico"));
        metafile.SaveToFile(QStringLiteral("T:\\out\\x.pic"));
    }
    EXPECT_EQ(Entries("out"), (QStringList{"x.bmp", "x.ico", "x.pic"}));
    EXPECT_TRUE(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    TBitmap back;
    back.LoadFromFile(QStringLiteral("T:\\out\\x.bmp"));
    EXPECT_EQ(back.Image().size(), QSize(300, 200));
}

// A size the result cannot hold is refused before anything is written.
TEST_F(DataSafetyTest, LZCopyRefusesWhatItCannotCountBeforeWriting)
{
    const QByteArray huge = Host("huge.bin");
    const int fd = ::open(huge.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, (qint64(1) << 31) + 10), 0); // sparse: no disk space needed
    ::close(fd);
    Write("out.bin", "precious");
    EXPECT_THROW(jxtLZCopyFile(QStringLiteral("T:\\huge.bin"), QStringLiteral("T:\\out.bin")),
                 Exception);
    EXPECT_EQ(Read("out.bin"), "precious");
    EXPECT_EQ(Entries(), (QStringList{"huge.bin", "out.bin"}));
}

// --- Pending renames
// ------------------------------------------------------------------------------

class DataSafetyInstallTest : public DataSafetyTest
{
protected:
    void SetUp() override
    {
        DataSafetyTest::SetUp();
        Mkdir("windows");
        Mkdir("src");
        Mkdir("app");
        m_winDir = std::make_unique<jxt::test::TScopedEnv>("JXT_WINDIR", Host("windows"));
    }
    void TearDown() override
    {
        m_winDir.reset();
        DataSafetyTest::TearDown();
    }
    std::unique_ptr<jxt::test::TScopedEnv> m_winDir;
};

// "A.dll" and "a.dll" are two files here: each gets its own new version.
TEST_F(DataSafetyInstallTest, NamesDifferingInCaseAreTwoFiles)
{
    Write("src/A.dll", "new upper");
    Write("src/a.dll", "new lower");
    Write("app/A.dll", "old upper");
    Write("app/a.dll", "old lower");
    ASSERT_TRUE(jxtInstallFileOnWinStart(QStringLiteral("T:\\src"), QStringLiteral("T:\\app"),
                                         QStringLiteral("A.dll")));
    ASSERT_TRUE(jxtInstallFileOnWinStart(QStringLiteral("T:\\src"), QStringLiteral("T:\\app"),
                                         QStringLiteral("a.dll")));
    EXPECT_EQ(Read("app/A.dll"), "old upper");
    EXPECT_EQ(jxtInstallPendingFiles(), 2);
    EXPECT_EQ(Read("app/A.dll"), "new upper");
    EXPECT_EQ(Read("app/a.dll"), "new lower");
    EXPECT_EQ(Entries("app"), (QStringList{"A.dll", "a.dll"}));
    EXPECT_EQ(jxtInstallPendingFiles(), 0);
}

// Where only "A.dll" exists, "a.dll" names it too: one entry, the later version wins.
TEST_F(DataSafetyInstallTest, OneFileUnderTwoSpellingsHasOneEntry)
{
    Write("src/A.dll", "first");
    Write("app/A.dll", "old");
    ASSERT_TRUE(jxtInstallFileOnWinStart(QStringLiteral("T:\\src"), QStringLiteral("T:\\app"),
                                         QStringLiteral("A.dll")));
    Write("src/A.dll", "second");
    ASSERT_TRUE(jxtInstallFileOnWinStart(QStringLiteral("T:\\src"), QStringLiteral("T:\\APP"),
                                         QStringLiteral("a.DLL")));
    TStringList entries;
    jxtINIReadSectionValues(QStringLiteral("WININIT.INI"), QStringLiteral("rename"), &entries);
    EXPECT_EQ(entries.Count(), 1) << entries.ToStringList().join('\n').toStdString();
    EXPECT_EQ(jxtInstallPendingFiles(), 1);
    EXPECT_EQ(Read("app/A.dll"), "second");
    EXPECT_EQ(Entries("app"), QStringList("A.dll"));
}

// A name that cannot be recorded fails before anything is copied, without an exception.
TEST_F(DataSafetyInstallTest, NamesThatCannotBeRecordedAreRefusedFirst)
{
    Write("src/x=y.dll", "eq");
    Write("src/two\nlines.dll", "break");
    for (const QString &name : {QStringLiteral("x=y.dll"), QStringLiteral("two\nlines.dll")}) {
        bool result = true;
        EXPECT_NO_THROW(result = jxtInstallFileOnWinStart(QStringLiteral("T:\\src"),
                                                          QStringLiteral("T:\\app"), name));
        EXPECT_FALSE(result);
    }
    EXPECT_TRUE(Entries("app").isEmpty()) << Entries("app").join(' ').toStdString();
}

// --- Readers that end ----------------------------------------------------------------------------

// A FIFO given to a picture reader is refused at once, never waited on.
TEST_F(DataSafetyTest, PictureReadersRefuseNamedPipes)
{
    for (const char *name : {"pipe.bmp", "pipe.ico", "pipe.pic", "pipe.png"})
        ASSERT_EQ(::mkfifo(Host(name).constData(), 0644), 0);
    EXPECT_EQ(jxt::test::RunChecksInChild([&] {
                  ::alarm(10);
                  TBitmap bitmap;
                  EXPECT_THROW(bitmap.LoadFromFile(HostPath("pipe.bmp")), EInOutError);
                  TIcon icon;
                  EXPECT_THROW(icon.LoadFromFile(HostPath("pipe.ico")), EInOutError);
                  TMetafile metafile;
                  EXPECT_THROW(metafile.LoadFromFile(HostPath("pipe.pic")), EInOutError);
                  for (const char *name : {"pipe.bmp", "pipe.ico", "pipe.pic", "pipe.png"}) {
                      TPicture picture;
                      EXPECT_THROW(picture.LoadFromFile(HostPath(name)), EInOutError) << name;
                  }
              }),
              0);
}

// A picture linked to an endless device, and an INI file of half a gigabyte (sparse: it costs
// no disk space), cost neither memory nor time: refused before they are read.
TEST_F(DataSafetyTest, EndlessAndHugeFilesAreRefusedBeforeReading)
{
    Symlink("/dev/zero", "zero.pic");
    Symlink("/dev/zero", "zero.bmp");
    Write("huge.ini", "[S]\r\nk=v\r\n");
    ASSERT_EQ(::truncate(Host("huge.ini").constData(), qint64(512) << 20), 0);
    EXPECT_EQ(jxt::test::RunChecksInChild([&] {
                  ::alarm(20);
                  struct rusage before;
                  ::getrusage(RUSAGE_SELF, &before);
                  TPicture picture;
                  EXPECT_THROW(picture.LoadFromFile(HostPath("zero.pic")), EInOutError);
                  TBitmap bitmap;
                  EXPECT_THROW(bitmap.LoadFromFile(HostPath("zero.bmp")), EInOutError);
                  TIniFile ini(HostPath("huge.ini"));
                  EXPECT_EQ(ini.ReadString("S", "k", "def"), "def");
                  EXPECT_THROW(ini.WriteString("S", "k", "x"), EInOutError);
                  struct rusage after;
                  ::getrusage(RUSAGE_SELF, &after);
                  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "kB";
              }),
              0);
    struct stat st;
    ASSERT_EQ(::stat(Host("huge.ini").constData(), &st), 0);
    EXPECT_EQ(st.st_size, qint64(512) << 20);
}

/// An icon file of `entries` directory entries that all point at one 256 x 256 PNG image.
QByteArray IcoOfOnePngRepeated(int entries)
{
    QImage image(256, 256, QImage::Format_ARGB32);
    image.fill(0xFF336699u);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QByteArray ico(6 + 16 * entries, '\0');
    jxt::test::PutU16(ico, 2, 1);
    jxt::test::PutU16(ico, 4, quint16(entries));
    for (int i = 0; i < entries; ++i) {
        const int e = 6 + 16 * i;
        jxt::test::PutU16(ico, e + 4, 1);
        jxt::test::PutU16(ico, e + 6, 32);
        jxt::test::PutU32(ico, e + 8, quint32(png.size()));
        jxt::test::PutU32(ico, e + 12, quint32(ico.size()));
    }
    return ico + png;
}

// Counting the icons of a file reads its directory; it decodes no image.
TEST_F(DataSafetyTest, IconCountingDecodesNoImage)
{
    const QByteArray ico = IcoOfOnePngRepeated(512);
    ASSERT_LT(ico.size(), 16 * 1024);
    Write("many.ico", ico);
    EXPECT_EQ(jxt::test::RunChecksInChild([&] {
                  struct rusage before;
                  ::getrusage(RUSAGE_SELF, &before);
                  EXPECT_EQ(jxtGetIconCount(QStringLiteral("T:\\many.ico")), 1);
                  // The picture box's icon check reads one image for its thumbnail.
                  std::unique_ptr<TBitmap> bitmap(
                      jxtGetBitmapFromFile(QStringLiteral("T:\\many.ico"), 0));
                  ASSERT_TRUE(bitmap);
                  EXPECT_EQ(bitmap->Width(), 32);
                  struct rusage after;
                  ::getrusage(RUSAGE_SELF, &after);
                  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 32 * 1024) << "kB";
              }),
              0);
}

// --- Walks that stay inside, and deep trees ------------------------------------------------------

// 2,000 levels with a limit of 1,024 open files: every file is counted and listed, and the
// whole tree is deleted without a message.
TEST_F(DataSafetyTest, DeepTreesNeedNoDescriptorPerLevel)
{
    Mkdir("deep");
    MakeDeepTree("deep", "ab", 2000);
    EXPECT_EQ(jxt::test::RunChecksWithOpenFileLimit(
                  1024,
                  [&] {
                      EXPECT_EQ(
                          jxtFileCount(QStringLiteral("T:\\deep"), QStringLiteral("*.*"), true),
                          2000);
                      TStringList list;
                      jxtGetFiles(&list, QStringLiteral("T:\\deep"), QStringLiteral("F.TXT"), true);
                      ASSERT_EQ(list.Count(), 2000);
                      EXPECT_EQ(list.Strings(0).size(), int(QStringLiteral("T:\\deep").size()) +
                                                            2000 * 3 + int(strlen("\\f.txt")));
                      EXPECT_TRUE(jxtKillPath(QStringLiteral("T:\\deep")));
                      EXPECT_TRUE(jxt::test::Dialogs()->Texts().isEmpty())
                          << jxt::test::Dialogs()->Texts().size() << " messages";
                  }),
              0);
    EXPECT_FALSE(Exists("deep"));
}

// --- Documents and addresses
// ----------------------------------------------------------------------

/// Records what would be opened; knows the handlers of a table.
class TRecordingDesktop : public platform::TDesktopServices
{
public:
    bool Open(const QUrl &url) override
    {
        opened.push_back(url);
        return true;
    }
    bool Start(const QString &, const QStringList &, const QString &) override { return true; }
    QString DefaultApplication(const QString &mimeType) override
    {
        const auto it = handlers.find(mimeType);
        return it == handlers.end() ? QString() : it->second;
    }
    std::vector<QUrl> opened;
    std::map<QString, QString> handlers;
};

// Only addresses the desktop has a handler for are opened; an existing file whose name looks
// like an address is opened as the file it is.
TEST_F(DataSafetyTest, ExecuteFileOpensOnlyWhatHasAHandler)
{
    auto owned = std::make_unique<TRecordingDesktop>();
    TRecordingDesktop *desktop = owned.get();
    desktop->handlers["x-scheme-handler/https"] = "browser.desktop";
    desktop->handlers["text/plain"] = "editor.desktop";
    auto previous = platform::SetDesktopServices(std::move(owned));

    for (const char *address : {"javascript:alert(1)", "vbscript:msgbox", "ab:cd"})
        EXPECT_EQ(jxtExecuteFile(QString::fromLatin1(address), QString(), QString(), 1),
                  SE_ERR_NOASSOC)
            << address;
    EXPECT_TRUE(desktop->opened.empty());
    EXPECT_EQ(jxtExecuteFile(QStringLiteral("https://example.org/"), QString(), QString(), 1),
              SE_OK);

    Write("notes:2024.txt", "plain text\n");
    {
        jxt::test::TScopedCurrentDir here(QFile::decodeName(m_root));
        EXPECT_EQ(jxtExecuteFile(QStringLiteral("notes:2024.txt"), QString(), QString(), 1), SE_OK);
    }
    ASSERT_EQ(desktop->opened.size(), 2u);
    EXPECT_EQ(desktop->opened[0].toString(), QStringLiteral("https://example.org/"));
    EXPECT_EQ(desktop->opened[1], QUrl::fromLocalFile(HostPath("notes:2024.txt")));
    platform::SetDesktopServices(std::move(previous));
}

} // namespace
