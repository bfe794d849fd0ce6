// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the icon file reader and checks what it promises: at most one
// image per directory entry, each within the size limit and in the 32-bit ARGB format.
// fuzz-layer: platform
#include "platform/Icons.h"

#include <cstddef>
#include <cstdint>

using namespace jxt::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input =
        QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size));
    const auto images = ReadIcoImages(input);
    const std::size_t declared = size >= 6 ? std::size_t(data[4] | (data[5] << 8)) : 0;
    if (images.size() > declared)
        __builtin_trap();
    for (const QImage &image : images)
        if (image.width() > 256 || image.height() > 256 || image.format() != QImage::Format_ARGB32)
            __builtin_trap();
    const QImage picked = PickIconImage(images, 32);
    if (!images.empty() && picked.size() != QSize(32, 32))
        __builtin_trap();
    // The same bytes as a single image entry.
    const QImage single = DecodeIconImage(input.constData(), input.size());
    if (!single.isNull() && (single.width() > 256 || single.height() > 256))
        __builtin_trap();
    return 0;
}
