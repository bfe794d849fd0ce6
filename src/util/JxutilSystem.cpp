// SPDX-License-Identifier: MIT
#include "util/JxutilSystem.h"

#include "host/Forms.h"
#include "platform/Pointer.h"
#include "platform/VersionInfo.h"

namespace jxt {

void jxtSetScreenCursor(TCursor cursor)
{
    Screen()->SetCursor(cursor);
    platform::RefreshPointer();
}

void jxtGetFileVersionsInfo(const QString &fileName, TVersionType &info)
{
    info = TVersionType();
    const QByteArray resource = platform::FileVersionResource(fileName);
    if (resource.isEmpty())
        return;
    // The string table of the first listed translation; where the list is missing or names
    // a table the file does not have, the first table there is.
    const QString tables = QStringLiteral("\\StringFileInfo\\");
    QString prefix;
    const auto translations = platform::VersionTranslations(resource);
    if (!translations.empty()) {
        const QString table = QStringLiteral("%1%2")
                                  .arg(translations.front().first, 4, 16, QLatin1Char('0'))
                                  .arg(translations.front().second, 4, 16, QLatin1Char('0'))
                                  .toUpper();
        if (platform::VersionQueryValue(resource, tables + table).Found)
            prefix = tables + table;
    }
    if (prefix.isEmpty()) {
        const QStringList available = platform::VersionChildKeys(resource, tables);
        if (available.isEmpty())
            return;
        prefix = tables + available.front();
    }
    const std::pair<const char *, QString TVersionType::*> keys[] = {
        {"CompanyName", &TVersionType::CompanyName},
        {"FileDescription", &TVersionType::FileDescription},
        {"FileVersion", &TVersionType::FileVersion},
        {"InternalName", &TVersionType::InternalName},
        {"LegalCopyright", &TVersionType::LegalCopyright},
        {"LegalTradeMarks", &TVersionType::LegalTradeMarks},
        {"OriginalFileName", &TVersionType::OriginalFileName},
        {"ProductName", &TVersionType::ProductName},
        {"ProductVersion", &TVersionType::ProductVersion},
        {"Comments", &TVersionType::Comments},
    };
    for (const auto &[key, field] : keys) {
        const platform::TVersionValue value =
            platform::VersionQueryValue(resource, prefix + QLatin1Char('\\') + QLatin1String(key));
        if (value.Found)
            info.*field = value.Text(256);
    }
}

} // namespace jxt
