// SPDX-License-Identifier: MIT
// SZDD decoding against files compressed by an independent tool, plain copies, and damaged
// or hostile input.
#include "platform/Szdd.h"

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

using namespace jxt::platform;
using jxt::test::ReadFile;
using jxt::test::WriteFile;

namespace {

QString Sample(const QString &name)
{
    return QStringLiteral(JXT_TEST_DATA_DIR "/szdd/") + name;
}

QByteArray Header(quint32 length, char mode = 'A', char missing = 0)
{
    QByteArray h("SZDD\x88\xF0\x27\x33", 8);
    h.append(mode);
    h.append(missing);
    for (int i = 0; i < 4; ++i)
        h.append(char((length >> (8 * i)) & 0xFF));
    return h;
}

// The samples were made with the mscompress tool (Debian package mscompress 0.4). That tool
// stores wrong bytes for inputs shorter than about 16 bytes, so no tiny sample is kept; the
// hand-made streams below cover short data.
class SzddSampleTest : public ::testing::TestWithParam<const char *>
{
};

TEST_P(SzddSampleTest, DecodesToTheOriginal)
{
    const QString name = QString::fromLatin1(GetParam());
    const QByteArray original = ReadFile(Sample(name));
    const QByteArray compressed = ReadFile(Sample(name + "_"));
    ASSERT_TRUE(IsSzdd(compressed));
    TSzddHeader header;
    ASSERT_TRUE(ReadSzddHeader(compressed, header));
    EXPECT_EQ(header.Mode, 'A');
    EXPECT_EQ(header.Length, quint32(original.size()));

    QByteArray decoded;
    EXPECT_EQ(LZDecode(compressed, decoded), original.size());
    EXPECT_EQ(decoded, original);

    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString out = tmp.filePath("out");
    EXPECT_EQ(LZCopyFile(Sample(name + "_"), out), original.size());
    EXPECT_EQ(ReadFile(out), original);
}

INSTANTIATE_TEST_SUITE_P(Szdd, SzddSampleTest,
                         ::testing::Values("text.txt", "binary.bin", "repeats.dat", "empty.txt"));

TEST(Szdd, UncompressedDataIsCopiedUnchanged)
{
    for (const QByteArray &plain :
         {QByteArray(), QByteArray("S"), QByteArray("SZDD\x88\xF0\x27", 7),
          QByteArray("SZDE plain text that is longer than a header"),
          ReadFile(Sample("binary.bin"))}) {
        QByteArray out;
        EXPECT_EQ(LZDecode(plain, out), plain.size());
        EXPECT_EQ(out, plain);
    }
}

TEST(Szdd, DecodesOverlappingMatchesAndTheInitialWindow)
{
    // Literal 'a', then a match of 18 starting at the literal (overlapping: repeats 'a'), then
    // a match of 3 from position 16, which still holds the initial blanks.
    QByteArray data = Header(1 + 18 + 3);
    data.append(char(0x01));
    data.append('a');
    data.append(char(0xF0));
    data.append(char(0xFF));
    data.append(char(0x10));
    data.append(char(0x00));
    QByteArray out;
    EXPECT_EQ(LZDecode(data, out), 22);
    EXPECT_EQ(out, QByteArray(19, 'a') + QByteArray(3, ' '));
}

TEST(Szdd, StopsAtTheDeclaredLength)
{
    QByteArray compressed = ReadFile(Sample("text.txt_"));
    const QByteArray original = ReadFile(Sample("text.txt"));
    QByteArray out;

    // Trailing bytes after the data are ignored.
    EXPECT_EQ(LZDecode(compressed + QByteArray(100, '\xFF'), out), original.size());
    EXPECT_EQ(out, original);

    // A shorter declared length cuts the output, even inside a match.
    QByteArray shorter = compressed;
    shorter.replace(10, 4, QByteArray("\x64\x00\x00\x00", 4));
    EXPECT_EQ(LZDecode(shorter, out), 100);
    EXPECT_EQ(out, original.left(100));
}

TEST(Szdd, DamagedInputIsAnError)
{
    const QByteArray compressed = ReadFile(Sample("repeats.dat_"));
    QByteArray out;

    // Truncated inside the header, after it, and inside a two-byte match.
    EXPECT_EQ(LZDecode(compressed.left(12), out), kLzErrorRead);
    EXPECT_EQ(LZDecode(compressed.left(14), out), kLzErrorRead);
    EXPECT_EQ(LZDecode(compressed.left(compressed.size() - 1), out), kLzErrorRead);
    EXPECT_EQ(LZDecode(Header(5) + QByteArray("\x00\x10", 2), out), kLzErrorRead);

    // A declared length longer than the data.
    QByteArray longer = compressed;
    longer.replace(10, 4, QByteArray("\x00\x00\x00\x10", 4));
    EXPECT_EQ(LZDecode(longer, out), kLzErrorRead);
    EXPECT_EQ(out.size(), 26000);

    EXPECT_EQ(LZDecode(Header(3, 'B') + "\x07"
                                        "abc",
                       out),
              kLzErrorUnknownAlg);
}

TEST(Szdd, HugeDeclaredLengthDoesNotAllocate)
{
    // 4 GiB declared, a few bytes of data: the decoder streams and fails at the end of input.
    QByteArray data = Header(0xFFFFFFFFu);
    data.append(QByteArray(64, '\x00'));
    QByteArray out;
    EXPECT_EQ(LZDecode(data, out), kLzErrorRead);
    EXPECT_LE(out.size(), 64 / 3 * 2 * 18 + 18);

    // An output limit stops a legitimate but large stream.
    const QByteArray compressed = ReadFile(Sample("repeats.dat_"));
    EXPECT_EQ(LZDecode(compressed, out, 1000), kLzErrorWrite);
    EXPECT_EQ(LZDecode(compressed, out, 26000), 26000);
}

TEST(Szdd, FileCopyHandlesBadPaths)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    EXPECT_EQ(LZCopyFile(tmp.filePath("missing"), tmp.filePath("out")), kLzErrorBadInHandle);
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("out")));
    EXPECT_EQ(LZCopyFile(Sample("text.txt_"), tmp.filePath("no/such/dir/out")),
              kLzErrorBadOutHandle);

    // Decoding a file onto itself would destroy it; it is refused.
    const QString self = tmp.filePath("self_");
    ASSERT_TRUE(QFile::copy(Sample("text.txt_"), self));
    EXPECT_EQ(LZCopyFile(self, tmp.filePath("SELF_")), kLzErrorBadOutHandle);
    EXPECT_EQ(ReadFile(self), ReadFile(Sample("text.txt_")));

    // A failed decode leaves no half-written destination.
    const QString broken = tmp.filePath("broken_");
    ASSERT_TRUE(WriteFile(broken, ReadFile(Sample("text.txt_")).left(200)));
    EXPECT_EQ(LZCopyFile(broken, tmp.filePath("out")), kLzErrorRead);
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("out")));
}

TEST(Szdd, ExpandedNameUsesTheMissingCharacter)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    ASSERT_TRUE(WriteFile(tmp.filePath("README.TX_"), Header(0, 'A', 't')));
    ASSERT_TRUE(WriteFile(tmp.filePath("setup.ex_"), Header(0, 'A', 'E')));
    ASSERT_TRUE(WriteFile(tmp.filePath("plain.tx_"), "not compressed"));
    EXPECT_EQ(GetExpandedName(tmp.filePath("README.TX_")), tmp.filePath("README.TXT"));
    EXPECT_EQ(GetExpandedName(tmp.filePath("setup.ex_")), tmp.filePath("setup.exe"));
    EXPECT_EQ(GetExpandedName(tmp.filePath("plain.tx_")), tmp.filePath("plain.tx_"));
    EXPECT_EQ(GetExpandedName(Sample("text.txt_")), Sample("text.txt_"));
}

} // namespace
