// SPDX-License-Identifier: MIT
// TIniFile on real files: the reading rules, writing that keeps the rest of the file, the
// encodings and line endings, names that cannot be stored, and failing writes.
#include "host/files/IniFiles.h"

#include "ChildProcess.h"
#include "host/core/Strings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

using namespace jxt;

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_savedWinDir = qgetenv("JXT_WINDIR");
        qputenv("JXT_WINDIR", Path("windows").toLocal8Bit());
    }
    void TearDown() override
    {
        if (m_savedWinDir.isEmpty())
            qunsetenv("JXT_WINDIR");
        else
            qputenv("JXT_WINDIR", m_savedWinDir);
    }

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    QString Write(const QString &name, const QByteArray &bytes) const
    {
        const QString path = Path(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    static std::string Read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    QTemporaryDir m_dir;
    QByteArray m_savedWinDir;
};

QStringList Lines(const TStrings &list)
{
    return list.ToStringList();
}

} // namespace

TEST_F(IniFileTest, NamesCompareIgnoringCaseAndBlanks)
{
    const QString path =
        Write("a.ini", "[Main]\r\n  Width  =  640  \r\nHEIGHT=480\r\n[ Other Section ]\r\nx=1\r\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("main", "width", "?"), "640");
    EXPECT_EQ(ini.ReadString("MAIN", " Height ", "?"), "480");
    EXPECT_EQ(ini.ReadString("other section", "X", "?"), "1");
    EXPECT_TRUE(ini.SectionExists("OTHER SECTION"));
    EXPECT_TRUE(ini.ValueExists("Main", "WIDTH"));
    EXPECT_FALSE(ini.ValueExists("Main", "Depth"));
    EXPECT_FALSE(ini.ValueExists("Other Section", "Width"));
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault)
{
    TIniFile missing(Path("none.ini"));
    EXPECT_EQ(missing.ReadString("S", "K", "def"), "def");
    EXPECT_EQ(missing.ReadInteger("S", "K", 7), 7);
    EXPECT_TRUE(missing.ReadBool("S", "K", true));
    EXPECT_FALSE(missing.SectionExists("S"));
    EXPECT_FALSE(QFile::exists(Path("none.ini"))) << "reading must not create the file";

    TIniFile ini(Write("a.ini", "[S]\nK=v\n"));
    EXPECT_EQ(ini.ReadString("T", "K", "def"), "def");
    EXPECT_EQ(ini.ReadString("S", "L", "def"), "def");
}

TEST_F(IniFileTest, CommentsStrayLinesAndEntriesBeforeAnySectionAreNotKeys)
{
    TIniFile ini(Write("a.ini", "top=1\n[S]\n;k=commented\n  ; j=also\nno equals sign\nk=real\n"));
    EXPECT_EQ(ini.ReadString("S", "k", "?"), "real");
    EXPECT_EQ(ini.ReadString("S", ";k", "?"), "?");
    EXPECT_EQ(ini.ReadString("S", "no equals sign", "?"), "?");
    EXPECT_EQ(ini.ReadString("", "top", "?"), "?");
    TStringList keys;
    ini.ReadSection("S", &keys);
    EXPECT_EQ(Lines(keys), QStringList{"k"});
}

TEST_F(IniFileTest, OnePairOfMatchingQuotesIsRemoved)
{
    TIniFile ini(Write("q.ini", "[Q]\n"
                                "a=\"quoted\"\n"
                                "b='single'\n"
                                "c=\"mixed'\n"
                                "d=\"\"twice\"\"\n"
                                "e=\"\n"
                                "f= \" padded \" \n"
                                "g=\"\"\n"));
    EXPECT_EQ(ini.ReadString("Q", "a", "?"), "quoted");
    EXPECT_EQ(ini.ReadString("Q", "b", "?"), "single");
    EXPECT_EQ(ini.ReadString("Q", "c", "?"), "\"mixed'");
    EXPECT_EQ(ini.ReadString("Q", "d", "?"), "\"twice\"");
    EXPECT_EQ(ini.ReadString("Q", "e", "?"), "\"");
    EXPECT_EQ(ini.ReadString("Q", "f", "?"), " padded ");
    EXPECT_EQ(ini.ReadString("Q", "g", "?"), "");
}

TEST_F(IniFileTest, FirstOfDuplicateSectionsAndKeysCounts)
{
    TIniFile ini(Write("d.ini", "[S]\nk=1\nk=2\n[T]\n[s]\nk=3\nonly=4\n"));
    EXPECT_EQ(ini.ReadString("S", "k", "?"), "1");
    EXPECT_EQ(ini.ReadString("S", "only", "?"), "?");
    TStringList sections;
    ini.ReadSections(&sections);
    EXPECT_EQ(Lines(sections), (QStringList{"S", "T"}));
}

TEST_F(IniFileTest, IntegersAndBooleans)
{
    TIniFile ini(Write("n.ini", "[N]\ndec=42\nneg=-17\nplus=+5\nhex=$1F\nhex2=0x10\nall=$FFFFFFFF\n"
                                "text=12abc\nempty=\nbig=2147483648\nlow=-2147483648\n"
                                "zero=0\ntwo=2\nminus=-1\nyes=yes\n"));
    EXPECT_EQ(ini.ReadInteger("N", "dec", 0), 42);
    EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -17);
    EXPECT_EQ(ini.ReadInteger("N", "plus", 0), 5);
    EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "hex2", 0), 16);
    EXPECT_EQ(ini.ReadInteger("N", "all", 0), -1);
    EXPECT_EQ(ini.ReadInteger("N", "text", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "empty", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "big", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "low", 9), -2147483647 - 1);

    EXPECT_FALSE(ini.ReadBool("N", "zero", true));
    EXPECT_TRUE(ini.ReadBool("N", "two", false));
    EXPECT_TRUE(ini.ReadBool("N", "minus", false));
    EXPECT_TRUE(ini.ReadBool("N", "yes", true));
    EXPECT_FALSE(ini.ReadBool("N", "yes", false));
    EXPECT_FALSE(ini.ReadBool("N", "missing", false));

    ini.WriteInteger("W", "i", -123);
    ini.WriteBool("W", "t", true);
    ini.WriteBool("W", "f", false);
    const std::string text = Read(ini.FilePath());
    // A new section follows the last line directly, without a blank line.
    const std::string tail = "\n[W]\ni=-123\nt=1\nf=0\n";
    EXPECT_EQ(text.substr(text.size() - std::min(text.size(), tail.size())), tail);
    EXPECT_EQ(text.find("\n\n[W]"), std::string::npos);
}

TEST_F(IniFileTest, ListsAreClearedAndFilled)
{
    TIniFile ini(Write("l.ini", "[A]\nx = 1\ny=\"two\"\n\n[B]\n"));
    TStringList list;
    list.Add("stale");
    ini.ReadSections(&list);
    EXPECT_EQ(Lines(list), (QStringList{"A", "B"}));
    list.Add("stale");
    ini.ReadSection("A", &list);
    EXPECT_EQ(Lines(list), (QStringList{"x", "y"}));
    ini.ReadSectionValues("A", &list);
    EXPECT_EQ(Lines(list), (QStringList{"x=1", "y=two"}));
    ini.ReadSectionValues("missing", &list);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(IniFileTest, WriteCreatesFileAndSectionWithCrLf)
{
    TIniFile ini(Path("new.ini"));
    ini.WriteString("First", "a", "1");
    ini.WriteString("Second", "b", "2");
    ini.WriteString("first", "c", "3");
    EXPECT_EQ(Read(Path("new.ini")), "[First]\r\na=1\r\nc=3\r\n[Second]\r\nb=2\r\n");
}

TEST_F(IniFileTest, WriteKeepsCommentsOrderAndSpelling)
{
    const QByteArray original = "; settings\n"
                                "[View]\n"
                                "Zoom = 100   ; percent\n"
                                "; grid\n"
                                "Grid=1\n"
                                "\n"
                                "; next\n"
                                "[Files]\n"
                                "Last=a.txt\n";
    TIniFile ini(Write("c.ini", original));
    ini.WriteString("VIEW", "ZOOM", "200");
    ini.WriteString("view", "Snap", "0");
    ini.WriteString("Files", "Count", "1");
    EXPECT_EQ(Read(ini.FilePath()), "; settings\n"
                                    "[View]\n"
                                    "Zoom=200\n"
                                    "; grid\n"
                                    "Grid=1\n"
                                    "Snap=0\n"
                                    "\n"
                                    "; next\n"
                                    "[Files]\n"
                                    "Last=a.txt\n"
                                    "Count=1\n");
    // Writing a value that is already there leaves the file as it is.
    const std::string before = Read(ini.FilePath());
    ini.WriteString("Files", "Last", "a.txt");
    EXPECT_EQ(Read(ini.FilePath()), before);
}

TEST_F(IniFileTest, LineEndingsAreReadInAnyFormAndKept)
{
    struct Case
    {
        const char *name;
        QByteArray text;
        std::string expected;
    };
    const Case cases[] = {
        {"crlf", "[S]\r\na=1\r\nb=2", "[S]\r\na=1\r\nb=2\r\nc=3\r\n"},
        {"lf", "[S]\na=1\nb=2\n", "[S]\na=1\nb=2\nc=3\n"},
        {"cr", "[S]\ra=1\rb=2\r", "[S]\ra=1\rb=2\rc=3\r"},
        {"mixed", "[S]\na=1\r\nb=2\r", "[S]\na=1\nb=2\nc=3\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TIniFile ini(Write(QString::fromLatin1(c.name) + ".ini", c.text));
        EXPECT_EQ(ini.ReadString("S", "a", "?"), "1");
        EXPECT_EQ(ini.ReadString("S", "b", "?"), "2");
        ini.WriteString("S", "c", "3");
        EXPECT_EQ(Read(ini.FilePath()), c.expected);
    }
}

TEST_F(IniFileTest, EncodingAndByteOrderMarkAreKept)
{
    TIniFile bom(Write("bom.ini", "\xEF\xBB\xBF[Stadt]\r\nName=K\xC3\xB6ln\r\n"));
    EXPECT_EQ(bom.ReadString("Stadt", "Name", "?"), QString::fromUtf8("Köln"));
    EXPECT_TRUE(bom.SectionExists("Stadt")) << "the mark is not part of the first line";
    bom.WriteString("Stadt", "Fluss", QString::fromUtf8("Rhein ✓"));
    EXPECT_EQ(Read(bom.FilePath()),
              "\xEF\xBB\xBF[Stadt]\r\nName=K\xC3\xB6ln\r\nFluss=Rhein \xE2\x9C\x93\r\n");

    TIniFile latin(Write("latin.ini", "[S]\nName=M\xFCller\n"));
    EXPECT_EQ(latin.ReadString("S", "Name", "?"), QString::fromUtf8("Müller"));
    latin.WriteString("S", "City", QString::fromUtf8("Gießen"));
    EXPECT_EQ(Read(latin.FilePath()), "[S]\nName=M\xFCller\nCity=Gie\xDF"
                                      "en\n");
    // A character Latin-1 cannot hold turns the whole file into UTF-8, with nothing lost.
    latin.WriteString("S", "Sign", QString::fromUtf8("€"));
    EXPECT_EQ(Read(latin.FilePath()), "[S]\nName=M\xC3\xBCller\nCity=Gie\xC3\x9F"
                                      "en\nSign=\xE2\x82\xAC\n");
    TIniFile again(latin.FilePath());
    EXPECT_EQ(again.ReadString("S", "Name", "?"), QString::fromUtf8("Müller"));

    // Replacing the one byte that made a file Latin-1 must not make the rest read differently.
    TIniFile stray(Write("stray.ini", "[S]\nName=K\xC3\xB6ln\nBad=\xFF\n"));
    const QString name = stray.ReadString("S", "Name", "?");
    EXPECT_EQ(name, QString::fromLatin1("K\xC3\xB6ln"));
    stray.WriteString("S", "Bad", "ok");
    EXPECT_EQ(TIniFile(stray.FilePath()).ReadString("S", "Name", "?"), name);
}

TEST_F(IniFileTest, VeryLongLinesAndManyKeys)
{
    const QString longValue(1 << 20, QLatin1Char('x'));
    TIniFile ini(Path("long.ini"));
    ini.WriteString("S", "long", longValue);
    ini.WriteString("S", "after", "1");
    TIniFile other(ini.FilePath());
    EXPECT_EQ(other.ReadString("S", "long", ""), longValue);
    EXPECT_EQ(other.ReadString("S", "after", ""), "1");

    QByteArray many = "[Big]\n";
    for (int i = 0; i < 10000; ++i)
        many += "Key" + QByteArray::number(i) + "=" + QByteArray::number(i * 3) + "\n";
    TIniFile big(Write("many.ini", many));
    EXPECT_EQ(big.ReadInteger("Big", "key9999", -1), 29997);
    EXPECT_EQ(big.ReadInteger("Big", "KEY0", -1), 0);
}

TEST_F(IniFileTest, EraseSectionAndDeleteKey)
{
    TIniFile ini(
        Write("e.ini", "[Keep]\na=1\n\n[Drop]\n; its comment\nb=2\n\n[Keep2]\nc=3\n[drop]\nd=4\n"));
    ini.EraseSection("DROP");
    EXPECT_FALSE(ini.SectionExists("Drop")) << "a second section of the same name must go too";
    EXPECT_EQ(Read(ini.FilePath()), "[Keep]\na=1\n\n[Keep2]\nc=3\n");

    ini.WriteString("Keep", "a2", "x");
    ini.DeleteKey("keep", "A");
    EXPECT_FALSE(ini.ValueExists("Keep", "a"));
    EXPECT_EQ(ini.ReadString("Keep", "a2", "?"), "x");

    // Erasing what does not exist does not create the file.
    TIniFile none(Path("none.ini"));
    none.EraseSection("S");
    none.DeleteKey("S", "k");
    EXPECT_FALSE(QFile::exists(none.FilePath()));
}

TEST_F(IniFileTest, NamesThatCannotBeStoredAreRefused)
{
    const QByteArray original = "[S]\nk=1\n";
    TIniFile ini(Write("r.ini", original));
    const QString badKeys[] = {"a=b", "a\nb=c", "a\rb", ";hidden", "[T]"};
    for (const QString &key : badKeys) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_THROW(ini.WriteString("S", key, "v"), EInOutError);
    }
    const QString badSections[] = {"T]x", "T\n[U", "T\r"};
    for (const QString &section : badSections) {
        SCOPED_TRACE(section.toStdString());
        EXPECT_THROW(ini.WriteString(section, "k", "v"), EInOutError);
    }
    EXPECT_EQ(Read(ini.FilePath()), original.toStdString());
    try {
        ini.WriteString("S", "a=b", "v");
    } catch (const EInOutError &e) {
        EXPECT_TRUE(e.Message().startsWith("Unable to write to " + ini.FileName()));
    }
}

TEST_F(IniFileTest, ValuesRoundTripWithoutCreatingLines)
{
    TIniFile ini(Path("v.ini"));
    ini.WriteString("S", "multi", "one\r\ntwo\nthree=3\r[X]");
    ini.WriteString("S", "padded", "  blanks  ");
    ini.WriteString("S", "quoted", "\"q\"");
    ini.WriteString("S", "single", "'s'");
    ini.WriteString("S", "equals", "a=b=c");
    ini.WriteString("S", "empty", "");

    TIniFile reread(ini.FilePath());
    EXPECT_EQ(reread.ReadString("S", "multi", "?"), "one  two three=3 [X]");
    EXPECT_EQ(reread.ReadString("S", "padded", "?"), "  blanks  ");
    EXPECT_EQ(reread.ReadString("S", "quoted", "?"), "\"q\"");
    EXPECT_EQ(reread.ReadString("S", "single", "?"), "'s'");
    EXPECT_EQ(reread.ReadString("S", "equals", "?"), "a=b=c");
    EXPECT_EQ(reread.ReadString("S", "empty", "?"), "");
    TStringList keys;
    reread.ReadSection("S", &keys);
    EXPECT_EQ(Lines(keys), (QStringList{"multi", "padded", "quoted", "single", "equals", "empty"}));
    TStringList sections;
    reread.ReadSections(&sections);
    EXPECT_EQ(Lines(sections), QStringList{"S"});
}

TEST_F(IniFileTest, NameWithoutDirectoryIsInTheWindowsDirectory)
{
    TIniFile ini("app.ini");
    ini.WriteString("S", "k", "v");
    EXPECT_EQ(ini.FileName(), "app.ini");
    EXPECT_EQ(QFileInfo(ini.FilePath()).absoluteFilePath(),
              QFileInfo(Path("windows/app.ini")).absoluteFilePath());
    EXPECT_EQ(Read(Path("windows/app.ini")), "[S]\r\nk=v\r\n");
}

TEST_F(IniFileTest, WindowsPathsNameHostFiles)
{
    const QString path = Write("w.ini", "[S]\nk=found\n");
    QString windowsName = QStringLiteral("C:") + path;
    windowsName.replace('/', '\\');
    TIniFile ini(windowsName);
    EXPECT_EQ(ini.ReadString("S", "k", "?"), "found");
    EXPECT_EQ(ini.FileName(), windowsName);
}

TEST_F(IniFileTest, ChangesByOthersAreSeen)
{
    const QString path = Write("o.ini", "[S]\nk=1\n");
    TIniFile first(path);
    TIniFile second(path);
    EXPECT_EQ(first.ReadString("S", "k", "?"), "1");
    EXPECT_EQ(second.ReadString("S", "k", "?"), "1");
    second.WriteString("S", "k", "2");
    EXPECT_EQ(first.ReadString("S", "k", "?"), "2");
    // Rewritten in place quickly with the same size: file systems keep coarse times, so the
    // time stamp often does not move between two of these writes.
    for (int i = 0; i < 50; ++i) {
        const QByteArray digit = QByteArray::number(i % 10);
        Write("o.ini", "[S]\nk=" + digit + "\n");
        ASSERT_EQ(first.ReadString("S", "k", "?"), QString::fromLatin1(digit)) << "round " << i;
        ASSERT_EQ(TIniFile(path).ReadString("S", "k", "?"), QString::fromLatin1(digit))
            << "round " << i;
    }
    // Writes start from the file as it is now, not from a stale copy.
    Write("o.ini", "[S]\nk=3\nother=4\n");
    first.WriteString("S", "new", "5");
    EXPECT_EQ(Read(path), "[S]\nk=3\nother=4\nnew=5\n");
}

TEST_F(IniFileTest, WriteReplacesTheFileInOneStep)
{
    const QString path = Write("atomic.ini", "[S]\nk=1\n");
    struct stat before;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    TIniFile ini(path);
    ini.WriteString("S", "k", "2");
    struct stat after;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino)
        << "the new text goes to a new file that replaces the old";
    EXPECT_EQ(after.st_mode & 0777, 0640u) << "permissions are kept";
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"atomic.ini"})
        << "no temporary file left";

    // Through a symbolic link the target is replaced and the link stays.
    ASSERT_TRUE(QFile::link(path, Path("link.ini")));
    TIniFile viaLink(Path("link.ini"));
    viaLink.WriteString("S", "k", "3");
    EXPECT_TRUE(QFileInfo(Path("link.ini")).isSymLink());
    EXPECT_EQ(Read(path), "[S]\nk=3\n");
}

TEST_F(IniFileTest, FailedWritesThrowAndKeepTheFile)
{
    TIniFile noDir(Path("missing/dir/a.ini"));
    EXPECT_THROW(noDir.WriteString("S", "k", "v"), EInOutError);
    EXPECT_FALSE(QFileInfo::exists(Path("missing"))) << "directories are not created";

    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder.ini"));
    TIniFile folder(Path("folder.ini"));
    EXPECT_EQ(folder.ReadString("S", "k", "def"), "def");
    EXPECT_THROW(folder.WriteString("S", "k", "v"), EInOutError);
    EXPECT_TRUE(QFileInfo(Path("folder.ini")).isDir());
}

TEST_F(IniFileTest, FilesWithoutPermissionsAreNotReplaced)
{
    // Permissions do not stop the superuser: the checks run as an ordinary user.
    EXPECT_EQ(jxt::test::RunChecksAsUnprivileged(
                  {m_dir.path()},
                  [&] {
                      const QByteArray original = "[S]\nk=1\n";
                      // A file that cannot be read must not be replaced by one holding only the
                      // new key.
                      const QString secret = Write("secret.ini", original);
                      ASSERT_EQ(::chmod(QFile::encodeName(secret).constData(), 0200), 0);
                      TIniFile unreadable(secret);
                      EXPECT_EQ(unreadable.ReadString("S", "k", "def"), "def");
                      EXPECT_THROW(unreadable.WriteString("S", "x", "v"), EInOutError);
                      ASSERT_EQ(::chmod(QFile::encodeName(secret).constData(), 0600), 0);
                      EXPECT_EQ(Read(secret), original.toStdString());

                      // In a directory that cannot take a new file the old one stays as it was.
                      ASSERT_TRUE(QDir(m_dir.path()).mkdir("locked"));
                      const QString locked = Write("locked/a.ini", original);
                      ASSERT_EQ(::chmod(QFile::encodeName(Path("locked")).constData(), 0500), 0);
                      TIniFile inLocked(locked);
                      EXPECT_THROW(inLocked.WriteString("S", "k", "2"), EInOutError);
                      ASSERT_EQ(::chmod(QFile::encodeName(Path("locked")).constData(), 0700), 0);
                      EXPECT_EQ(Read(locked), original.toStdString());
                      EXPECT_EQ(inLocked.ReadString("S", "k", "?"), "1");
                  }),
              0);
}
