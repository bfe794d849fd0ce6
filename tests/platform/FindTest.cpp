// SPDX-License-Identifier: MIT
// FindFirst/FindNext on a real directory: attribute filtering, wildcard dialect, order,
// return codes and symbolic links.
#include "platform/Find.h"

#include "PlatformTestSupport.h"
#include "platform/Files.h"
#include "platform/Volumes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <vector>

using namespace jxt::platform;
using jxt::test::TScopedEnv;
using jxt::test::WriteFile;

namespace {

class FindTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_dir = QDir(m_tmp.path()).canonicalPath();
        ASSERT_TRUE(WriteFile(m_dir + "/alpha.txt", "12345"));
        ASSERT_TRUE(WriteFile(m_dir + "/Beta.TXT", "x"));
        ASSERT_TRUE(WriteFile(m_dir + "/gamma", ""));
        ASSERT_TRUE(WriteFile(m_dir + "/.hidden", "h"));
        ASSERT_TRUE(WriteFile(m_dir + "/readonly.txt", "ro"));
        ASSERT_EQ(FileSetAttr(m_dir + "/readonly.txt", faReadOnly), 0);
        ASSERT_TRUE(QDir().mkdir(m_dir + "/Sub"));
        ASSERT_EQ(::symlink("Sub", QFile::encodeName(m_dir + "/link").constData()), 0);
        ASSERT_EQ(::symlink("nowhere", QFile::encodeName(m_dir + "/dangle").constData()), 0);
    }

    // Names returned by a whole search, or the error code of FindFirst as "#code".
    QStringList Names(const QString &pattern, int attr)
    {
        TSearchRec rec;
        int rc = FindFirst(pattern, attr, rec);
        if (rc != 0)
            return {QStringLiteral("#%1").arg(rc)};
        QStringList names;
        while (rc == 0) {
            names << rec.Name;
            rc = FindNext(rec);
        }
        EXPECT_EQ(rc, kErrorNoMoreFiles);
        FindClose(rec);
        return names;
    }

    TSearchRec Single(const QString &name)
    {
        TSearchRec rec;
        EXPECT_EQ(FindFirst(m_dir + "/" + name, faAnyFile, rec), 0) << name.toStdString();
        FindClose(rec);
        return rec;
    }

    QTemporaryDir m_tmp;
    QString m_dir;
};

TEST_F(FindTest, AttributeFilterAndOrder)
{
    // Normal files always match; "." and ".." come first, then case-insensitive order.
    EXPECT_EQ(Names(m_dir + "/*.*", 0),
              QStringList({"alpha.txt", "Beta.TXT", "dangle", "gamma", "readonly.txt"}));
    EXPECT_EQ(Names(m_dir + "/*.*", faDirectory),
              QStringList({".", "..", "alpha.txt", "Beta.TXT", "dangle", "gamma", "link",
                           "readonly.txt", "Sub"}));
    EXPECT_EQ(Names(m_dir + "/*", faHidden),
              QStringList({".hidden", "alpha.txt", "Beta.TXT", "dangle", "gamma", "readonly.txt"}));
    EXPECT_EQ(Names(m_dir + "\\*.*", faAnyFile).size(), 10);
    // Read-only and archive never filter.
    EXPECT_EQ(Names(m_dir + "/*.txt", faReadOnly),
              QStringList({"alpha.txt", "Beta.TXT", "readonly.txt"}));
}

TEST_F(FindTest, EntriesCarryMappedAttributes)
{
    const TSearchRec alpha = Single("ALPHA.TXT");
    EXPECT_EQ(alpha.Name, "alpha.txt");
    EXPECT_EQ(alpha.Attr, faArchive);
    EXPECT_EQ(alpha.Size, 5);
    EXPECT_FALSE(alpha.IsSymLink);
    EXPECT_EQ(alpha.HostPath, m_dir + "/alpha.txt");

    EXPECT_EQ(Single("readonly.txt").Attr, faArchive | faReadOnly);
    EXPECT_EQ(Single(".hidden").Attr, faArchive | faHidden);
    EXPECT_EQ(Single("Sub").Attr, faDirectory);
    EXPECT_EQ(Single("Sub").Size, 0);
    EXPECT_FALSE(Single("Sub").IsSymLink);

    const TSearchRec link = Single("link");
    EXPECT_EQ(link.Attr, faDirectory);
    EXPECT_TRUE(link.IsSymLink);
    const TSearchRec dangle = Single("dangle");
    EXPECT_EQ(dangle.Attr, faArchive);
    EXPECT_TRUE(dangle.IsSymLink);

    const QDateTime when(QDate(2001, 2, 3), QTime(4, 5, 6));
    ASSERT_TRUE(FileSetDate(m_dir + "/gamma", when));
    EXPECT_EQ(Single("gamma").Time, when);
}

// Each time stamp carries the offset from UTC that applies at its instant, also on both sides
// of a change of offset and around one that falls inside a quarter hour (a zone written as a
// rule, changing at 2:07), whichever times were read before.
TEST_F(FindTest, TimesCarryTheirOwnOffsetAcrossZoneChanges)
{
    for (const char *zone : {"Europe/Berlin", "XST-1XDT,M3.5.0/2:07,M10.5.0/3"}) {
        SCOPED_TRACE(zone);
        TScopedEnv tz("TZ", zone);
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        // 2021-03-28 01:00:00 UTC: Berlin moves from +1 to +2 hours; the rule zone moves at
        // 01:07 UTC. Times before, after and far from the changes, in an order that reads
        // both sides of each quarter hour.
        const time_t change = 1616893200;
        const std::vector<time_t> times = {
            change - 1,   change,       change + 419,        change + 420,
            change + 899, change - 900, change + 30 * 86400, change - 90 * 86400,
            1000000000};
        for (size_t i = 0; i < times.size(); ++i) {
            const QString path = tmp.path() + QStringLiteral("/t%1").arg(i, 2, 10, QChar('0'));
            ASSERT_TRUE(WriteFile(path, "x"));
            const struct timespec stamps[2] = {{times[i], 0}, {times[i], 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), stamps, 0), 0);
        }
        ::tzset();
        TSearchRec rec;
        int rc = FindFirst(tmp.path() + "/t*", faAnyFile, rec);
        size_t seen = 0;
        for (; rc == 0; rc = FindNext(rec), ++seen) {
            const time_t t = times[size_t(rec.Name.mid(1).toInt())];
            struct tm parts;
            ASSERT_NE(::localtime_r(&t, &parts), nullptr);
            EXPECT_EQ(rec.Time.toSecsSinceEpoch(), qint64(t)) << rec.Name.toStdString();
            EXPECT_EQ(rec.Time.offsetFromUtc(), int(parts.tm_gmtoff)) << rec.Name.toStdString();
        }
        FindClose(rec);
        EXPECT_EQ(seen, times.size());
    }
    ::tzset();
}

TEST_F(FindTest, ResultCodes)
{
    TSearchRec rec;
    EXPECT_EQ(FindFirst(m_dir + "/missing/*.*", faAnyFile, rec), kErrorPathNotFound);
    EXPECT_EQ(FindFirst(m_dir + "/alpha.txt/*", faAnyFile, rec), kErrorPathNotFound);
    EXPECT_EQ(FindFirst(m_dir + "/*.doc", faAnyFile, rec), kErrorFileNotFound);
    EXPECT_EQ(FindFirst(m_dir + "/", faAnyFile, rec), kErrorFileNotFound);
    // A name that exists but is filtered out.
    EXPECT_EQ(FindFirst(m_dir + "/Sub", 0, rec), kErrorNoMoreFiles);
    EXPECT_EQ(FindFirst(m_dir + "/sub", faDirectory, rec), 0);
    EXPECT_EQ(rec.Name, "Sub");
    EXPECT_EQ(FindNext(rec), kErrorNoMoreFiles);
    EXPECT_EQ(FindNext(rec), kErrorNoMoreFiles);
    FindClose(rec);
    FindClose(rec);
    EXPECT_EQ(FindNext(rec), kErrorNoMoreFiles);
}

TEST_F(FindTest, DriveRootsHaveNoDotEntries)
{
    EXPECT_FALSE(Names("C:\\*", faDirectory).contains("."));
    EXPECT_FALSE(Names("/*", faDirectory).contains(".."));
    TScopedEnv env("JXT_DRIVES", QFile::encodeName("T=" + m_dir));
    EXPECT_EQ(Names("T:\\*.*", faDirectory).mid(0, 2), QStringList({"alpha.txt", "Beta.TXT"}));
    EXPECT_EQ(Names("t:\\sub\\*.*", faDirectory), QStringList({".", ".."}));
    // The relative form searches the current directory.
    jxt::test::TScopedCurrentDir cwd(m_dir + "/Sub");
    EXPECT_EQ(Names("*.*", faDirectory), QStringList({".", ".."}));
    EXPECT_EQ(Names("..\\a*", 0), QStringList({"alpha.txt"}));
}

TEST_F(FindTest, VolumeIdAloneGivesTheLabel)
{
    const QString label = GetVolumeLabel(m_dir);
    TSearchRec rec;
    const int rc = FindFirst(m_dir + "/*.*", faVolumeID, rec);
    if (label.isEmpty()) {
        EXPECT_EQ(rc, kErrorFileNotFound);
    } else {
        ASSERT_EQ(rc, 0);
        EXPECT_EQ(rec.Name, label);
        EXPECT_EQ(rec.Attr, faVolumeID);
        EXPECT_EQ(FindNext(rec), kErrorNoMoreFiles);
    }
    // With other bits the label is not listed, only the entries.
    EXPECT_EQ(Names(m_dir + "/alpha.*", faVolumeID | faDirectory), QStringList({"alpha.txt"}));
}

struct TMaskCase
{
    const char *name;
    const char *mask;
    bool matches;
};

class FileMaskTest : public ::testing::TestWithParam<TMaskCase>
{
};

TEST_P(FileMaskTest, Matches)
{
    const TMaskCase &c = GetParam();
    EXPECT_EQ(MatchesFileMask(c.name, c.mask), c.matches) << c.name << " vs " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(
    Find, FileMaskTest,
    ::testing::Values(TMaskCase{"README", "*.*", true}, TMaskCase{"README", "*", true},
                      TMaskCase{"a.b.c", "*.*", true}, TMaskCase{"x", "x.*", true},
                      TMaskCase{"x.txt", "x.*", true}, TMaskCase{"x.tar.gz", "x.*", true},
                      TMaskCase{"xy", "x.*", false}, TMaskCase{"abc", "*.", true},
                      TMaskCase{"a.b", "*.", false}, TMaskCase{"x", "x.", true},
                      TMaskCase{"ABC.TXT", "a?c.txt", true}, TMaskCase{"ac.txt", "a?c.txt", false},
                      TMaskCase{"ab.txt", "ab?.txt", true}, TMaskCase{"ab", "ab??", true},
                      TMaskCase{"a.b", "a?b", false}, TMaskCase{"Straße.TXT", "STRASSE.txt", false},
                      TMaskCase{"ÄRGER.txt", "ärger.*", true},
                      TMaskCase{"a.txt.bak", "*.txt", false}, TMaskCase{"file.TXT", "*.txt", true},
                      TMaskCase{"abcabd", "*abd", true}, TMaskCase{"abcab", "*abd", false},
                      TMaskCase{"", "*.txt", false}));

} // namespace
