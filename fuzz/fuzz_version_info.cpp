// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the version-resource reader twice: as a program whose resource
// section is searched, and as a version resource itself. Every value found lies inside the
// bytes it came from.
// fuzz-layer: platform
#include "platform/Icons.h"
#include "platform/VersionInfo.h"

#include <cstddef>
#include <cstdint>

using namespace jxt::platform;

namespace {

void Query(const QByteArray &resource)
{
    const char *paths[] = {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo",
                           "\\StringFileInfo\\040904B0\\CompanyName", "\\a\\b\\c\\d"};
    for (const char *path : paths) {
        const TVersionValue value = VersionQueryValue(resource, QLatin1String(path));
        if (value.Found && value.Data.size() > resource.size())
            __builtin_trap();
        if (value.Text(256).size() > 256)
            __builtin_trap();
    }
    for (const auto &[language, codePage] : VersionTranslations(resource)) {
        const QString prefix = QStringLiteral("\\StringFileInfo\\%1%2\\ProductName")
                                   .arg(language, 4, 16, QLatin1Char('0'))
                                   .arg(codePage, 4, 16, QLatin1Char('0'));
        VersionQueryValue(resource, prefix);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input =
        QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size));
    const QByteArray resource = ExeVersionResource(input);
    if (resource.size() > input.size())
        __builtin_trap();
    Query(resource);
    Query(input);
    return 0;
}
