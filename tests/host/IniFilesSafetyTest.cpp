// SPDX-License-Identifier: MIT
// Data safety of INI writes on real files: a full disk (a per-process file size limit), a
// writer killed while it rewrites the file, several processes writing at once, read-only
// files, kept owners and modes, and files that are not regular files.
#include "host/files/IniFiles.h"

#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace jxt;
using jxt::test::TChild;

namespace {

class IniSafetyTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const QString &name) const { return m_dir.filePath(name); }
    static QByteArray Read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static bool Write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(bytes) == bytes.size();
    }
    /// An INI text of `keys` entries in one section, about 67 bytes per entry.
    static QByteArray Text(int keys)
    {
        QByteArray text = "[Data]\r\n";
        for (int i = 0; i < keys; ++i)
            text +=
                QStringLiteral("Key%1=value number %1 with some padding text to fill the line\r\n")
                    .arg(i, 4, 10, QLatin1Char('0'))
                    .toLatin1();
        return text;
    }
    QTemporaryDir m_dir;
};

// The disk fills up at 4, 8 and 12 KiB: every write must throw and leave the file as it was.
TEST_F(IniSafetyTest, FullDiskThrowsAndKeepsEveryByte)
{
    const QString path = Path("full.ini");
    const QByteArray original = Text(200);
    ASSERT_GT(original.size(), 13000); // beyond the largest limit below
    ASSERT_TRUE(Write(path, original));
    for (rlim_t limit : {4096, 8192, 12288}) {
        const int rc = jxt::test::RunWithFileSizeLimit(limit, [&] {
            try {
                TIniFile ini(path);
                ini.WriteString("Data", "Key0007", "changed");
                ini.WriteString("New", "k", "v");
            } catch (const EInOutError &) {
                return 1;
            }
            return 0;
        });
        EXPECT_EQ(rc, 1) << "no error at a limit of " << limit;
        EXPECT_EQ(Read(path), original) << "at a limit of " << limit;
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"full.ini"});
}

// Processes that write different keys of one file at the same time lose none of them.
TEST_F(IniSafetyTest, ConcurrentWritersLoseNoKey)
{
    const QString path = Path("shared.ini");
    ASSERT_TRUE(Write(path, "[Start]\r\nx=1\r\n"));
    constexpr int kWriters = 4;
    constexpr int kKeys = 40;
    std::vector<std::unique_ptr<TChild>> children;
    for (int w = 0; w < kWriters; ++w) {
        children.push_back(std::make_unique<TChild>([&, w](int) {
            try {
                for (int k = 0; k < kKeys; ++k) {
                    TIniFile ini(path);
                    ini.WriteInteger(QStringLiteral("W%1").arg(w % 2), // shared sections too
                                     QStringLiteral("p%1k%2").arg(w).arg(k), k);
                }
            } catch (const EInOutError &) {
                return 1;
            }
            return 0;
        }));
    }
    for (auto &child : children)
        EXPECT_EQ(child->Wait(), 0);
    const TIniDocument doc = TIniDocument::Parse(Read(path));
    int found = 0;
    for (int w = 0; w < kWriters; ++w) {
        for (int k = 0; k < kKeys; ++k) {
            QString value;
            found += doc.FindValue(QStringLiteral("W%1").arg(w % 2),
                                   QStringLiteral("p%1k%2").arg(w).arg(k), &value) &&
                     value == QString::number(k);
        }
    }
    EXPECT_EQ(found, kWriters * kKeys);
    QString x;
    EXPECT_TRUE(doc.FindValue("Start", "x", &x));
}

// A writer killed at any moment of a rewrite leaves either the old or the new text, whole.
TEST_F(IniSafetyTest, WriterKilledMidRewriteLeavesAWholeFile)
{
    const QString path = Path("big.ini");
    const QByteArray original = Text(12000); // most of a megabyte: a rewrite takes a while
    ASSERT_TRUE(Write(path, original));
    for (int round = 0; round < 4; ++round) {
        TChild child([&](int notify) {
            TIniFile ini(path);
            for (int i = 0;; ++i) {
                ini.WriteInteger("Data", "Counter", i);
                if (i == 0)
                    (void)::write(notify, "x", 1);
            }
            return 0;
        });
        ASSERT_TRUE(child.WaitForSignal());
        ::usleep(useconds_t(1000 + round * 3000));
        child.Kill();
        const QByteArray now = Read(path);
        ASSERT_GE(now.size(), original.size()) << "round " << round;
        EXPECT_TRUE(now.startsWith(original.left(original.size() - 2))) << "round " << round;
        EXPECT_TRUE(now.endsWith("\r\n"));
        QString counter;
        EXPECT_TRUE(TIniDocument::Parse(now).FindValue("Data", "Counter", &counter));
    }
}

// A read-only file is not written (not even by the superuser), and a written file keeps its
// permission bits and owner.
TEST_F(IniSafetyTest, ReadOnlyModeAndOwnerAreRespected)
{
    const QString path = Path("ro.ini");
    const QByteArray original = "[S]\r\nk=1\r\n";
    ASSERT_TRUE(Write(path, original));
    const QByteArray native = QFile::encodeName(path);
    ASSERT_EQ(::chmod(native.constData(), 0444), 0);
    TIniFile ini(path);
    EXPECT_THROW(ini.WriteString("S", "k", "2"), EInOutError);
    struct stat st;
    ASSERT_EQ(::stat(native.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(Read(path), original);

    ASSERT_EQ(::chmod(native.constData(), 0620), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(native.constData(), 4321, 4322), 0);
    }
    ini.WriteString("S", "k", "2");
    ASSERT_EQ(::stat(native.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0620u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
    }
    EXPECT_EQ(Read(path), "[S]\r\nk=2\r\n");
}

// A FIFO under an INI name is never opened: reads give defaults and writes throw, at once.
TEST_F(IniSafetyTest, FifoIsNeitherReadNorReplaced)
{
    const QString path = Path("pipe.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    TChild child([&](int) {
        ::alarm(10);
        TIniFile ini(path);
        if (ini.ReadString("S", "k", "def") != "def")
            return 2;
        try {
            ini.WriteString("S", "k", "v");
        } catch (const EInOutError &) {
            return 0;
        }
        return 3;
    });
    EXPECT_EQ(child.Wait(), 0);
    struct stat st;
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(IniSafetyTest, DefaultsLoseTrailingSpacesAndNewSectionsFollowDirectly)
{
    const QString path = Path("p.ini");
    ASSERT_TRUE(Write(path, "[App1]\r\nkey1=string1\r\nkey3=string3\r\n"));
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("App1", "missing", "  def  "), "  def");
    EXPECT_EQ(ini.ReadString("App1", "key1", "def  "), "string1");
    ini.WriteString("App2", "key", "v");
    EXPECT_EQ(Read(path), "[App1]\r\nkey1=string1\r\nkey3=string3\r\n[App2]\r\nkey=v\r\n");
}

} // namespace
