// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes behind a valid NE header to the 16-bit resource reader, so the
// fuzzer spends its time in the resource table rather than on finding the signature.
// fuzz-layer: platform
#include "platform/Icons.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace jxt::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray input(64, '\0');
    input[0] = 'M';
    input[1] = 'Z';
    input[0x3C] = 64;
    input.append("NE", 2);
    input.append(reinterpret_cast<const char *>(data), static_cast<int>(size));
    // The reader needs the whole 64-byte header before it takes the file for NE.
    if (input.size() < 128)
        input.append(QByteArray(128 - input.size(), '\0'));
    const int groups = ExeIconGroupCount(input);
    if (groups < 0)
        __builtin_trap();
    for (int i = 0; i < groups && i < 16; ++i)
        for (const QImage &image : ExeIconGroupImages(input, i))
            if (image.isNull() || image.width() > 256 || image.height() > 256)
                __builtin_trap();
    return 0;
}
