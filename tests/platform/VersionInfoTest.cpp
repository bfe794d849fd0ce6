// SPDX-License-Identifier: MIT
// Version resources built here block by block, damaged ones, and the launcher programs of a
// Debian package (scripts/install-deps.sh installs it).
#include "platform/VersionInfo.h"

#include "platform/Icons.h"
#include "platform/VersionBuilders.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

using namespace jxt::platform;

namespace {

using namespace jxt::test::version;

const QString kLauncher = QStringLiteral("/usr/lib/python3/dist-packages/distlib/w64.exe");

} // namespace

TEST(VersionResource, FindsTextsByPathIgnoringCase)
{
    const QByteArray res =
        Resource({Text(QStringLiteral("CompanyName"), QStringLiteral("Müller & Söhne")),
                  Text(QStringLiteral("OriginalFilename"), QStringLiteral("a.exe")),
                  Text(QStringLiteral("Empty"), QString())});
    const auto company =
        VersionQueryValue(res, QStringLiteral("\\StringFileInfo\\040704E4\\CompanyName"));
    ASSERT_TRUE(company.Found);
    EXPECT_TRUE(company.IsText);
    EXPECT_EQ(company.Text(), QStringLiteral("Müller & Söhne"));
    EXPECT_EQ(VersionQueryValue(res, QStringLiteral("\\stringfileinfo\\040704e4\\ORIGINALFILENAME"))
                  .Text(),
              QStringLiteral("a.exe"));
    const auto empty = VersionQueryValue(res, QStringLiteral("\\StringFileInfo\\040704E4\\Empty"));
    EXPECT_TRUE(empty.Found);
    EXPECT_TRUE(empty.Text().isEmpty());
    EXPECT_FALSE(
        VersionQueryValue(res, QStringLiteral("\\StringFileInfo\\040904B0\\CompanyName")).Found);
    EXPECT_FALSE(
        VersionQueryValue(res, QStringLiteral("\\StringFileInfo\\040704E4\\Company")).Found);

    const auto root = VersionQueryValue(res, QStringLiteral("\\"));
    ASSERT_TRUE(root.Found);
    EXPECT_EQ(root.Data, QByteArray(52, '\x11'));

    const auto translations = VersionTranslations(res);
    ASSERT_EQ(translations.size(), 1u);
    EXPECT_EQ(translations[0].first, 0x0407);
    EXPECT_EQ(translations[0].second, 0x04E4);
}

TEST(VersionResource, TextsAreCutAtTheirZeroAndAtTheLimit)
{
    const QString longText(300, QLatin1Char('x'));
    QByteArray twoTexts = Utf16z(QStringLiteral("first"));
    twoTexts += Utf16z(QStringLiteral("second"));
    const QByteArray res = Resource(
        {Text(QStringLiteral("Long"), longText), Block(QStringLiteral("Two"), 1, twoTexts, 13)});
    const QString prefix = QStringLiteral("\\StringFileInfo\\040704E4\\");
    EXPECT_EQ(VersionQueryValue(res, prefix + QStringLiteral("Long")).Text(256),
              QString(256, QLatin1Char('x')));
    EXPECT_EQ(VersionQueryValue(res, prefix + QStringLiteral("Two")).Text(),
              QStringLiteral("first"));
}

TEST(VersionResource, DamagedTreesAreNotFoundAndNeverReadOutside)
{
    const QByteArray good = Resource({Text(QStringLiteral("CompanyName"), QStringLiteral("ACME"))});
    const QString path = QStringLiteral("\\StringFileInfo\\040704E4\\CompanyName");
    ASSERT_TRUE(VersionQueryValue(good, path).Found);

    // Cut anywhere: the lookup fails or finds the text, never more than the bytes hold.
    for (int n = 0; n < good.size(); ++n) {
        const auto v = VersionQueryValue(good.left(n), path);
        EXPECT_FALSE(v.Found) << n;
    }

    // A child claiming more than its parent holds, a zero length, a key without its zero.
    QByteArray tooLong = good;
    PutU16(tooLong, 0, good.size() + 100);
    EXPECT_FALSE(VersionQueryValue(tooLong, path).Found);

    const int stringFileInfo = good.indexOf(Utf16z(QStringLiteral("StringFileInfo"))) - 6;
    ASSERT_GT(stringFileInfo, 0);
    QByteArray zeroLength = good;
    PutU16(zeroLength, stringFileInfo, 0);
    EXPECT_FALSE(VersionQueryValue(zeroLength, path).Found);
    EXPECT_TRUE(VersionTranslations(zeroLength).empty()); // the walk stops at the broken child

    QByteArray unterminated(64, 'A');
    PutU16(unterminated, 0, 64);
    PutU16(unterminated, 2, 0);
    PutU16(unterminated, 4, 0);
    EXPECT_FALSE(VersionQueryValue(unterminated, QStringLiteral("\\")).Found);

    // A binary value whose stored length runs past its block is cut at the block's end.
    QByteArray longValue = Block(QStringLiteral("VS_VERSION_INFO"), 0, QByteArray(8, 'v'), 0x7000);
    const auto root = VersionQueryValue(longValue, QStringLiteral("\\"));
    ASSERT_TRUE(root.Found);
    EXPECT_EQ(root.Data, QByteArray(8, 'v'));
}

TEST(VersionResource, LauncherProgramCarriesItsStringTable)
{
    if (!QFileInfo::exists(kLauncher))
        GTEST_SKIP() << "needs the Debian package python3-distlib (scripts/install-deps.sh)";
    const QByteArray res = FileVersionResource(kLauncher);
    ASSERT_FALSE(res.isEmpty());
    const auto translations = VersionTranslations(res);
    ASSERT_FALSE(translations.empty());
    // The list names US English while the only table is British English.
    EXPECT_EQ(translations[0].first, 0x0409);
    EXPECT_EQ(translations[0].second, 0x04B0);
    EXPECT_EQ(VersionChildKeys(res, QStringLiteral("\\StringFileInfo")),
              QStringList{QStringLiteral("080904b0")});
    EXPECT_EQ(
        VersionQueryValue(res, QStringLiteral("\\StringFileInfo\\080904B0\\FileVersion")).Text(),
        QStringLiteral("1.1.0.14"));
    // The fixed part starts with its signature 0xFEEF04BD.
    const auto fixed = VersionQueryValue(res, QString());
    ASSERT_GE(fixed.Data.size(), 4);
    EXPECT_EQ(fixed.Data.left(4), QByteArray("\xBD\x04\xEF\xFE", 4));
}

TEST(VersionResource, ProgramsCarryItInTheirResourceSection)
{
    const QByteArray res = Resource({Text(QStringLiteral("ProductName"), QStringLiteral("P"))});
    EXPECT_EQ(ExeVersionResource(PeWithVersion(res)), res);
    // The section cut short: the resource no longer fits and is not read.
    const QByteArray pe = PeWithVersion(res);
    EXPECT_TRUE(ExeVersionResource(pe.left(pe.size() - 8)).isEmpty());
}

TEST(VersionResource, OtherFilesHaveNone)
{
    EXPECT_TRUE(FileVersionResource(QStringLiteral("/bin/true")).isEmpty());
    EXPECT_TRUE(FileVersionResource(QStringLiteral("/nonexistent/file.exe")).isEmpty());
    EXPECT_TRUE(FileVersionResource(QStringLiteral("/dev/null")).isEmpty());
    EXPECT_TRUE(ExeVersionResource(QByteArray("MZ")).isEmpty());
}
