// SPDX-License-Identifier: MIT
#include "util/JxutilFiles.h"
#include "util/JXU_File.h"

#include "host/controls/Dialogs.h"
#include "host/core/Strings.h"
#include "host/core/SysUtils.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

using namespace jxt;

namespace {

/// A temporary directory reachable as drive T: ("T:\..."), with a scripted dialog service.
class FilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        // Work inside the temporary directory, so that a drive-relative name such as "C:"
        // (the current directory) can never reach anything else.
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        m_oldDrives = qgetenv("JXT_DRIVES");
        qputenv("JXT_DRIVES", "T=" + m_dir.path().toUtf8());
        auto s = std::make_unique<TScriptedDialogs>();
        dialogs = s.get();
        m_previous = SetDialogService(std::move(s));
    }
    void TearDown() override
    {
        SetDialogService(std::move(m_previous));
        QDir::setCurrent(m_oldCwd);
        if (m_oldDrives.isNull())
            qunsetenv("JXT_DRIVES");
        else
            qputenv("JXT_DRIVES", m_oldDrives);
    }
    /// Host path of a name below the temporary directory.
    QString Host(const QString &rel) const { return m_dir.path() + QLatin1Char('/') + rel; }
    void Write(const QString &rel, const QByteArray &data)
    {
        QDir().mkpath(QFileInfo(Host(rel)).path());
        QFile f(Host(rel));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    bool Exists(const QString &rel) const { return QFileInfo::exists(Host(rel)); }

    TScriptedDialogs *dialogs = nullptr;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldDrives;
    QString m_oldCwd;
    std::unique_ptr<TDialogService> m_previous;
};

} // namespace

TEST(JxutilPaths, PathForms)
{
    EXPECT_EQ(jxtCheckPath(QString()), QString());
    EXPECT_EQ(jxtCheckPath(QStringLiteral("C:\\x")), QStringLiteral("C:\\x\\"));
    EXPECT_EQ(jxtCheckPath(QStringLiteral("C:\\x\\")), QStringLiteral("C:\\x\\"));
    // A path written with "/" keeps to "/"; one ending in either separator stays.
    EXPECT_EQ(jxtCheckPath(QStringLiteral("/tmp/x")), QStringLiteral("/tmp/x/"));
    EXPECT_EQ(jxtCheckPath(QStringLiteral("/tmp/x/")), QStringLiteral("/tmp/x/"));
    EXPECT_EQ(jxtCheckPath(QStringLiteral("/tmp\\x")), QStringLiteral("/tmp\\x\\"));
    EXPECT_EQ(jxtParentDir(QStringLiteral("/tmp/x/")), QStringLiteral("/tmp"));
    EXPECT_EQ(jxtDirName(QStringLiteral("/tmp/b/file.txt")), QStringLiteral("b"));
    EXPECT_EQ(jxtDirName(QStringLiteral("C:\\a/b\\file.txt")), QStringLiteral("b"));
    EXPECT_EQ(jxtCheckUnixPath(QStringLiteral("/usr")), QStringLiteral("/usr/"));
    for (const char *p : {"C:\\a\\b", "C:\\a\\b\\", "C:\\a\\bb"})
        EXPECT_EQ(jxtParentDir(QString::fromLatin1(p)), QStringLiteral("C:\\a")) << p;
    EXPECT_EQ(jxtParentDir(QStringLiteral("C:\\a")), QStringLiteral("C:"));
    EXPECT_EQ(jxtParentDir(QStringLiteral("x")), QString());
    EXPECT_EQ(jxtDirName(QStringLiteral("C:\\a\\b\\file.txt")), QStringLiteral("b"));
    EXPECT_EQ(jxtDirName(QStringLiteral("C:\\a\\b\\")), QStringLiteral("b"));
    EXPECT_EQ(jxtDirName(QStringLiteral("C:\\a")), QString());
}

TEST(JxutilPaths, SplitFileNameAtFirstDotAndJXUFileAtLast)
{
    QString path, name, ext;
    jxtSplitFileName(QStringLiteral("C:\\x\\a.b.txt"), path, name, ext);
    EXPECT_EQ(path, QStringLiteral("C:\\x\\"));
    EXPECT_EQ(name, QStringLiteral("a"));
    EXPECT_EQ(ext, QStringLiteral(".b.txt"));
    JXU_File::jxtSplitFileName(QStringLiteral("C:\\x\\a.b.txt"), path, name, ext);
    EXPECT_EQ(name, QStringLiteral("a.b"));
    EXPECT_EQ(ext, QStringLiteral(".txt"));
    jxtSplitFileName(QStringLiteral("C:\\x\\README"), path, name, ext);
    EXPECT_EQ(path, QStringLiteral("C:\\x\\"));
    EXPECT_TRUE(name.isEmpty());
    EXPECT_TRUE(ext.isEmpty());
}

TEST(JxutilPaths, NamesAndVersions)
{
    EXPECT_EQ(jxtGetNextFileName(QStringLiteral("C:\\pic\\bild007.bmp")),
              QStringLiteral("C:\\pic\\bild008.bmp"));
    EXPECT_EQ(jxtGetNextFileName(QStringLiteral("a9.txt")), QStringLiteral("a10.txt"));
    EXPECT_EQ(jxtGetNextFileName(QStringLiteral("C:\\pic\\bild099")),
              QStringLiteral("C:\\pic\\bild100"));
    EXPECT_EQ(jxtGetNextFileName(QStringLiteral("plain.txt")), QStringLiteral("plain.txt"));
    EXPECT_THROW(jxtGetNextFileName(QStringLiteral("a1b2.txt")), EConvertError);
    EXPECT_EQ(jxtGetNextFileName(QStringLiteral("n2147483647.log")),
              QStringLiteral("n2147483648.log"));

    EXPECT_EQ(jxtGetHexFileVersion(QStringLiteral("1.2.3.4")), QStringLiteral("0001000200030004"));
    EXPECT_EQ(jxtGetHexFileVersion(QStringLiteral("1,0,0,12")), QStringLiteral("000100000000000c"));
    EXPECT_EQ(jxtGetHexFileVersion(QStringLiteral("1..3")), QStringLiteral("0001000000030000"));
    EXPECT_EQ(jxtGetHexFileVersion(QString()), QString());
    EXPECT_EQ(jxtGetHexFileVersion(QStringLiteral("1.x.3.4")), QString());

    const QString longPath = QStringLiteral("C:\\Programme\\Firma\\Sub\\Dir\\datei.txt");
    EXPECT_EQ(jxtZeigeGekuerztenPfad(longPath, 30),
              QStringLiteral("C:\\Programme\\Firma\\...\\datei.txt"));
    EXPECT_EQ(jxtZeigeGekuerztenPfad(longPath, 100), longPath);
    // Even the head and the name do not fit: the result is finite, head and name stay.
    EXPECT_EQ(jxtZeigeGekuerztenPfad(longPath, 5),
              QStringLiteral("C:\\Programme\\Firma\\...\\datei.txt"));
}

TEST_F(FilesTest, KillPathRefusesRootsAndDeletesTrees)
{
    EXPECT_FALSE(jxtKillPath(QStringLiteral("C:\\")));
    EXPECT_FALSE(jxtKillPath(QStringLiteral("C:\\\\\\")));
    EXPECT_FALSE(jxtKillPath(QStringLiteral("T:\\")));
    ASSERT_EQ(dialogs->Shown().size(), 3u);
    EXPECT_EQ(dialogs->Texts().front(),
              QStringLiteral("jxtKillPath - Fehler : C:\\ kann nicht gelöscht werden"));
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("/tmp")));

    Write(QStringLiteral("tree/a.txt"), "a");
    Write(QStringLiteral("tree/sub/deep/b.txt"), "b");
    Write(QStringLiteral("tree/.hidden"), "h");
    Write(QStringLiteral("tree/ro.txt"), "r");
    ASSERT_EQ(platform::FileSetAttr(Host(QStringLiteral("tree/ro.txt")), platform::faReadOnly), 0);
    Write(QStringLiteral("outside/keep.txt"), "keep");
    ASSERT_EQ(::symlink(Host(QStringLiteral("outside")).toUtf8().constData(),
                        Host(QStringLiteral("tree/link")).toUtf8().constData()),
              0);
    dialogs->Clear();
    EXPECT_TRUE(jxtKillPath(QStringLiteral("T:\\tree")));
    EXPECT_TRUE(dialogs->Shown().empty()) << dialogs->Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(Exists(QStringLiteral("tree")));
    EXPECT_TRUE(Exists(QStringLiteral("outside/keep.txt")));
}

TEST_F(FilesTest, MoveFileAndDir)
{
    Write(QStringLiteral("m/one.txt"), "1111");
    EXPECT_TRUE(
        jxtMoveFile(QStringLiteral("T:\\m\\one.txt"), QStringLiteral("T:\\new\\deeper\\one.txt")));
    EXPECT_FALSE(Exists(QStringLiteral("m/one.txt")));
    EXPECT_TRUE(Exists(QStringLiteral("new/deeper/one.txt")));
    EXPECT_FALSE(jxtMoveFile(QStringLiteral("T:\\m\\missing.txt"), QStringLiteral("T:\\x.txt")));

    Write(QStringLiteral("d/x.txt"), "x");
    EXPECT_TRUE(jxtMoveDir(QStringLiteral("T:\\d\\"), QStringLiteral("T:\\e\\")));
    EXPECT_TRUE(Exists(QStringLiteral("e/x.txt")));
    EXPECT_FALSE(Exists(QStringLiteral("d")));
    Write(QStringLiteral("cwdfile.txt"), "c");
    for (const char *root : {"C:\\", "C:", "C:\\\\", "T:\\", "T:", "/"})
        EXPECT_FALSE(jxtMoveDir(QString::fromLatin1(root), QStringLiteral("T:\\root"))) << root;
    EXPECT_TRUE(Exists(QStringLiteral("cwdfile.txt")));
    EXPECT_FALSE(Exists(QStringLiteral("root")));
}

TEST_F(FilesTest, SearchingAndCounting)
{
    Write(QStringLiteral("s/README"), "r");
    Write(QStringLiteral("s/a.txt"), QByteArray(2500, 'a'));
    Write(QStringLiteral("s/sub/b.TXT"), QByteArray(10, 'b'));
    Write(QStringLiteral("s/sub/c.doc"), QByteArray(12000, 'c'));
    // A link back up must not send the walkers round in circles.
    ASSERT_EQ(::symlink(Host(QStringLiteral("s")).toUtf8().constData(),
                        Host(QStringLiteral("s/sub/loop")).toUtf8().constData()),
              0);

    EXPECT_EQ(jxtFileCount(QStringLiteral("T:\\s"), QStringLiteral("*.*"), true), 4);
    EXPECT_EQ(jxtFileCount(QStringLiteral("T:\\s"), QStringLiteral("*.*"), false), 2);
    EXPECT_EQ(jxtFileCount(QStringLiteral("T:\\s"), QStringLiteral("*.txt"), true), 2);
    EXPECT_EQ(jxtFileCount2(QStringLiteral("T:\\s"), QStringLiteral("*.*"), true, 2), 2);
    EXPECT_EQ(jxtFileCount3(QStringLiteral("T:\\s"), QStringLiteral("*.*"), true, 2, 5), 1);
    EXPECT_TRUE(jxtFilesExists(QStringLiteral("T:\\s"), QStringLiteral("*.DOC"), true));
    EXPECT_FALSE(jxtFilesExists(QStringLiteral("T:\\s"), QStringLiteral("*.DOC"), false));

    TStringList list;
    list.Add(QStringLiteral("stale"));
    jxtGetFiles(&list, QStringLiteral("T:\\s\\"), QStringLiteral("*.TXT"), true);
    EXPECT_EQ(list.ToStringList(),
              (QStringList{QStringLiteral("T:\\s\\sub\\b.TXT"), QStringLiteral("T:\\s\\a.txt")}));

    EXPECT_EQ(jxtGetFileSize(QStringLiteral("T:\\s\\a.txt")), 2500);
    EXPECT_EQ(jxtGetFileSize(QStringLiteral("T:\\s\\missing.txt")), -1);
    EXPECT_EQ(jxtGetFileSize(QStringLiteral("T:\\s\\sub\\*.*")), 12010);
    EXPECT_EQ(jxtGetFileSize(QStringLiteral("T:\\s\\*.xyz")), -1);
    EXPECT_TRUE(jxtHasAttr(QStringLiteral("T:\\s\\sub"), platform::faDirectory));
    EXPECT_FALSE(jxtHasAttr(QStringLiteral("T:\\s\\none"), 0));
}

TEST_F(FilesTest, ReadmeWithoutDotCountsButIsNotFoundByTheStarDotStarMask)
{
    Write(QStringLiteral("r/README"), "x");
    EXPECT_EQ(jxtFileCount(QStringLiteral("T:\\r"), QStringLiteral("*.*"), false), 1);
    EXPECT_FALSE(jxtFilesExists(QStringLiteral("T:\\r"), QStringLiteral("*.*"), false));
}

TEST_F(FilesTest, ContentSearchAcrossBlocks)
{
    QByteArray data(4000, 'x');
    data[10] = '\0';
    data.replace(2045, 6, "NEEDLE");
    Write(QStringLiteral("c.bin"), data);
    // The first block ends inside the text; the second read starts 6 bytes back.
    const int pos = jxtFindFileString(QStringLiteral("T:\\c.bin"), QStringLiteral("NEEDLE"));
    EXPECT_EQ(pos, 2045 - (2048 - 6) + 1);
    EXPECT_EQ(jxtFindFileString(QStringLiteral("T:\\c.bin"), QStringLiteral("xx")), 1);
    EXPECT_EQ(jxtFindFileString(QStringLiteral("T:\\c.bin"), QString(QChar(1))), 11);
    EXPECT_EQ(jxtFindFileString(QStringLiteral("T:\\c.bin"), QStringLiteral("absent")), 0);
    EXPECT_EQ(jxtFindFileString(QStringLiteral("T:\\none.bin"), QStringLiteral("x")), 0);
    EXPECT_EQ(jxtFindFileString(QStringLiteral("T:\\c.bin"), QString(3000, QLatin1Char('x'))), 0);

    Write(QStringLiteral("f.bin"), QByteArray::fromHex("0000000a0b05"));
    EXPECT_EQ(jxtGetFileString(QStringLiteral("T:\\f.bin")), QStringLiteral("16")); // 10 + 11 - 5
    Write(QStringLiteral("short.bin"), "ab");
    EXPECT_EQ(jxtGetFileString(QStringLiteral("T:\\short.bin")), QString());
    EXPECT_EQ(jxtGetFileString(QStringLiteral("T:\\none.bin")), QString());
}

TEST_F(FilesTest, LZCopyDecodesAndReportsErrors)
{
    const QString data = QStringLiteral(JXT_TEST_DATA_DIR "/szdd/");
    EXPECT_TRUE(QFile::copy(data + QStringLiteral("text.txt_"), Host(QStringLiteral("t.tx_"))));
    QFile original(data + QStringLiteral("text.txt"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray expected = original.readAll();
    EXPECT_EQ(jxtLZCopyFile(QStringLiteral("T:\\t.tx_"), QStringLiteral("T:\\t.txt")),
              expected.size());
    QFile out(Host(QStringLiteral("t.txt")));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), expected);

    EXPECT_THROW(jxtLZCopyFile(QStringLiteral("T:\\none"), QStringLiteral("T:\\out")), EInOutError);
    QByteArray broken = QByteArray("SZDD\x88\xF0\x27\x33"
                                   "A",
                                   9) +
                        QByteArray("\0\xFF\0\0\0", 5) + "\x01";
    Write(QStringLiteral("broken._"), broken);
    try {
        jxtLZCopyFile(QStringLiteral("T:\\broken._"), QStringLiteral("T:\\broken.out"));
        FAIL() << "no exception";
    } catch (const EInOutError &) {
        FAIL() << "wrong exception";
    } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Error using LZCopy"));
    }
}

TEST_F(FilesTest, LongNamesDrivesAndVolumes)
{
    Write(QStringLiteral("Mixed/Case.TXT"), "x");
    EXPECT_EQ(jxtGetLongFileName(QStringLiteral("T:\\mixed\\case.txt")),
              QStringLiteral("T:\\Mixed\\Case.TXT"));
    EXPECT_EQ(jxtGetLongFileName(QStringLiteral("T:\\missing\\case.txt")),
              QStringLiteral("T:\\missing\\case.txt"));

    const QString rel =
        QDir(QStringLiteral("/")).relativeFilePath(Host(QStringLiteral("Mixed/Case.TXT")));
    QString withColon = QStringLiteral(":\\") + rel;
    withColon.replace(QLatin1Char('/'), QLatin1Char('\\'));
    EXPECT_EQ(jxtFindDrive(withColon), QStringLiteral("c") + withColon);
    EXPECT_EQ(jxtFindDrive(QStringLiteral("x:\\no\\such\\file")),
              QStringLiteral("x:\\no\\such\\file"));

    EXPECT_FALSE(jxtVolumeName(QStringLiteral("C")).isEmpty());
    EXPECT_EQ(jxtVolumeName(QString()), QString());
    bool ok = false;
    jxtVolumeSerNum2(QStringLiteral("C")).toInt(&ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(jxtVolumeSerNum(QStringLiteral("Q")), QString());
    EXPECT_TRUE(jxtWinDir().endsWith(QLatin1Char('\\')));
    EXPECT_TRUE(jxtTMPDir().endsWith(QLatin1Char('\\')));
}

TEST_F(FilesTest, MovingAFileOrDirectoryOntoItselfKeepsTheData)
{
    Write(QStringLiteral("self/a.txt"), "keep me");
    EXPECT_TRUE(jxtMoveFile(QStringLiteral("T:\\self\\a.txt"), QStringLiteral("T:\\self\\a.txt")));
    EXPECT_TRUE(Exists(QStringLiteral("self/a.txt")));
    // The same entry reached through a link to its directory.
    ASSERT_EQ(::symlink(Host(QStringLiteral("self")).toUtf8().constData(),
                        Host(QStringLiteral("alias")).toUtf8().constData()),
              0);
    EXPECT_TRUE(jxtMoveFile(QStringLiteral("T:\\self\\a.txt"), QStringLiteral("T:\\alias\\a.txt")));
    EXPECT_TRUE(Exists(QStringLiteral("self/a.txt")));

    EXPECT_FALSE(jxtMoveDir(QStringLiteral("T:\\self"), QStringLiteral("T:\\self\\")));
    QFile f(Host(QStringLiteral("self/a.txt")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep me"));

    // A second name of the same file (a hard link) is the same file: nothing moves, and the
    // move says so.
    ASSERT_EQ(::link(Host(QStringLiteral("self/a.txt")).toUtf8().constData(),
                     Host(QStringLiteral("hard.txt")).toUtf8().constData()),
              0);
    EXPECT_FALSE(jxtMoveFile(QStringLiteral("T:\\self\\a.txt"), QStringLiteral("T:\\hard.txt")));
    EXPECT_TRUE(Exists(QStringLiteral("self/a.txt")));
    EXPECT_TRUE(Exists(QStringLiteral("hard.txt")));
}

TEST_F(FilesTest, HiddenDirectoriesAreNotFiles)
{
    Write(QStringLiteral("h/.git/config"), "c");
    Write(QStringLiteral("h/plain"), "p");
    EXPECT_FALSE(jxtFilesExists(QStringLiteral("T:\\h"), QStringLiteral("*.*"), false));
    TStringList list;
    jxtGetFiles(&list, QStringLiteral("T:\\h"), QStringLiteral("*"), false);
    EXPECT_EQ(list.ToStringList(), QStringList{QStringLiteral("T:\\h\\plain")});
    jxtGetFiles(&list, QStringLiteral("T:\\h"), QStringLiteral("*"), true);
    EXPECT_EQ(list.ToStringList(),
              (QStringList{QStringLiteral("T:\\h\\.git\\config"), QStringLiteral("T:\\h\\plain")}));
}

TEST_F(FilesTest, KillPathOfALinkRemovesTheLinkNotTheTarget)
{
    Write(QStringLiteral("target/keep.txt"), "keep");
    ASSERT_EQ(::symlink(Host(QStringLiteral("target")).toUtf8().constData(),
                        Host(QStringLiteral("link")).toUtf8().constData()),
              0);
    EXPECT_TRUE(jxtKillPath(QStringLiteral("T:\\link")));
    EXPECT_TRUE(dialogs->Shown().empty()) << dialogs->Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(Exists(QStringLiteral("target/keep.txt")));
    EXPECT_FALSE(QFileInfo(Host(QStringLiteral("link"))).isSymLink());
}

TEST_F(FilesTest, ADirectoryIsFoundWithSizeZero)
{
    Write(QStringLiteral("sz/f"), "12345");
    // Found with any attribute, a directory has the size 0; only a missing name gives -1.
    EXPECT_EQ(jxtGetFileSize(QStringLiteral("T:\\sz")), 0);
    EXPECT_EQ(jxtGetFileSize(QStringLiteral("T:\\sz\\f")), 5);
}

TEST_F(FilesTest, CdRomSearchFromBelowTheLettersScansThemAll)
{
    qputenv("JXT_DRIVES",
            "T=" + Host(QString()).toUtf8() + ";R=" + Host(QString()).toUtf8() + ":cdrom");
    EXPECT_EQ(jxtFindCDROM(QLatin1Char('0')), QLatin1Char('R'));
    EXPECT_EQ(jxtFindCDROM(QLatin1Char('a')), QLatin1Char('R'));
    EXPECT_EQ(jxtFindCDROM(QLatin1Char('S')), QChar());
}

TEST_F(FilesTest, ShortNamesAreNeverCutOff)
{
    const QString deep = QString(100, QLatin1Char('d')) + QLatin1Char('/') +
                         QString(100, QLatin1Char('e')) + QLatin1Char('/') +
                         QString(100, QLatin1Char('f'));
    Write(deep + QStringLiteral("/x.txt"), "x");
    QString windowsName = QStringLiteral("T:\\") + deep + QStringLiteral("/x.txt");
    windowsName.replace(QLatin1Char('/'), QLatin1Char('\\'));
    ASSERT_GT(windowsName.size(), 255);
    // A name cut at 255 characters would name another file; too long a name gives nothing.
    EXPECT_EQ(jxtGetShortFileName(windowsName), QString());
    EXPECT_EQ(jxtGetShortFileName(QStringLiteral("T:\\") + deep.left(100)),
              QStringLiteral("T:\\") + deep.left(100));
}
