// SPDX-License-Identifier: MIT
// Shell links written in the binary link format, checked by the link reader of the Debian
// package liblnk-utils (lnkinfo), and files replaced at the next start.
#include "util/Jxutil.h"

#include "host/controls/Forms.h"
#include "host/core/SysUtils.h"
#include "platform/Paths.h"
#include "platform/PlatformTestSupport.h"
#include "platform/ShellLink.h"
#include "platform/Volumes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>

using namespace jxt;

namespace {

/// The "name : value" lines lnkinfo prints for a link file; empty when it cannot run.
std::map<QString, QString> LnkInfo(const QString &file)
{
    std::map<QString, QString> fields;
    QProcess p;
    p.start("lnkinfo", {file});
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return fields;
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        const int colon = int(line.indexOf(':'));
        if (colon > 0)
            fields[line.left(colon).trimmed()] = line.mid(colon + 1).trimmed();
    }
    return fields;
}

#define REQUIRE_LNKINFO()                                                                          \
    do {                                                                                           \
        if (QStandardPaths::findExecutable("lnkinfo").isEmpty())                                   \
            GTEST_SKIP() << "needs lnkinfo of the Debian package liblnk-utils "                    \
                            "(scripts/install-deps.sh)";                                           \
    } while (0)

QString Win(const QString &hostPath)
{
    return platform::ToWindowsPath(hostPath);
}

bool Write(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

QByteArray Read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(JxutilShellLink, LinkNamesTargetArgumentsAndWorkingDirectory)
{
    REQUIRE_LNKINFO();
    QTemporaryDir dir;
    const QString target = dir.filePath("Programm Ordner/Rechner.exe");
    ASSERT_TRUE(QDir(dir.path()).mkpath("Programm Ordner"));
    ASSERT_TRUE(Write(target, "MZ program"));
    const QString linkDir = Win(dir.filePath("Verknüpfungen/tief"));

    ASSERT_TRUE(jxtCreateShellLink(Win(target), "Mein Rechner", "/x \"a b\" ; rm -rf", linkDir));
    const QString link = dir.filePath("Verknüpfungen/tief/Mein Rechner.lnk");
    ASSERT_TRUE(QFileInfo(link).isFile());
    const QByteArray bytes = Read(link);
    ASSERT_GE(bytes.size(), 0x4C);
    EXPECT_EQ(bytes.left(4), QByteArray("\x4C\0\0\0", 4));

    const auto info = LnkInfo(link);
    ASSERT_FALSE(info.empty()) << "lnkinfo could not read the link";
    EXPECT_EQ(info.at("Local path"), Win(target));
    EXPECT_EQ(info.at("Working directory"), Win(dir.filePath("Programm Ordner")));
    EXPECT_EQ(info.at("Command line arguments"), "/x \"a b\" ; rm -rf");
    EXPECT_EQ(info.at("Icon location"), Win(target));
    EXPECT_EQ(info.at("File size"), "10 bytes");
    EXPECT_EQ(info.count("Description"), 0u);
}

TEST(JxutilShellLink, PathsOutsideTheCodePageKeepTheirCharacters)
{
    REQUIRE_LNKINFO();
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("Ωmega Ördner"));
    const QString target = dir.filePath("Ωmega Ördner/日本.exe");
    ASSERT_TRUE(Write(target, "x"));
    ASSERT_TRUE(jxtCreateShellLink(Win(target), "Link", "→ ä", Win(dir.path())));
    const auto info = LnkInfo(dir.filePath("Link.lnk"));
    ASSERT_FALSE(info.empty());
    EXPECT_EQ(info.at("Local path"), Win(target));
    EXPECT_EQ(info.at("Working directory"), Win(dir.filePath("Ωmega Ördner")));
    EXPECT_EQ(info.at("Command line arguments"), "→ ä");
}

TEST(JxutilShellLink, ReplacesAnOlderLinkAndKeepsNoTemporaryFiles)
{
    REQUIRE_LNKINFO();
    QTemporaryDir dir;
    const QString target = dir.filePath("a.txt");
    ASSERT_TRUE(Write(target, "x"));
    const QString links = Win(dir.filePath("links"));
    ASSERT_TRUE(jxtCreateShellLink(Win(target), "L", "eins", links));
    ASSERT_TRUE(jxtCreateShellLink(Win(target), "L", QString(), links));
    EXPECT_EQ(QDir(dir.filePath("links")).entryList(QDir::Files | QDir::Hidden),
              QStringList("L.lnk"));
    const auto info = LnkInfo(dir.filePath("links/L.lnk"));
    ASSERT_FALSE(info.empty());
    EXPECT_EQ(info.count("Command line arguments"), 0u);
    EXPECT_EQ(info.at("Local path"), Win(target));
}

TEST(JxutilShellLink, RefusesMissingTargetsAndUncreatableFolders)
{
    QTemporaryDir dir;
    EXPECT_FALSE(jxtCreateShellLink(Win(dir.filePath("missing.exe")), "x", QString(),
                                    Win(dir.filePath("links"))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("links")));

    const QString target = dir.filePath("t.exe");
    ASSERT_TRUE(Write(target, "x"));
    ASSERT_TRUE(Write(dir.filePath("plain"), "a file where the folder should be"));
    EXPECT_FALSE(jxtCreateShellLink(Win(target), "x", QString(), Win(dir.filePath("plain/sub"))));
}

TEST(JxutilShellLink, UnwritableLinkRaisesTheObjectError)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("t.exe");
    ASSERT_TRUE(Write(target, "x"));
    // No file system takes a name of 300 characters.
    try {
        jxtCreateShellLink(Win(target), QString(300, 'n'), QString(), Win(dir.path()));
        FAIL() << "the link was written";
    } catch (const EOleSysError &e) {
        EXPECT_NE(e.ErrorCode, 0);
        EXPECT_TRUE(e.Message().startsWith("Verknüpfung ")) << qPrintable(e.Message());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList("t.exe"));
    EXPECT_EQ(Screen()->Cursor(), crDefault);
}

TEST(JxutilShellLink, DesktopLinkGoesToTheDesktopOnce)
{
    REQUIRE_LNKINFO();
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath("Desktop"));
    test::TScopedEnv homeEnv("HOME", home.path().toLocal8Bit());
    test::TScopedEnv config("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    const QString target = home.filePath("app");
    ASSERT_TRUE(Write(target, "x"));

    EXPECT_FALSE(jxtCreateDesktopLink(Win(home.filePath("missing")), "App"));
    ASSERT_TRUE(jxtCreateDesktopLink(Win(target), "App"));
    const QString link = home.filePath("Desktop/App.lnk");
    EXPECT_EQ(LnkInfo(link).at("Local path"), Win(target));
    // A link of that name is left as it is.
    ASSERT_TRUE(Write(link, "older link"));
    EXPECT_TRUE(jxtCreateDesktopLink(Win(target), "App"));
    EXPECT_EQ(Read(link), "older link");
}

// Replacing files at the next start ------------------------------------------------------------

class JxutilInstallFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath("windows");
        QDir(m_dir.path()).mkpath("src");
        QDir(m_dir.path()).mkpath("app");
        m_winDir = std::make_unique<test::TScopedEnv>("JXT_WINDIR",
                                                      m_dir.filePath("windows").toLocal8Bit());
    }
    QString Src() const { return Win(m_dir.filePath("src")); }
    QString App() const { return Win(m_dir.filePath("app")); }

    QTemporaryDir m_dir;
    std::unique_ptr<test::TScopedEnv> m_winDir;
};

TEST_F(JxutilInstallFile, CopiesBesideTheTargetAndRecordsTheRename)
{
    ASSERT_TRUE(Write(m_dir.filePath("src/prog.dll"), "new version"));
    ASSERT_TRUE(Write(m_dir.filePath("app/prog.dll"), "old version"));
    ASSERT_TRUE(jxtInstallFileOnWinStart(Src(), App(), "prog.dll"));
    EXPECT_EQ(Read(m_dir.filePath("app/prog.NEW")), "new version");
    EXPECT_EQ(Read(m_dir.filePath("app/prog.dll")), "old version");
    EXPECT_EQ(jxtINIReadString("WININIT.INI", "rename", App() + "\\prog.dll", QString()),
              App() + "\\prog.NEW");

    EXPECT_EQ(jxtInstallPendingFiles(), 1);
    EXPECT_EQ(Read(m_dir.filePath("app/prog.dll")), "new version");
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("app/prog.NEW")));
    EXPECT_EQ(jxtINIReadString("WININIT.INI", "rename", App() + "\\prog.dll", "gone"), "gone");
    EXPECT_EQ(jxtInstallPendingFiles(), 0);
}

TEST_F(JxutilInstallFile, NamesSharingTheirStemKeepTheirOwnContent)
{
    ASSERT_TRUE(Write(m_dir.filePath("src/a.dll"), "library"));
    ASSERT_TRUE(Write(m_dir.filePath("src/a.exe"), "program"));
    ASSERT_TRUE(Write(m_dir.filePath("src/README"), "text"));
    ASSERT_TRUE(jxtInstallFileOnWinStart(Src(), App(), "a.dll"));
    ASSERT_TRUE(jxtInstallFileOnWinStart(Src() + "\\", App() + "\\", "a.exe"));
    ASSERT_TRUE(jxtInstallFileOnWinStart(Src(), App(), "README"));
    EXPECT_EQ(jxtInstallPendingFiles(), 3);
    EXPECT_EQ(Read(m_dir.filePath("app/a.dll")), "library");
    EXPECT_EQ(Read(m_dir.filePath("app/a.exe")), "program");
    EXPECT_EQ(Read(m_dir.filePath("app/README")), "text");
    QStringList files = QDir(m_dir.filePath("app")).entryList(QDir::Files);
    files.sort();
    EXPECT_EQ(files, QStringList({"README", "a.dll", "a.exe"}));
}

TEST_F(JxutilInstallFile, MissingSourceFailsAndVanishedCopiesAreDropped)
{
    EXPECT_FALSE(jxtInstallFileOnWinStart(Src(), App(), "missing.dll"));
    EXPECT_EQ(jxtINIReadString("WININIT.INI", "rename", App() + "\\missing.dll", "none"), "none");

    ASSERT_TRUE(Write(m_dir.filePath("src/b.dll"), "b"));
    ASSERT_TRUE(jxtInstallFileOnWinStart(Src(), App(), "b.dll"));
    ASSERT_TRUE(QFile::remove(m_dir.filePath("app/b.NEW")));
    EXPECT_EQ(jxtInstallPendingFiles(), 0);
    EXPECT_EQ(jxtINIReadString("WININIT.INI", "rename", App() + "\\b.dll", "none"), "none");
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("app/b.dll")));
}

// The volume block carries the real type of the volume, for a link to a file as for one to
// its folder (not the type of a missing root).
TEST(JxutilShellLink, VolumeTypeIsTheVolumesForFilesAndFolders)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("data.txt");
    ASSERT_TRUE(Write(target, "x"));
    const int folderType = platform::GetDriveType(Win(dir.path()));
    ASSERT_NE(folderType, platform::DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(platform::ShellLinkForTarget(target, QString()).DriveType, folderType);
    EXPECT_EQ(platform::ShellLinkForTarget(dir.path(), QString()).DriveType, folderType);
    platform::TVolumeInfo volume;
    ASSERT_TRUE(platform::GetVolumeInformation(Win(target), volume));
    EXPECT_EQ(volume.DriveType, folderType);
}
