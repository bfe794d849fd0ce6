// SPDX-License-Identifier: MIT
#include "platform/WavHeader.h"

#include <QtEndian>

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

} // namespace jxt::platform
