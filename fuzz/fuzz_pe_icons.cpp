// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the PE and NE resource readers: every icon group they count can
// be asked for, any other index gives nothing, and no image exceeds the size limit.
// fuzz-layer: platform
#include "platform/Icons.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace jxt::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input =
        QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size));
    const int groups = ExeIconGroupCount(input);
    const TIconContainer kind = IconContainerOf(input);
    if ((kind == TIconContainer::Pe || kind == TIconContainer::Ne) != (groups >= 0))
        __builtin_trap();
    for (int i = 0; i < groups && i < 16; ++i)
        for (const QImage &image : ExeIconGroupImages(input, i))
            if (image.isNull() || image.width() > 256 || image.height() > 256)
                __builtin_trap();
    if (!ExeIconGroupImages(input, std::max(groups, 0)).empty() ||
        !ExeIconGroupImages(input, -1).empty())
        __builtin_trap();
    return 0;
}
