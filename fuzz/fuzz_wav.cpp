// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the wave header reader, the chunk walk and the 48-bit real: a
// header read back from its own bytes is the same, a usable header has a finite playing
// time, the data a walk finds lies inside the input, and every 48-bit real converts to a
// finite double that converts back to the same bytes; the G.711 decoders are symmetric; an
// IMA ADPCM block of any size and channel count decodes within its room and its frame count.
// fuzz-layer: platform
#include "platform/WavHeader.h"

#include <QBuffer>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace jxt::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<int>(size));
    TWavHeader header;
    if (ParseWavHeader(input, header) != (size >= 44))
        __builtin_trap();
    if (size >= 44) {
        if (WavHeaderBytes(header) != input.left(44))
            __builtin_trap();
        if (IsUsableWavHeader(header) && !std::isfinite(WavPlayTime(header)))
            __builtin_trap();
    }
    {
        QByteArray bytes = input;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TWavFormat format;
        const TWavRead result = ReadWavFormat(buffer, format);
        if (result == TWavRead::Ok &&
            (format.DataPresent <= 0 || format.DataPresent > qint64(format.DataSize) ||
             format.DataOffset < 12 || format.DataOffset + format.DataPresent > qint64(size)))
            __builtin_trap();
    }
    // The G.711 decoders: the sign bit mirrors the sample, for every byte of the input.
    for (std::size_t i = 0; i < size && i < 256; ++i) {
        if (MuLawToLinear(std::uint8_t(data[i] ^ 0x80)) != -MuLawToLinear(data[i]) ||
            ALawToLinear(std::uint8_t(data[i] ^ 0x80)) != -ALawToLinear(data[i]))
            __builtin_trap();
    }
    if (size >= 1) {
        // The first byte picks the channels and the room; the rest is the block.
        const int channels = 1 + data[0] % 8;
        const int room = data[0] / 8; // 0..31 frames
        const int blockSize = int(size - 1);
        std::vector<std::int16_t> out(std::size_t(room + 1) * std::size_t(channels), 0x5A5A);
        const int got = DecodeImaAdpcmBlock(data + 1, blockSize, channels, out.data(), room);
        const int whole = ImaAdpcmBlockFrames(blockSize, channels);
        if (got < 0 || got > room || (whole > 0 && got > whole))
            __builtin_trap();
        for (int c = 0; c < channels; ++c) // the guard frame past the room stays untouched
            if (out[std::size_t(room) * std::size_t(channels) + std::size_t(c)] != 0x5A5A)
                __builtin_trap();
    }
    if (size >= 6) {
        std::array<std::uint8_t, 6> bytes;
        std::memcpy(bytes.data(), data, 6);
        const TReal48 real = TReal48::FromBytes(bytes);
        const double value = real.ToDouble();
        if (!std::isfinite(value))
            __builtin_trap();
        // Every non-zero 48-bit real is exactly a double; zero has many byte forms.
        if (bytes[0] != 0 && !(TReal48(value) == real))
            __builtin_trap();
    }
    if (size >= 8) {
        double d;
        std::memcpy(&d, data, 8);
        const double back = TReal48(d).ToDouble();
        if (!std::isfinite(back))
            __builtin_trap();
        if (std::isfinite(d) && std::fabs(d) > 1e-30 && std::fabs(d) < 1e30 &&
            std::fabs(back - d) > std::fabs(d) * 1e-11)
            __builtin_trap();
    }
    return 0;
}
