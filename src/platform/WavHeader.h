// SPDX-License-Identifier: MIT
// The 44-byte header at the start of a wave file, and the 6-byte floating-point number
// (Real48) that wave information records carry.
#pragma once

#include "base/Export.h"

#include <QByteArray>

class QIODevice;

#include <array>
#include <cstdint>

namespace jxt::platform {

/// A 48-bit real: one exponent byte (bias 129, 0 meaning zero), 39 bits of fraction with an
/// implicit leading one, and the sign in the top bit of the last byte. Its range is about
/// 2.9e-39 to 1.7e38 with 11 to 12 significant digits. Values are rounded to the nearest
/// representable one; magnitudes too small become 0, too large or not a number are clamped
/// to the largest magnitude of their sign (a NaN to 0).
class JXT_EXPORT TReal48
{
public:
    /// Zero.
    TReal48() = default;
    /// The real nearest to value (see above for the range).
    //!@{
    TReal48(double value) { *this = FromDouble(value); }
    static TReal48 FromDouble(double value);
    //!@}
    /// The real stored in those six bytes.
    static TReal48 FromBytes(const std::array<std::uint8_t, 6> &bytes);
    /// The value as a double (exact: every 48-bit real is one).
    //!@{
    double ToDouble() const;
    operator double() const { return ToDouble(); }
    //!@}
    /// The six bytes as stored.
    const std::array<std::uint8_t, 6> &Bytes() const { return m_bytes; }
    /// Equal when the bytes are.
    bool operator==(const TReal48 &o) const { return m_bytes == o.m_bytes; }

private:
    std::array<std::uint8_t, 6> m_bytes{};
};

/// The fields of a wave file's first 44 bytes (all little-endian).
struct JXT_EXPORT TWavHeader
{
    std::uint32_t RiffID = 0;        ///< bytes 0-3, "RIFF" for a wave file
    std::int32_t RiffSize = 0;       ///< bytes 4-7
    std::uint32_t FormType = 0;      ///< bytes 8-11, "WAVE"
    std::uint32_t FmtID = 0;         ///< bytes 12-15, "fmt "
    std::int32_t FmtSize = 0;        ///< bytes 16-19
    std::uint16_t FormatTag = 0;     ///< bytes 20-21, 1 for PCM
    std::uint16_t Channels = 0;      ///< bytes 22-23
    std::int32_t SamplesPerSec = 0;  ///< bytes 24-27
    std::int32_t AvgBytesPerSec = 0; ///< bytes 28-31
    std::uint16_t BlockAlign = 0;    ///< bytes 32-33, bytes per sample of all channels
    std::uint16_t BitsPerSample = 0; ///< bytes 34-35
    std::uint32_t DataID = 0;        ///< bytes 36-39, "data"
    std::int32_t DataSize = 0;       ///< bytes 40-43
};

/// The size of the header in bytes.
constexpr int kWavHeaderSize = 44;

/// A four-character code as stored in the file ("RIFF" -> 0x46464952).
constexpr std::uint32_t FourCC(const char (&code)[5])
{
    return std::uint32_t(std::uint8_t(code[0])) | (std::uint32_t(std::uint8_t(code[1])) << 8) |
           (std::uint32_t(std::uint8_t(code[2])) << 16) |
           (std::uint32_t(std::uint8_t(code[3])) << 24);
}

/// Reads the header fields from the first 44 bytes of data; false when data is shorter.
JXT_EXPORT bool ParseWavHeader(const QByteArray &data, TWavHeader &header);
/// The 44 bytes of a header.
JXT_EXPORT QByteArray WavHeaderBytes(const TWavHeader &header);

/// Whether a header describes a playable wave: form type "WAVE", more than 50 bytes after the
/// 44 header bytes, and a non-zero byte rate (so a playing time can be computed).
JXT_EXPORT bool IsUsableWavHeader(const TWavHeader &header);
/// The playing time in seconds of a usable header: (RIFF size - 44) / bytes per second.
JXT_EXPORT double WavPlayTime(const TWavHeader &header);

/// What a walk through a wave file's chunks found: the format chunk's fields and where the
/// sample data lies.
struct JXT_EXPORT TWavFormat
{
    std::uint16_t FormatTag = 0; ///< as stored; 0xFFFE for the extensible format
    /// The format chunk's other fields, as stored.
    //!@{
    std::uint16_t Channels = 0;
    std::int32_t SamplesPerSec = 0;
    std::uint32_t AvgBytesPerSec = 0;
    std::uint16_t BlockAlign = 0;
    std::uint16_t BitsPerSample = 0;
    //!@}
    /// The sample coding: FormatTag, or for the extensible format the tag its sub-format
    /// GUID carries (0 when the GUID is not one of the standard tag GUIDs).
    std::uint16_t SampleTag = 0;
    qint64 DataOffset = 0;      ///< file offset of the first sample byte
    std::uint32_t DataSize = 0; ///< size the data chunk's header declares
    qint64 DataPresent = 0;     ///< bytes of the data chunk that the file really holds
    qint64 FactFrames = -1;     ///< sample frames the "fact" chunk gives; -1 without one
};

constexpr std::uint16_t kWaveFormatPcm = 1;
constexpr std::uint16_t kWaveFormatIeeeFloat = 3;
constexpr std::uint16_t kWaveFormatALaw = 6;
constexpr std::uint16_t kWaveFormatMuLaw = 7;
constexpr std::uint16_t kWaveFormatImaAdpcm = 0x11;
constexpr std::uint16_t kWaveFormatExtensible = 0xFFFE;

/// The 16-bit linear sample an 8-bit G.711 mu-law byte stands for (0xFF and 0x7F are 0,
/// 0x00 is -32124, 0x80 is 32124).
JXT_EXPORT std::int16_t MuLawToLinear(std::uint8_t code);
/// The 16-bit linear sample an 8-bit G.711 A-law byte stands for (0xD5 is 8, 0x55 is -8,
/// 0xAA is 32256, 0x2A is -32256).
JXT_EXPORT std::int16_t ALawToLinear(std::uint8_t code);

/// Frames of 16-bit samples one IMA ADPCM block of blockBytes bytes holds for channels
/// channels: the header sample of each channel plus eight per four data bytes of a channel.
/// 0 when the block is too short for its headers or its data is not whole 4-byte groups.
JXT_EXPORT int ImaAdpcmBlockFrames(int blockBytes, int channels);
/// Decodes one IMA ADPCM block as wave files store it: per channel a header (16-bit first
/// sample, step index, a reserved byte), then groups of four bytes per channel in turn, low
/// nibble first. Writes interleaved 16-bit samples to out (room for maxFrames frames) and
/// returns the frames written: a block cut short gives the frames of its whole groups.
JXT_EXPORT int DecodeImaAdpcmBlock(const std::uint8_t *block, int size, int channels,
                                   std::int16_t *out, int maxFrames);

/// Outcome of ReadWavFormat, in the order the walk can fail.
enum class TWavRead {
    Ok,
    NotWave,     ///< no RIFF chunk of form type "WAVE"
    NoFormat,    ///< the RIFF chunk holds no "fmt " chunk
    ShortFormat, ///< the format chunk is shorter than 16 bytes or cut off by the file's end
    NoData,      ///< the RIFF chunk holds no "data" chunk
    EmptyData    ///< the data chunk holds no bytes
};

/// Walks the chunks of a RIFF wave file read from device (random access, positioned
/// anywhere). Every size is checked against the device's size: a chunk that claims more
/// bytes than follow ends the walk, a data chunk that claims more reports what is present in
/// DataPresent, and at most kMaxWavChunks chunks are visited per level, so any input ends
/// quickly. On success, and after a failure from NoData on, format holds the format fields.
JXT_EXPORT TWavRead ReadWavFormat(QIODevice &device, TWavFormat &format);
constexpr int kMaxWavChunks = 4096;

} // namespace jxt::platform
