// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the SZDD decoder and checks what it promises: a success returns
// exactly the bytes produced, input that is not compressed comes back unchanged, and decoded
// data has the length its header declares.
#include "platform/Szdd.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

using namespace jxt::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<int>(size));
    QByteArray output;
    const qint64 limit = 4 * 1024 * 1024;
    const qint64 rc = LZDecode(input, output, limit);
    if (rc >= 0 && rc != output.size())
        __builtin_trap();
    if (!IsSzdd(input) && (rc != qint64(size) || output != input))
        __builtin_trap();
    TSzddHeader header;
    if (rc >= 0 && ReadSzddHeader(input, header) && rc != qint64(header.Length))
        __builtin_trap();
    if (output.size() > limit + 64 * 1024)
        __builtin_trap();
    return 0;
}
