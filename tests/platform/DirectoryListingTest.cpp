// SPDX-License-Identifier: MIT
// ListDirectory against FindFirst on the same directory: the same entries in the same order
// with the same facts, whether the file system records entry types or not.
#include "platform/Find.h"

#include "PlatformTestSupport.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

using namespace jxt::platform;
using jxt::test::WriteFile;

namespace {

struct TFound
{
    QString Name;
    int Attr;
    qint64 Size;
    bool IsSymLink;
};

class DirectoryListingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_dir = QDir(m_tmp.path()).canonicalPath();
        // Names whose order needs the case fold (zebra/Zebra/ZEBRA, b/B_), names beyond ASCII
        // on both sides of ASCII ones, names alike in their first eight characters or shorter
        // (the listing sorts on those first), and every kind of entry.
        for (const char *name :
             {"zebra",        "Zebra.txt",    "ZEBRA.doc", "b",       "B_",       "a_b",
              "A.B",          "AB",           "Ärger.txt", "ärger",   "éclair",   "Eclair",
              "x\xc3\x9f",    "XSS",          "file10",    "File9",   "~tilde",   "[bracket]",
              "prefix12345b", "PREFIX12345a", "prefix12",  "Prefix1", "prefix12ä"})
            ASSERT_TRUE(WriteFile(m_dir + "/" + QString::fromUtf8(name), "12345"));
        ASSERT_TRUE(WriteFile(m_dir + "/.hidden", "h"));
        ASSERT_TRUE(WriteFile(m_dir + "/readonly.txt", "ro"));
        ASSERT_EQ(FileSetAttr(m_dir + "/readonly.txt", faReadOnly), 0);
        ASSERT_TRUE(QDir().mkdir(m_dir + "/Sub"));
        ASSERT_TRUE(QDir().mkdir(m_dir + "/.git"));
        ASSERT_EQ(::symlink("Sub", QFile::encodeName(m_dir + "/dirlink").constData()), 0);
        ASSERT_EQ(::symlink("Sub", QFile::encodeName(m_dir + "/.hiddenlink").constData()), 0);
        ASSERT_EQ(::symlink("zebra", QFile::encodeName(m_dir + "/filelink").constData()), 0);
        ASSERT_EQ(::symlink("nowhere", QFile::encodeName(m_dir + "/.dangle").constData()), 0);
        ASSERT_EQ(::mkfifo(QFile::encodeName(m_dir + "/pipe").constData(), 0644), 0);
    }

    std::vector<TFound> ByFindFirst()
    {
        std::vector<TFound> found;
        TSearchRec rec;
        int rc = FindFirst(m_dir + "/*.*", faAnyFile, rec);
        while (rc == 0) {
            if (rec.Name != QLatin1String(".") && rec.Name != QLatin1String(".."))
                found.push_back({rec.Name, rec.Attr, rec.Size, rec.IsSymLink});
            rc = FindNext(rec);
        }
        FindClose(rec);
        return found;
    }

    std::vector<TDirEntry> Listed(TListDetail detail, bool trustTypes)
    {
        std::vector<TDirEntry> entries;
        EXPECT_TRUE(ListDirectory(QFile::encodeName(m_dir), detail, entries, trustTypes));
        return entries;
    }

    QTemporaryDir m_tmp;
    QString m_dir;
};

TEST_F(DirectoryListingTest, AgreesWithFindFirstWithAndWithoutRecordedTypes)
{
    const std::vector<TFound> reference = ByFindFirst();
    ASSERT_EQ(reference.size(), 32u);
    for (const bool trustTypes : {true, false}) {
        for (const TListDetail detail : {TListDetail::Kinds, TListDetail::Full}) {
            SCOPED_TRACE(::testing::Message() << "trustTypes " << trustTypes << ", detail "
                                              << (detail == TListDetail::Full ? "Full" : "Kinds"));
            const std::vector<TDirEntry> listed = Listed(detail, trustTypes);
            ASSERT_EQ(listed.size(), reference.size());
            for (size_t i = 0; i < listed.size(); ++i) {
                const TFound &want = reference[i];
                const TDirEntry &got = listed[i];
                SCOPED_TRACE(want.Name.toStdString());
                EXPECT_EQ(got.Name, want.Name);
                EXPECT_EQ(got.IsSymLink, want.IsSymLink);
                if (detail == TListDetail::Full) {
                    EXPECT_EQ(got.Attr, want.Attr);
                    EXPECT_EQ(got.Size, want.Size);
                } else {
                    EXPECT_EQ(got.Attr, want.Attr & ~faReadOnly);
                    EXPECT_EQ(got.Size, 0);
                }
                // Only real directories carry the name to descend by.
                const bool descend = (want.Attr & faDirectory) && !want.IsSymLink;
                EXPECT_EQ(got.NativeName, descend ? QFile::encodeName(want.Name) : QByteArray());
            }
        }
    }
}

TEST_F(DirectoryListingTest, KindsOfEntries)
{
    const std::vector<TDirEntry> listed = Listed(TListDetail::Kinds, true);
    const auto attrOf = [&](const char *name) {
        for (const TDirEntry &e : listed) {
            if (e.Name == QString::fromUtf8(name))
                return e.Attr;
        }
        return -1;
    };
    EXPECT_EQ(attrOf("Sub"), faDirectory);
    EXPECT_EQ(attrOf(".git"), faDirectory | faHidden);
    EXPECT_EQ(attrOf("dirlink"), faDirectory);
    EXPECT_EQ(attrOf(".hiddenlink"), faDirectory | faHidden);
    EXPECT_EQ(attrOf("filelink"), faArchive);
    EXPECT_EQ(attrOf(".dangle"), faArchive | faHidden);
    EXPECT_EQ(attrOf("pipe"), faSysFile);
    EXPECT_EQ(attrOf("readonly.txt"), faArchive);
    EXPECT_EQ(attrOf(".hidden"), faArchive | faHidden);
}

// Only real directories, hidden ones included, in the order of the whole listing; links to
// directories are left out whether the type comes from the directory or from a stat.
TEST_F(DirectoryListingTest, DirectoriesOnly)
{
    ASSERT_TRUE(QDir().mkdir(m_dir + "/alpha"));
    for (const bool trustTypes : {true, false}) {
        SCOPED_TRACE(trustTypes ? "recorded types" : "stat");
        QStringList names;
        for (const TDirEntry &e : Listed(TListDetail::Directories, trustTypes)) {
            EXPECT_EQ(e.Attr & faDirectory, faDirectory);
            EXPECT_FALSE(e.IsSymLink);
            EXPECT_EQ(e.NativeName, QFile::encodeName(e.Name));
            names << e.Name;
        }
        EXPECT_EQ(names, (QStringList{".git", "alpha", "Sub"}));
    }
}

// The order is QString's case-insensitive order with ties in binary order, computed here
// independently of the listing's own comparison.
TEST_F(DirectoryListingTest, CaseInsensitiveOrderWithBinaryTies)
{
    const std::vector<TDirEntry> listed = Listed(TListDetail::Kinds, true);
    const bool sorted =
        std::is_sorted(listed.begin(), listed.end(), [](const TDirEntry &a, const TDirEntry &b) {
            const int c = a.Name.compare(b.Name, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a.Name < b.Name;
        });
    EXPECT_TRUE(sorted);
    QStringList names;
    for (const TDirEntry &e : listed)
        names << e.Name;
    EXPECT_LT(names.indexOf("ZEBRA.doc"), names.indexOf("Zebra.txt"));
    EXPECT_LT(names.indexOf("zebra"), names.indexOf("ZEBRA.doc"));
    EXPECT_LT(names.indexOf("A.B"), names.indexOf("a_b"));
    EXPECT_LT(names.indexOf("b"), names.indexOf("B_"));
    EXPECT_LT(names.indexOf("file10"), names.indexOf("File9"));
}

TEST_F(DirectoryListingTest, MissingOrPlainFileIsNoDirectory)
{
    std::vector<TDirEntry> entries{TDirEntry{}};
    EXPECT_FALSE(ListDirectory(QFile::encodeName(m_dir + "/none"), TListDetail::Kinds, entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(ListDirectory(QFile::encodeName(m_dir + "/zebra"), TListDetail::Full, entries));
    EXPECT_TRUE(entries.empty());
    // A link to a directory lists that directory.
    ASSERT_TRUE(WriteFile(m_dir + "/Sub/inner", "i"));
    EXPECT_TRUE(ListDirectory(QFile::encodeName(m_dir + "/dirlink"), TListDetail::Kinds, entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, QStringLiteral("inner"));
}

} // namespace
