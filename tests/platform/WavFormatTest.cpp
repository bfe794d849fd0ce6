// SPDX-License-Identifier: MIT
// The chunk walk of wave files: where fmt and data are found among other chunks, what each
// kind of damage reports, and that lying sizes never read past the end or run long.
#include "platform/WavHeader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QtEndian>

#include <vector>

using namespace jxt::platform;

namespace {

QByteArray U16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray U32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

/// A chunk: id, the size its header claims (its body's size unless given), body, and the
/// pad byte of odd sizes.
QByteArray Chunk(const char *id, const QByteArray &body, qint64 claimed = -1)
{
    QByteArray c(id, 4);
    c += U32(quint32(claimed < 0 ? body.size() : claimed));
    c += body;
    if (body.size() % 2)
        c += '\0';
    return c;
}

QByteArray Fmt(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 align = quint16(channels * bits / 8);
    return U16(tag) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) + U16(bits);
}

QByteArray Riff(const QByteArray &chunks, qint64 claimed = -1)
{
    const QByteArray body = QByteArray("WAVE") + chunks;
    return Chunk("RIFF", body, claimed);
}

TWavRead Read(const QByteArray &bytes, TWavFormat &format)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return ReadWavFormat(buffer, format);
}

TEST(WavFormat, CanonicalFileGivesFormatAndData)
{
    const QByteArray samples(1000, '\x10');
    TWavFormat f;
    ASSERT_EQ(Read(Riff(Chunk("fmt ", Fmt(1, 2, 22050, 16)) + Chunk("data", samples)), f),
              TWavRead::Ok);
    EXPECT_EQ(f.FormatTag, 1);
    EXPECT_EQ(f.SampleTag, 1);
    EXPECT_EQ(f.Channels, 2);
    EXPECT_EQ(f.SamplesPerSec, 22050);
    EXPECT_EQ(f.AvgBytesPerSec, 88200u);
    EXPECT_EQ(f.BlockAlign, 4);
    EXPECT_EQ(f.BitsPerSample, 16);
    EXPECT_EQ(f.DataOffset, 44);
    EXPECT_EQ(f.DataSize, 1000u);
    EXPECT_EQ(f.DataPresent, 1000);
}

TEST(WavFormat, OtherChunksAndOddSizesAreSkipped)
{
    // A list chunk of odd size (with its pad byte) before fmt, a fact chunk between, and the
    // data before the format: all are found by walking the chunk sizes.
    const QByteArray list = Chunk("LIST", QByteArray("INFOabc", 7));
    const QByteArray fact = Chunk("fact", U32(10));
    TWavFormat f;
    ASSERT_EQ(Read(Riff(list + Chunk("data", QByteArray(20, 'x')) + fact +
                        Chunk("fmt ", Fmt(1, 1, 8000, 8))),
                   f),
              TWavRead::Ok);
    EXPECT_EQ(f.SamplesPerSec, 8000);
    EXPECT_EQ(f.DataOffset, 12 + list.size() + 8);
    EXPECT_EQ(f.DataPresent, 20);
}

TEST(WavFormat, ExtensibleFormatNamesItsSampleCoding)
{
    const QByteArray tail = QByteArray::fromHex("000010008000"
                                                "00aa00389b71");
    auto extensible = [&](quint32 subTag, const QByteArray &guidTail) {
        return Fmt(0xFFFE, 2, 48000, 24) + U16(22) + U16(24) + U32(3) + U32(subTag) + guidTail;
    };
    TWavFormat f;
    ASSERT_EQ(Read(Riff(Chunk("fmt ", extensible(3, tail)) + Chunk("data", QByteArray(12, 0))), f),
              TWavRead::Ok);
    EXPECT_EQ(f.FormatTag, 0xFFFE);
    EXPECT_EQ(f.SampleTag, 3);
    // A GUID that is not one of the standard ones names no coding.
    ASSERT_EQ(Read(Riff(Chunk("fmt ", extensible(1, QByteArray(12, '\x55'))) +
                        Chunk("data", QByteArray(12, 0))),
                   f),
              TWavRead::Ok);
    EXPECT_EQ(f.SampleTag, 0);
    // Cut to the plain 16 bytes, the extension is missing.
    ASSERT_EQ(
        Read(Riff(Chunk("fmt ", extensible(1, tail).left(16)) + Chunk("data", QByteArray(12, 0))),
             f),
        TWavRead::Ok);
    EXPECT_EQ(f.SampleTag, 0);
}

TEST(WavFormat, DamageReportsTheFirstMissingPart)
{
    const QByteArray fmt = Chunk("fmt ", Fmt(1, 1, 8000, 8));
    const QByteArray data = Chunk("data", QByteArray(10, 'x'));
    struct Case
    {
        const char *what;
        QByteArray bytes;
        TWavRead expected;
    };
    const std::vector<Case> cases = {
        {"empty", QByteArray(), TWavRead::NotWave},
        {"text", QByteArray("hello, this is not a sound at all"), TWavRead::NotWave},
        {"other RIFF form", Chunk("RIFF", QByteArray("AVI ") + fmt + data), TWavRead::NotWave},
        {"header cut", Riff(fmt + data).left(10), TWavRead::NotWave},
        {"no fmt", Riff(data), TWavRead::NoFormat},
        {"fmt of 14 bytes", Riff(Chunk("fmt ", Fmt(1, 1, 8000, 8).left(14)) + data),
         TWavRead::ShortFormat},
        {"fmt cut by the end", Riff(fmt).left(12 + 8 + 10), TWavRead::ShortFormat},
        {"fmt claims 4 GB", Riff(Chunk("fmt ", Fmt(1, 1, 8000, 8), 0xFFFFFFF0u) + data),
         TWavRead::ShortFormat},
        {"no data", Riff(fmt + Chunk("fact", U32(1))), TWavRead::NoData},
        {"empty data", Riff(fmt + Chunk("data", QByteArray())), TWavRead::EmptyData},
        {"data header at the end", Riff(fmt + Chunk("data", QByteArray(), 5000)),
         TWavRead::EmptyData},
    };
    for (const Case &c : cases) {
        TWavFormat f;
        EXPECT_EQ(Read(c.bytes, f), c.expected) << c.what;
    }
}

TEST(WavFormat, LyingSizesAreCheckedAgainstTheFile)
{
    const QByteArray fmt = Chunk("fmt ", Fmt(1, 1, 8000, 8));
    TWavFormat f;
    // A data chunk that claims more than the file holds: the bytes present count.
    ASSERT_EQ(Read(Riff(fmt + Chunk("data", QByteArray(100, 'x'), 0xFFFFFFFFu)), f), TWavRead::Ok);
    EXPECT_EQ(f.DataSize, 0xFFFFFFFFu);
    EXPECT_EQ(f.DataPresent, 100);
    // RIFF sizes left at 0 or at the largest value by writers that stream.
    for (quint32 riffSize : {0u, 0xFFFFFFFFu}) {
        ASSERT_EQ(Read(Riff(fmt + Chunk("data", QByteArray(8, 'x')), riffSize), f), TWavRead::Ok)
            << riffSize;
        EXPECT_EQ(f.DataPresent, 8);
    }
    // A RIFF size that ends before the data hides it.
    EXPECT_EQ(Read(Riff(fmt + Chunk("data", QByteArray(8, 'x')), 4 + fmt.size()), f),
              TWavRead::NoData);
    // A chunk whose size jumps past the end ends the walk.
    EXPECT_EQ(Read(Riff(fmt + Chunk("junk", QByteArray(4, 0), 0x7FFFFFF0) +
                        Chunk("data", QByteArray(8, 'x'))),
                   f),
              TWavRead::NoData);
}

TEST(WavFormat, ManyTinyChunksEndTheWalkEarly)
{
    // Empty chunks cost 8 bytes each; the walk visits a bounded number of them.
    QByteArray filler;
    for (int i = 0; i < kMaxWavChunks + 10; ++i)
        filler += Chunk("pad ", QByteArray());
    TWavFormat f;
    EXPECT_EQ(Read(Riff(filler + Chunk("fmt ", Fmt(1, 1, 8000, 8))), f), TWavRead::NoFormat);
    EXPECT_EQ(Read(Riff(filler.left(8 * 100) + Chunk("fmt ", Fmt(1, 1, 8000, 8)) +
                        Chunk("data", QByteArray(2, 'x'))),
                   f),
              TWavRead::Ok);
}

} // namespace
