// SPDX-License-Identifier: MIT
#include "platform/WavHeader.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <limits>

namespace jxt::platform {

TReal48 TReal48::FromDouble(double value)
{
    TReal48 r;
    if (std::isnan(value) || value == 0.0)
        return r;
    const bool negative = std::signbit(value);
    double magnitude = std::fabs(value);
    int exponent = 0;
    // magnitude = fraction * 2^exponent with fraction in [0.5, 1).
    double fraction = std::frexp(magnitude, &exponent);
    // 40 significant bits (the leading one implicit): round to nearest.
    std::uint64_t mantissa = std::uint64_t(std::llround(std::ldexp(fraction, 40)));
    if (mantissa >= (std::uint64_t(1) << 40)) { // rounding carried into a new bit
        mantissa >>= 1;
        ++exponent;
    }
    // value = 1.f * 2^(e - 129) with 1.f = 2 * fraction, so e = exponent - 1 + 129.
    int biased = exponent + 128;
    if (biased <= 0)
        return r;
    if (biased > 255 || std::isinf(value)) {
        biased = 255;
        mantissa = (std::uint64_t(1) << 40) - 1;
    }
    const std::uint64_t bits = mantissa & ((std::uint64_t(1) << 39) - 1);
    r.m_bytes[0] = std::uint8_t(biased);
    for (int i = 0; i < 5; ++i)
        r.m_bytes[std::size_t(1 + i)] = std::uint8_t(bits >> (8 * i));
    if (negative)
        r.m_bytes[5] |= 0x80;
    return r;
}

TReal48 TReal48::FromBytes(const std::array<std::uint8_t, 6> &bytes)
{
    TReal48 r;
    r.m_bytes = bytes;
    return r;
}

double TReal48::ToDouble() const
{
    if (m_bytes[0] == 0)
        return 0.0;
    std::uint64_t bits = 0;
    for (int i = 0; i < 5; ++i)
        bits |= std::uint64_t(m_bytes[std::size_t(1 + i)]) << (8 * i);
    const bool negative = bits & (std::uint64_t(1) << 39);
    bits &= (std::uint64_t(1) << 39) - 1;
    const double mantissa = 1.0 + std::ldexp(double(bits), -39);
    const double value = std::ldexp(mantissa, int(m_bytes[0]) - 129);
    return negative ? -value : value;
}

bool ParseWavHeader(const QByteArray &data, TWavHeader &h)
{
    if (data.size() < kWavHeaderSize)
        return false;
    const uchar *p = reinterpret_cast<const uchar *>(data.constData());
    h.RiffID = qFromLittleEndian<quint32>(p);
    h.RiffSize = qFromLittleEndian<qint32>(p + 4);
    h.FormType = qFromLittleEndian<quint32>(p + 8);
    h.FmtID = qFromLittleEndian<quint32>(p + 12);
    h.FmtSize = qFromLittleEndian<qint32>(p + 16);
    h.FormatTag = qFromLittleEndian<quint16>(p + 20);
    h.Channels = qFromLittleEndian<quint16>(p + 22);
    h.SamplesPerSec = qFromLittleEndian<qint32>(p + 24);
    h.AvgBytesPerSec = qFromLittleEndian<qint32>(p + 28);
    h.BlockAlign = qFromLittleEndian<quint16>(p + 32);
    h.BitsPerSample = qFromLittleEndian<quint16>(p + 34);
    h.DataID = qFromLittleEndian<quint32>(p + 36);
    h.DataSize = qFromLittleEndian<qint32>(p + 40);
    return true;
}

QByteArray WavHeaderBytes(const TWavHeader &h)
{
    QByteArray out(kWavHeaderSize, '\0');
    uchar *p = reinterpret_cast<uchar *>(out.data());
    qToLittleEndian<quint32>(h.RiffID, p);
    qToLittleEndian<qint32>(h.RiffSize, p + 4);
    qToLittleEndian<quint32>(h.FormType, p + 8);
    qToLittleEndian<quint32>(h.FmtID, p + 12);
    qToLittleEndian<qint32>(h.FmtSize, p + 16);
    qToLittleEndian<quint16>(h.FormatTag, p + 20);
    qToLittleEndian<quint16>(h.Channels, p + 22);
    qToLittleEndian<qint32>(h.SamplesPerSec, p + 24);
    qToLittleEndian<qint32>(h.AvgBytesPerSec, p + 28);
    qToLittleEndian<quint16>(h.BlockAlign, p + 32);
    qToLittleEndian<quint16>(h.BitsPerSample, p + 34);
    qToLittleEndian<quint32>(h.DataID, p + 36);
    qToLittleEndian<qint32>(h.DataSize, p + 40);
    return out;
}

bool IsUsableWavHeader(const TWavHeader &h)
{
    // The size is compared in 64 bits: a RIFF size near the smallest integer must not wrap
    // into a large positive length.
    return h.FormType == FourCC("WAVE") && qint64(h.RiffSize) - kWavHeaderSize > 50 &&
           h.AvgBytesPerSec != 0;
}

double WavPlayTime(const TWavHeader &h)
{
    if (h.AvgBytesPerSec == 0)
        return 0.0;
    return double(qint64(h.RiffSize) - kWavHeaderSize) / double(h.AvgBytesPerSec);
}

namespace {

struct TChunk
{
    std::uint32_t Size = 0;
    qint64 Body = 0; ///< offset of the first byte after the chunk's 8-byte header
};

bool ReadAt(QIODevice &device, qint64 pos, uchar *buffer, qint64 count)
{
    return device.seek(pos) && device.read(reinterpret_cast<char *>(buffer), count) == count;
}

/// Finds the first chunk named id whose header lies in [begin, end), skipping others by
/// their (even-padded) sizes. With formType, the chunk must also carry that form type in its
/// first four bytes, as RIFF and LIST chunks do.
bool FindChunk(QIODevice &device, qint64 begin, qint64 end, std::uint32_t id, TChunk &chunk,
               std::uint32_t formType = 0)
{
    qint64 pos = begin;
    for (int visited = 0; visited < kMaxWavChunks && pos >= 0 && pos + 8 <= end; ++visited) {
        uchar head[12];
        if (!ReadAt(device, pos, head, 8))
            return false;
        const std::uint32_t size = qFromLittleEndian<quint32>(head + 4);
        if (qFromLittleEndian<quint32>(head) == id) {
            const bool formMatches =
                formType == 0 || (pos + 12 <= end && ReadAt(device, pos + 8, head + 8, 4) &&
                                  qFromLittleEndian<quint32>(head + 8) == formType);
            if (formMatches) {
                chunk.Size = size;
                chunk.Body = pos + 8;
                return true;
            }
        }
        pos += 8 + qint64(size) + qint64(size & 1);
    }
    return false;
}

// The twelve bytes that follow the format tag in the GUID of every standard sub-format.
constexpr uchar kSubFormatTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                      0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

} // namespace

TWavRead ReadWavFormat(QIODevice &device, TWavFormat &format)
{
    format = TWavFormat();
    const qint64 fileSize = device.size();
    TChunk riff;
    if (!FindChunk(device, 0, fileSize, FourCC("RIFF"), riff, FourCC("WAVE")))
        return TWavRead::NotWave;
    // Writers that stream leave the RIFF size at 0 or at its largest value; either way the
    // chunks end where the file ends.
    const qint64 riffEnd =
        riff.Size < 4 ? fileSize : std::min(fileSize, riff.Body + qint64(riff.Size));
    const qint64 first = riff.Body + 4;

    TChunk fmt;
    if (!FindChunk(device, first, riffEnd, FourCC("fmt "), fmt))
        return TWavRead::NoFormat;
    if (fmt.Size < 16 || fmt.Body + qint64(fmt.Size) > fileSize)
        return TWavRead::ShortFormat;
    uchar f[40] = {};
    const qint64 wanted = std::min<qint64>(fmt.Size, sizeof f);
    if (!ReadAt(device, fmt.Body, f, wanted))
        return TWavRead::ShortFormat;
    format.FormatTag = qFromLittleEndian<quint16>(f);
    format.Channels = qFromLittleEndian<quint16>(f + 2);
    format.SamplesPerSec = qFromLittleEndian<qint32>(f + 4);
    format.AvgBytesPerSec = qFromLittleEndian<quint32>(f + 8);
    format.BlockAlign = qFromLittleEndian<quint16>(f + 12);
    format.BitsPerSample = qFromLittleEndian<quint16>(f + 14);
    format.SampleTag = format.FormatTag;
    if (format.FormatTag == kWaveFormatExtensible) {
        // cbSize (16), valid bits (18), channel mask (20), then the sub-format GUID whose
        // first four bytes are the tag of the sample coding.
        const quint32 subTag = qFromLittleEndian<quint32>(f + 24);
        const bool standard = wanted >= 40 && qFromLittleEndian<quint16>(f + 16) >= 22 &&
                              std::equal(f + 28, f + 40, kSubFormatTail) && subTag <= 0xFFFF;
        format.SampleTag = standard ? std::uint16_t(subTag) : 0;
    }

    TChunk data;
    if (!FindChunk(device, first, riffEnd, FourCC("data"), data))
        return TWavRead::NoData;
    format.DataOffset = data.Body;
    format.DataSize = data.Size;
    format.DataPresent = std::clamp<qint64>(fileSize - data.Body, 0, qint64(data.Size));
    if (format.DataPresent == 0)
        return TWavRead::EmptyData;
    // Compressed codings pad their last block; the "fact" chunk says how many frames are real.
    TChunk fact;
    uchar frames[4];
    if (FindChunk(device, first, riffEnd, FourCC("fact"), fact) && fact.Size >= 4 &&
        ReadAt(device, fact.Body, frames, 4))
        format.FactFrames = qFromLittleEndian<quint32>(frames);
    return TWavRead::Ok;
}

std::int16_t MuLawToLinear(std::uint8_t code)
{
    // The bits are stored inverted: sign, three bits of segment, four of mantissa. The
    // magnitude is (mantissa * 8 + 132) shifted by the segment, less the bias of 132.
    const unsigned u = ~unsigned(code) & 0xFFu;
    const int magnitude = ((int((u & 0x0Fu) << 3) + 0x84) << ((u & 0x70u) >> 4)) - 0x84;
    return std::int16_t((u & 0x80u) ? -magnitude : magnitude);
}

std::int16_t ALawToLinear(std::uint8_t code)
{
    // Every other bit is stored inverted; then sign (1 is positive), three bits of segment
    // and four of mantissa. Segment 0 is linear; each further one doubles the step.
    const unsigned a = unsigned(code) ^ 0x55u;
    const unsigned segment = (a & 0x70u) >> 4;
    int magnitude = int((a & 0x0Fu) << 4);
    if (segment == 0)
        magnitude += 8;
    else
        magnitude = (magnitude + 0x108) << (segment - 1);
    return std::int16_t((a & 0x80u) ? magnitude : -magnitude);
}

namespace {

// How far the step index moves after each 4-bit code, and the 89 step sizes it picks from.
constexpr int kImaIndexMove[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};
constexpr int kImaSteps[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

struct TImaChannel
{
    int Sample = 0;
    int Index = 0;

    std::int16_t Next(unsigned code)
    {
        const int step = kImaSteps[Index];
        int diff = step >> 3;
        if (code & 4u)
            diff += step;
        if (code & 2u)
            diff += step >> 1;
        if (code & 1u)
            diff += step >> 2;
        Sample = std::clamp(code & 8u ? Sample - diff : Sample + diff, -32768, 32767);
        Index = std::clamp(Index + kImaIndexMove[code & 15u], 0, 88);
        return std::int16_t(Sample);
    }
};

} // namespace

int ImaAdpcmBlockFrames(int blockBytes, int channels)
{
    if (channels < 1 || blockBytes <= 4 * channels || (blockBytes - 4 * channels) % (4 * channels))
        return 0;
    return 1 + (blockBytes - 4 * channels) / (4 * channels) * 8;
}

int DecodeImaAdpcmBlock(const std::uint8_t *block, int size, int channels, std::int16_t *out,
                        int maxFrames)
{
    if (channels < 1 || channels > 64 || size < 4 * channels || maxFrames < 1)
        return 0;
    TImaChannel state[64];
    for (int c = 0; c < channels; ++c) {
        const std::uint8_t *h = block + 4 * c;
        state[c].Sample = std::int16_t(std::uint16_t(h[0] | h[1] << 8));
        // A damaged index is held in range rather than trusted as a table position.
        state[c].Index = std::min<int>(h[2], 88);
        out[c] = std::int16_t(state[c].Sample);
    }
    const int groups = std::min((size - 4 * channels) / (4 * channels), (maxFrames - 1) / 8);
    const std::uint8_t *data = block + 4 * channels;
    for (int g = 0; g < groups; ++g) {
        std::int16_t *frames = out + std::ptrdiff_t(1 + 8 * g) * channels;
        for (int c = 0; c < channels; ++c) {
            const std::uint8_t *bytes = data + (g * channels + c) * 4;
            for (int b = 0; b < 4; ++b) {
                frames[(2 * b) * channels + c] = state[c].Next(bytes[b] & 15u);
                frames[(2 * b + 1) * channels + c] = state[c].Next(bytes[b] >> 4);
            }
        }
    }
    return 1 + 8 * groups;
}

} // namespace jxt::platform
