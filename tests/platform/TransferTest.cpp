// SPDX-License-Identifier: MIT
// Copies and moves on real files, as a data-safety suite: one file under several names, a
// full disk (a per-process file size limit), a cancel, FIFOs, and processes killed half-way
// through a copy and through a move to another file system.
#include "platform/Transfer.h"

#include "ChildProcess.h"
#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace jxt::platform;
using jxt::test::ReadFile;
using jxt::test::TChild;
using jxt::test::WriteFile;

namespace {

QByteArray Pattern(int size, char seed)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char(seed + i * 7 + i / 251);
    return data;
}

class TransferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_dir = QDir(m_tmp.path()).canonicalPath();
    }
    QString P(const QString &name) const { return m_dir + "/" + name; }
    /// Every entry of the test folder (hidden ones included), to see leftovers.
    QStringList Entries(const QString &dir = QString()) const
    {
        return QDir(dir.isEmpty() ? m_dir : dir)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }
    static TTransferOptions Options(TTransferMode mode, bool replace)
    {
        TTransferOptions o;
        o.Mode = mode;
        o.Replace = replace;
        return o;
    }

    QTemporaryDir m_tmp;
    QString m_dir;
};

TEST_F(TransferTest, CopyReplacesCompletelyAndKeepsModeAndTime)
{
    const QByteArray big = Pattern(600 * 1024, 3);
    ASSERT_TRUE(WriteFile(P("src"), big));
    ASSERT_TRUE(WriteFile(P("dst"), "old destination"));
    ::chmod(QFile::encodeName(P("src")).constData(), 0640);
    const struct timespec times[2] = {{1000000000, 0}, {1200000000, 500000000}};
    ::utimensat(AT_FDCWD, QFile::encodeName(P("src")).constData(), times, 0);

    qint64 lastDone = -1, lastTotal = -1;
    int calls = 0;
    TTransferOptions o = Options(TTransferMode::Copy, false);
    EXPECT_EQ(TransferFile(P("src"), P("dst"), o), TTransferStatus::DestExists);
    EXPECT_EQ(ReadFile(P("dst")), "old destination");

    o.Replace = true;
    o.Progress = [&](qint64 done, qint64 total) {
        EXPECT_GT(done, lastDone);
        lastDone = done;
        lastTotal = total;
        ++calls;
        return true;
    };
    ASSERT_EQ(TransferFile(P("src"), P("dst"), o), TTransferStatus::Done);
    EXPECT_EQ(ReadFile(P("dst")), big);
    EXPECT_GE(calls, 2);
    EXPECT_EQ(lastDone, big.size());
    EXPECT_EQ(lastTotal, big.size());
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(P("dst")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_mtim.tv_sec, 1200000000);
    EXPECT_EQ(Entries(), (QStringList{"dst", "src"}));
}

// One file reached through a hard link, a symbolic link (either way round) or another
// spelling of its path: nothing may be changed, and above all nothing deleted.
TEST_F(TransferTest, OneFileUnderTwoNamesIsNeverChanged)
{
    ASSERT_TRUE(WriteFile(P("a.txt"), "the only copy"));
    ASSERT_EQ(::link(QFile::encodeName(P("a.txt")).constData(),
                     QFile::encodeName(P("hard.txt")).constData()),
              0);
    ASSERT_EQ(::symlink("a.txt", QFile::encodeName(P("soft.txt")).constData()), 0);
    ASSERT_TRUE(QDir().mkdir(P("sub")));
    const QString spelled = P("sub/../a.txt");

    for (TTransferMode mode : {TTransferMode::Copy, TTransferMode::Move}) {
        for (bool replace : {false, true}) {
            const TTransferOptions o = Options(mode, replace);
            EXPECT_EQ(TransferFile(P("a.txt"), P("hard.txt"), o), TTransferStatus::SameFile);
            EXPECT_EQ(TransferFile(P("a.txt"), P("soft.txt"), o), TTransferStatus::SameFile);
            EXPECT_EQ(TransferFile(P("soft.txt"), P("a.txt"), o), TTransferStatus::SameFile);
            EXPECT_EQ(TransferFile(P("a.txt"), spelled, o), TTransferStatus::SameFile);
            EXPECT_EQ(TransferFile(P("a.txt"), P("a.txt"), o), TTransferStatus::SameFile);
        }
    }
    EXPECT_EQ(ReadFile(P("a.txt")), "the only copy");
    EXPECT_EQ(ReadFile(P("hard.txt")), "the only copy");
    EXPECT_EQ(ReadFile(P("soft.txt")), "the only copy");
    EXPECT_EQ(Entries(), (QStringList{"a.txt", "hard.txt", "soft.txt", "sub"}));
}

TEST_F(TransferTest, ReadOnlyDirectoryAndSpecialDestinationsAndSources)
{
    ASSERT_TRUE(WriteFile(P("src"), "new"));
    ASSERT_TRUE(WriteFile(P("ro"), "keep"));
    ::chmod(QFile::encodeName(P("ro")).constData(), 0444);
    ASSERT_TRUE(QDir().mkdir(P("dir")));
    const TTransferOptions replace = Options(TTransferMode::Copy, true);
    EXPECT_EQ(TransferFile(P("src"), P("ro"), replace), TTransferStatus::DestNotReplaceable);
    EXPECT_EQ(ReadFile(P("ro")), "keep");
    EXPECT_EQ(TransferFile(P("src"), P("dir"), replace), TTransferStatus::DestNotReplaceable);
    EXPECT_EQ(TransferFile(P("dir"), P("x"), replace), TTransferStatus::SourceNotRegular);
    EXPECT_EQ(TransferFile(P("missing"), P("x"), replace), TTransferStatus::SourceMissing);

    // A FIFO is never opened: a copy from it would wait for a writer for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(P("fifo")).constData(), 0644), 0);
    TChild child([&](int) {
        ::alarm(10);
        return int(TransferFile(P("fifo"), P("x"), replace));
    });
    EXPECT_EQ(child.Wait(), int(TTransferStatus::SourceNotRegular));
    EXPECT_FALSE(QFile::exists(P("x")));
}

// A cancel and a full disk (writes beyond a size limit fail, as on a full disk) leave the
// old destination byte for byte and no temporary file.
TEST_F(TransferTest, CancelAndFullDiskLeaveTheOldDestination)
{
    const QByteArray big = Pattern(1 << 20, 5);
    ASSERT_TRUE(WriteFile(P("src"), big));
    ASSERT_TRUE(WriteFile(P("dst"), "precious old content"));

    TTransferOptions o = Options(TTransferMode::Copy, true);
    o.Progress = [](qint64 done, qint64) { return done < 300 * 1024; };
    EXPECT_EQ(TransferFile(P("src"), P("dst"), o), TTransferStatus::Cancelled);
    EXPECT_EQ(ReadFile(P("dst")), "precious old content");
    EXPECT_EQ(Entries(), (QStringList{"dst", "src"}));

    for (bool sync : {false, true}) {
        const int rc = jxt::test::RunWithFileSizeLimit(64 * 1024, [&] {
            TTransferOptions full = Options(TTransferMode::Copy, true);
            full.Sync = sync;
            return int(TransferFile(P("src"), P("dst"), full));
        });
        EXPECT_EQ(rc, int(TTransferStatus::WriteFailed));
        EXPECT_EQ(ReadFile(P("dst")), "precious old content");
        EXPECT_EQ(Entries(), (QStringList{"dst", "src"}));
    }
}

// A copy killed half-way leaves the old destination (or none) under the final name, never a
// fragment.
TEST_F(TransferTest, CopyKilledHalfWayLeavesNoFragment)
{
    const QByteArray big = Pattern(4 << 20, 9);
    ASSERT_TRUE(WriteFile(P("src"), big));
    ASSERT_TRUE(WriteFile(P("old"), "old content"));
    for (const char *target : {"old", "new"}) {
        TChild child([&](int notify) {
            TTransferOptions o = Options(TTransferMode::Copy, true);
            o.Progress = [&](qint64 done, qint64) {
                if (done >= 1 << 20) {
                    (void)::write(notify, "x", 1);
                    ::pause();
                }
                return true;
            };
            return int(TransferFile(P("src"), P(target), o));
        });
        ASSERT_TRUE(child.WaitForSignal());
        EXPECT_EQ(child.Kill(), 128 + SIGKILL);
        if (QByteArray(target) == "old")
            EXPECT_EQ(ReadFile(P("old")), "old content");
        else
            EXPECT_FALSE(QFile::exists(P("new")));
    }
    // Only hidden temporary files may be left over.
    for (const QString &name : Entries())
        EXPECT_TRUE(name == "src" || name == "old" || name.startsWith(".~")) << name.toStdString();
}

/// Tests that need a second file system (/dev/shm).
class HostMachineTransferTest : public TransferTest
{
};

// A move to another file system killed half-way keeps the source whole and puts nothing
// under the final name; a finished one leaves exactly the destination.
TEST_F(HostMachineTransferTest, MoveAcrossFileSystems)
{
    QTemporaryDir other(QStringLiteral("/dev/shm/jxt-transfer-XXXXXX"));
    if (!other.isValid())
        GTEST_SKIP() << "no second file system (/dev/shm) to move to";
    struct stat a, b;
    ::stat(QFile::encodeName(m_dir).constData(), &a);
    ::stat(QFile::encodeName(other.path()).constData(), &b);
    if (a.st_dev == b.st_dev)
        GTEST_SKIP() << "/dev/shm is on the same file system as the temporary folder";
    const QString far = other.path();

    const QByteArray big = Pattern(4 << 20, 1);
    ASSERT_TRUE(WriteFile(P("src"), big));
    {
        TChild child([&](int notify) {
            TTransferOptions o = Options(TTransferMode::Move, false);
            o.Progress = [&](qint64 done, qint64) {
                if (done >= 1 << 20) {
                    (void)::write(notify, "x", 1);
                    ::pause();
                }
                return true;
            };
            return int(TransferFile(P("src"), far + "/dst", o));
        });
        ASSERT_TRUE(child.WaitForSignal());
        child.Kill();
    }
    EXPECT_EQ(ReadFile(P("src")), big);
    // At most the hidden temporary file is left; it is cleared for the checks below.
    for (const QString &name : Entries(far)) {
        EXPECT_TRUE(name.startsWith(".~dst.")) << name.toStdString();
        QFile::remove(far + "/" + name);
    }

    // The same when the other file system is full.
    const int rc = jxt::test::RunWithFileSizeLimit(256 * 1024, [&] {
        return int(TransferFile(P("src"), far + "/dst", Options(TTransferMode::Move, false)));
    });
    EXPECT_EQ(rc, int(TTransferStatus::WriteFailed));
    EXPECT_EQ(ReadFile(P("src")), big);
    EXPECT_TRUE(Entries(far).isEmpty());

    ASSERT_EQ(::symlink("src", QFile::encodeName(P("link")).constData()), 0);
    const TTransferOptions move = Options(TTransferMode::Move, false);
    ASSERT_EQ(TransferFile(P("src"), far + "/dst", move), TTransferStatus::Done);
    EXPECT_EQ(ReadFile(far + "/dst"), big);
    EXPECT_FALSE(QFile::exists(P("src")));
    // A link moves as a link.
    ASSERT_EQ(TransferFile(P("link"), far + "/link", move), TTransferStatus::Done);
    EXPECT_EQ(QFile::symLinkTarget(far + "/link"), far + "/src");
    EXPECT_EQ(Entries(far), (QStringList{"dst", "link"}));
    EXPECT_TRUE(Entries().isEmpty());
}

TEST_F(TransferTest, AtomicFileCommitsOnlyWhenAskedAndNeverReplacesWhenTold)
{
    ASSERT_TRUE(WriteFile(P("f"), "old"));
    {
        TAtomicFile file;
        ASSERT_TRUE(file.Open(P("f")));
        ASSERT_TRUE(file.Write(QByteArray("abandoned")));
    }
    EXPECT_EQ(ReadFile(P("f")), "old");
    EXPECT_EQ(Entries(), QStringList{"f"});

    TAtomicFile file;
    ASSERT_TRUE(file.Open(P("f")));
    ASSERT_TRUE(file.Write(QByteArray("new")));
    EXPECT_FALSE(file.Commit(false, false));
    EXPECT_EQ(file.Error(), EEXIST);
    EXPECT_EQ(ReadFile(P("f")), "old");
    EXPECT_EQ(Entries(), QStringList{"f"});

    TAtomicFile again;
    ASSERT_TRUE(again.Open(P("f")));
    ASSERT_TRUE(again.Write(QByteArray("new")));
    EXPECT_TRUE(again.Commit(true, true));
    EXPECT_EQ(ReadFile(P("f")), "new");
    EXPECT_FALSE(TAtomicFile().Open(P("missing-dir/f")));
}

// A whole-file write keeps what it replaces (mode; owner and group where the process may
// set them), writes through a chain of links to a file, and refuses what is no file to
// replace, a read-only one included, leaving it as it was.
TEST_F(TransferTest, WholeFileWritesKeepWhatTheyReplace)
{
    ASSERT_TRUE(WriteFile(P("kept"), "old"));
    ::chmod(QFile::encodeName(P("kept")).constData(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(P("kept")).constData(), 4321, 4322), 0);
    }
    EXPECT_EQ(WriteFileAtomically(P("kept"), "new"), 0);
    EXPECT_EQ(ReadFile(P("kept")), "new");
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(P("kept")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
    }

    // Through two links, into another folder: the file they end in gets the content.
    ASSERT_TRUE(QDir().mkdir(P("far")));
    ASSERT_TRUE(WriteFile(P("far/target"), "old target"));
    ASSERT_EQ(::symlink("far/target", QFile::encodeName(P("one")).constData()), 0);
    ASSERT_EQ(::symlink("one", QFile::encodeName(P("two")).constData()), 0);
    EXPECT_EQ(WriteFileAtomically(P("two"), "through"), 0);
    EXPECT_EQ(ReadFile(P("far/target")), "through");
    EXPECT_EQ(QFile::symLinkTarget(P("two")), P("one"));
    EXPECT_EQ(Entries(P("far")), QStringList{"target"});

    ASSERT_EQ(::mkfifo(QFile::encodeName(P("fifo")).constData(), 0644), 0);
    EXPECT_EQ(WriteFileAtomically(P("fifo"), "x"), EINVAL);
    EXPECT_EQ(WriteFileAtomically(P("far"), "x"), EISDIR);
    ASSERT_TRUE(WriteFile(P("ro"), "read-only"));
    ::chmod(QFile::encodeName(P("ro")).constData(), 0444);
    EXPECT_EQ(WriteFileAtomically(P("ro"), "x"), EACCES);
    EXPECT_EQ(ReadFile(P("ro")), "read-only");
    EXPECT_EQ(Entries(), (QStringList{"far", "fifo", "kept", "one", "ro", "two"}));

    // A full disk leaves the old file.
    const int rc = jxt::test::RunWithFileSizeLimit(
        1024, [&] { return WriteFileAtomically(P("kept"), Pattern(64 * 1024, 2)); });
    EXPECT_EQ(rc, EFBIG);
    EXPECT_EQ(ReadFile(P("kept")), "new");
    EXPECT_EQ(Entries(), (QStringList{"far", "fifo", "kept", "one", "ro", "two"}));
}

// A source written to while it is copied to another file system is kept, and so is the
// destination's old content: the move fails and changes nothing.
TEST_F(HostMachineTransferTest, MoveKeepsASourceWrittenDuringTheCopy)
{
    QTemporaryDir other(QStringLiteral("/dev/shm/jxt-transfer-XXXXXX"));
    struct stat a, b;
    if (!other.isValid() || ::stat(QFile::encodeName(m_dir).constData(), &a) != 0 ||
        ::stat(QFile::encodeName(other.path()).constData(), &b) != 0 || a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    const QString far = other.path();
    const QByteArray big = Pattern(2 << 20, 4);
    ASSERT_TRUE(WriteFile(P("src"), big));
    ASSERT_TRUE(WriteFile(far + "/dst", "old destination"));
    TTransferOptions o = Options(TTransferMode::Move, true);
    bool written = false;
    o.Progress = [&](qint64 done, qint64) {
        if (!written && done >= 1 << 20) {
            QFile f(P("src"));
            written = f.open(QIODevice::ReadWrite) && f.write("edited") == 6;
        }
        return true;
    };
    EXPECT_EQ(TransferFile(P("src"), far + "/dst", o), TTransferStatus::SourceChanged);
    ASSERT_TRUE(written);
    EXPECT_EQ(ReadFile(P("src")).left(6), "edited");
    EXPECT_EQ(ReadFile(far + "/dst"), "old destination");
    EXPECT_EQ(Entries(far), QStringList{"dst"});
}

TEST(SpellableNameTest, OnlyNamesThatSurviveAPath)
{
    EXPECT_TRUE(IsSpellableName("plain.txt"));
    EXPECT_TRUE(IsSpellableName("Gr\xC3\xBC\xC3\x9F"
                                "e"));
    EXPECT_FALSE(IsSpellableName("..\\victim.txt"));
    EXPECT_FALSE(IsSpellableName("bad\xff"));
    EXPECT_FALSE(IsSpellableName("\xC3"));
}

} // namespace
