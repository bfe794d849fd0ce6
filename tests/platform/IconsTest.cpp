// SPDX-License-Identifier: MIT
// Icon readers against files made by others (Debian packages installed by
// scripts/install-deps.sh), icon images of every depth built here, and damaged input.
#include "platform/Icons.h"

#include "PlatformTestSupport.h"
#include "platform/IconBuilders.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace jxt::platform;
using namespace jxt::test;

namespace {

const QString kDistlib = QStringLiteral("/usr/lib/python3/dist-packages/distlib/");
const QString kNsisIcons = QStringLiteral("/usr/share/nsis/Contrib/Graphics/Icons/");
const QString kClamav = QStringLiteral("/usr/share/clamav-testfiles/");
const QString kWineFonts = QStringLiteral("/usr/share/wine/fonts/");

#define REQUIRE_FILE(path, package)                                                                \
    do {                                                                                           \
        if (!QFileInfo::exists(path))                                                              \
            GTEST_SKIP() << "needs " << qPrintable(path) << " of the Debian package " << package   \
                         << " (scripts/install-deps.sh installs it)";                              \
    } while (0)

int OpaqueCount(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) == 255;
    return n;
}

} // namespace

TEST(IconReaders, LauncherProgramsHoldOneGroupOfSevenImages)
{
    for (const char *name : {"w32.exe", "t32.exe", "w64.exe", "t64.exe"}) {
        SCOPED_TRACE(name);
        const QString path = kDistlib + QLatin1String(name);
        REQUIRE_FILE(path, "python3-distlib");
        QByteArray data;
        ASSERT_TRUE(ReadIconSourceFile(path, data));
        EXPECT_EQ(IconContainerOf(data), TIconContainer::Pe);
        EXPECT_EQ(ExeIconGroupCount(data), 1);
        EXPECT_EQ(FileIconCount(path), 1);
        const auto images = FileIconImages(path, 0);
        ASSERT_EQ(images.size(), 7u);
        for (const QImage &image : images) {
            EXPECT_GE(image.width(), 16);
            EXPECT_LE(image.width(), 256);
            EXPECT_GT(OpaqueCount(image), 0);
        }
        const QImage icon = FileIcon(path, 0);
        ASSERT_EQ(icon.size(), QSize(32, 32));
        EXPECT_GT(OpaqueCount(icon), 100);
        EXPECT_TRUE(FileIconImages(path, 1).empty());
        EXPECT_TRUE(FileIcon(path, -1).isNull());
    }
}

TEST(IconReaders, NsisIconFilesDecodeEveryEntry)
{
    const QDir dir(kNsisIcons);
    const QStringList files = dir.entryList({QStringLiteral("*.ico")}, QDir::Files);
    if (files.isEmpty())
        GTEST_SKIP()
            << "needs the icons of the Debian package nsis-common (scripts/install-deps.sh)";
    int pngEntries = 0;
    for (const QString &name : files) {
        SCOPED_TRACE(qPrintable(name));
        QByteArray data;
        ASSERT_TRUE(ReadIconSourceFile(dir.filePath(name), data));
        const int declared = qFromLittleEndian<quint16>(data.constData() + 4);
        for (int i = 0; i < declared; ++i) {
            const quint32 offset = qFromLittleEndian<quint32>(data.constData() + 6 + 16 * i + 12);
            pngEntries += data.mid(int(offset), 4) == QByteArray("\x89PNG", 4);
        }
        const auto images = ReadIcoImages(data);
        // Every entry, whatever its depth or compression, decodes to a partly opaque image.
        EXPECT_EQ(int(images.size()), declared);
        for (const QImage &image : images)
            EXPECT_GT(OpaqueCount(image), 0);
        EXPECT_EQ(FileIconCount(dir.filePath(name)), 1);
        EXPECT_EQ(FileIcon(dir.filePath(name), 0).size(), QSize(32, 32));
        EXPECT_TRUE(FileIcon(dir.filePath(name), 1).isNull());
    }
    EXPECT_GT(pngEntries, 0) << "the package's set includes PNG-compressed entries";
}

TEST(IconReaders, AgreesWithQtOnTheSameIconEntries)
{
    const QString path = kNsisIcons + QStringLiteral("modern-install.ico");
    REQUIRE_FILE(path, "nsis-common");
    QByteArray data;
    ASSERT_TRUE(ReadIcoImages(data).empty());
    ASSERT_TRUE(ReadIconSourceFile(path, data));
    const auto ours = ReadIcoImages(data);
    // Qt's own icon plugin reads the same entries: the pixels must agree where both are opaque.
    QImageReader reader(path, "ico");
    int compared = 0;
    for (int i = 0; i < reader.imageCount() && i < int(ours.size()); ++i) {
        reader.jumpToImage(i);
        const QImage theirs = reader.read().convertToFormat(QImage::Format_ARGB32);
        if (theirs.size() != ours[std::size_t(i)].size())
            continue;
        for (int y = 0; y < theirs.height(); ++y)
            for (int x = 0; x < theirs.width(); ++x) {
                const QRgb a = ours[std::size_t(i)].pixel(x, y), b = theirs.pixel(x, y);
                EXPECT_EQ(qAlpha(a) == 0, qAlpha(b) == 0) << i << ' ' << x << ',' << y;
                if (qAlpha(a) == 255 && qAlpha(b) == 255) {
                    EXPECT_EQ(a, b) << i << ' ' << x << ',' << y;
                }
            }
        ++compared;
    }
    EXPECT_GE(compared, 5);
}

TEST(IconReaders, ScannerTestProgramsAreReadWithoutIcons)
{
    const QString path = kClamav + QStringLiteral("clam.exe");
    REQUIRE_FILE(path, "clamav-testfiles");
    for (const QString &name : QDir(kClamav).entryList({QStringLiteral("*.exe")}, QDir::Files)) {
        SCOPED_TRACE(qPrintable(name));
        QByteArray data;
        ASSERT_TRUE(ReadIconSourceFile(kClamav + name, data));
        // Packed and damaged programs alike: a count (possibly 0) and, for every counted
        // group, a readable first image or none, never a crash.
        const int groups = ExeIconGroupCount(data);
        EXPECT_GE(groups, -1);
        for (int i = 0; i < groups && i < 8; ++i)
            for (const QImage &image : ExeIconGroupImages(data, i))
                EXPECT_LE(image.width(), 256);
    }
    QByteArray data;
    ASSERT_TRUE(ReadIconSourceFile(path, data));
    EXPECT_EQ(IconContainerOf(data), TIconContainer::Pe);
    EXPECT_EQ(FileIconCount(path), 0);
    EXPECT_TRUE(FileIcon(path, 0).isNull());
    // Installers built by other tools carry their own icons.
    EXPECT_EQ(FileIconCount(kClamav + QStringLiteral("clam-nsis.exe")), 1);
    EXPECT_EQ(FileIcon(kClamav + QStringLiteral("clam-nsis.exe"), 0).size(), QSize(32, 32));
    EXPECT_EQ(FileIconCount(kClamav + QStringLiteral("clam_ISmsi_ext.exe")), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(FileIconImages(kClamav + QStringLiteral("clam_ISmsi_ext.exe"), i).empty())
            << i;
}

TEST(IconReaders, NeFontFilesHaveNoIcons)
{
    const QDir dir(kWineFonts);
    const QStringList fonts = dir.entryList({QStringLiteral("*.fon")}, QDir::Files);
    if (fonts.isEmpty())
        GTEST_SKIP()
            << "needs the .fon files of the Debian package fonts-wine (scripts/install-deps.sh)";
    for (const QString &name : fonts) {
        SCOPED_TRACE(qPrintable(name));
        QByteArray data;
        ASSERT_TRUE(ReadIconSourceFile(dir.filePath(name), data));
        EXPECT_EQ(IconContainerOf(data), TIconContainer::Ne);
        EXPECT_EQ(ExeIconGroupCount(data), 0);
        EXPECT_EQ(FileIconCount(dir.filePath(name)), 0);
    }
}

TEST(IconReaders, IconLibraryGroupsInOrder)
{
    const auto red = IconDib(32, 32, 4, [](int, int) { return 0xFFFF0000u; });
    const auto green16 = IconDib(16, 16, 8, [](int, int) { return 0xFF00FF00u; });
    const auto green32 = IconDib(32, 32, 24, [](int, int) { return 0xFF00FF00u; });
    const auto blue = IconDib(48, 48, 32, [](int x, int) { return x < 24 ? 0xFF0000FFu : 0u; });
    const QByteArray icl = NeIconLibrary({{red}, {green16, green32}, {blue}});
    EXPECT_EQ(IconContainerOf(icl), TIconContainer::Ne);
    EXPECT_EQ(ExeIconGroupCount(icl), 3);
    ASSERT_EQ(ExeIconGroupImages(icl, 1).size(), 2u);
    EXPECT_TRUE(ExeIconGroupImages(icl, 3).empty());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.icl"));
    ASSERT_TRUE(WriteFile(path, icl));
    EXPECT_EQ(FileIconCount(path), 3);
    EXPECT_EQ(FileIcon(path, 0).pixel(5, 5), 0xFFFF0000u);
    // The 32-pixel image is chosen over the 16-pixel one of the same group.
    const QImage second = FileIcon(path, 1);
    EXPECT_EQ(second.size(), QSize(32, 32));
    EXPECT_EQ(second.pixel(31, 31), 0xFF00FF00u);
    const QImage third = FileIcon(path, 2);
    EXPECT_EQ(qAlpha(third.pixel(2, 2)), 255);
    EXPECT_EQ(qAlpha(third.pixel(30, 2)), 0);
}

TEST(IconReaders, EveryDepthDecodesColoursAndMask)
{
    // A 2-colour checker with a transparent top-left quarter, at each depth.
    auto pattern = [](int x, int y) -> quint32 {
        if (x < 8 && y < 8)
            return 0u;
        return (x + y) % 2 ? 0xFFFFFFFFu : 0xFF800000u;
    };
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        const auto dib = IconDib(20, 16, bits, pattern);
        const QImage image = DecodeIconImage(dib.bytes.constData(), dib.bytes.size());
        ASSERT_EQ(image.size(), QSize(20, 16));
        EXPECT_EQ(qAlpha(image.pixel(3, 3)), 0);
        EXPECT_EQ(image.pixel(9, 8), 0xFFFFFFFFu);
        EXPECT_EQ(image.pixel(8, 8) & 0xFFFFFFu, bits == 16 ? 0x840000u : 0x800000u);
        EXPECT_EQ(qAlpha(image.pixel(8, 8)), 255);
        // One byte short of the colour rows is refused, not read past the end.
        const int colorBytes = ((20 * bits + 31) / 32) * 4 * 16;
        const int paletteBytes = bits <= 8 ? 4 << bits : 0;
        EXPECT_TRUE(
            DecodeIconImage(dib.bytes.constData(), 40 + paletteBytes + colorBytes - 1).isNull());
    }
}

TEST(IconReaders, PngEntryInsideAnIconFile)
{
    QImage source(24, 24, QImage::Format_ARGB32);
    source.fill(0xFF123456u);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "png"));
    const QByteArray ico =
        IcoFile({{24, 24, 32, png}, IconDib(16, 16, 4, [](int, int) { return 0xFF00FF00u; })});
    const auto images = ReadIcoImages(ico);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].pixel(10, 10), 0xFF123456u);
    EXPECT_EQ(images[1].pixel(10, 10), 0xFF00FF00u);
}

TEST(IconReaders, HostileHeadersGiveNothing)
{
    const auto good = IconDib(16, 16, 8, [](int, int) { return 0xFF00FF00u; });
    // Huge dimensions, a zero or negative height, unknown depth, compression, header size.
    struct Case
    {
        int at;
        quint32 value;
    } cases[] = {{4, 100000}, {8, 0},           {8, 0xFFFFFFE0u}, {14, 7},
                 {16, 1},     {0, 0xFFFFFFFFu}, {32, 0xFFFFFFFFu}};
    for (const Case &c : cases) {
        QByteArray bytes = good.bytes;
        if (c.at == 14)
            PutU16(bytes, 14, quint16(c.value));
        else
            PutU32(bytes, c.at, c.value);
        const QImage image = DecodeIconImage(bytes.constData(), bytes.size());
        if (c.at == 32) // too many colours in use: the whole palette is read
            EXPECT_FALSE(image.isNull());
        else
            EXPECT_TRUE(image.isNull()) << c.at;
    }
    // An icon directory whose entries point past the end, or claim a huge size.
    QByteArray ico = IcoFile({good});
    PutU32(ico, 6 + 12, 0x7FFFFFF0u);
    EXPECT_TRUE(ReadIcoImages(ico).empty());
    ico = IcoFile({good});
    PutU32(ico, 6 + 8, 0xFFFFFFFFu);
    EXPECT_EQ(ReadIcoImages(ico).size(), 1u);
    ico = IcoFile({good});
    PutU16(ico, 4, 60000);
    EXPECT_TRUE(ReadIcoImages(ico).empty());
    EXPECT_EQ(IconContainerOf(ico), TIconContainer::None);
}

TEST(IconReaders, TruncatedProgramsNeverReadPastTheEnd)
{
    const QString path = kDistlib + QStringLiteral("t64.exe");
    REQUIRE_FILE(path, "python3-distlib");
    QByteArray whole;
    ASSERT_TRUE(ReadIconSourceFile(path, whole));
    std::size_t images = 0;
    const int n = int(whole.size());
    for (int cut : {0, 2, 0x40, 0x100, 0x200, 0x400, n / 3, n / 2, n - 4000, n - 1}) {
        SCOPED_TRACE(cut);
        // A copy of exactly that length, so a read past it would be caught by the sanitizers.
        const QByteArray part(whole.constData(), cut);
        const int groups = ExeIconGroupCount(part);
        EXPECT_LE(groups, 1);
        const auto got = ExeIconGroupImages(part, 0);
        EXPECT_LE(got.size(), 7u);
        images = std::max(images, got.size());
    }
    EXPECT_LE(images, 7u);
}

TEST(IconReaders, OnlyRegularFilesAreRead)
{
    QTemporaryDir dir;
    QByteArray data;
    EXPECT_FALSE(ReadIconSourceFile(dir.path(), data));
    EXPECT_FALSE(ReadIconSourceFile(dir.filePath(QStringLiteral("missing.ico")), data));
    const QString fifo = dir.filePath(QStringLiteral("pipe.ico"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(ReadIconSourceFile(fifo, data));
    EXPECT_EQ(FileIconCount(fifo), 0);
    const QString big = dir.filePath(QStringLiteral("big.ico"));
    ASSERT_TRUE(WriteFile(big, QByteArray(5000, 'x')));
    EXPECT_FALSE(ReadIconSourceFile(big, data, 4999));
    EXPECT_TRUE(ReadIconSourceFile(big, data, 5000));
    EXPECT_EQ(data.size(), 5000);
}
