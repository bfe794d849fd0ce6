// SPDX-License-Identifier: MIT
// Jxutil: helpers around the running system.
#pragma once

#include "host/Controls.h"
#include "host/Export.h"

#include <QString>

namespace jxt {

/// Sets the cursor of the whole application (Screen->Cursor) and shows it at once, without
/// waiting for the next mouse move. -11 (crHourGlass) marks a busy phase; crDefault gives
/// every control its own cursor back.
JXT_EXPORT void jxtSetScreenCursor(TCursor cursor);

/// The ten texts of a file's version resource, in the order of the resource's usual keys.
struct JXT_EXPORT TVersionType
{
    QString CompanyName;
    QString FileDescription;
    QString FileVersion;
    QString InternalName;
    QString LegalCopyright;
    QString LegalTradeMarks;
    QString OriginalFileName;
    QString ProductName;
    QString ProductVersion;
    QString Comments;
};

/// Reads the texts of the version resource of a Windows program or library (PE, 32 or 64
/// bit) into info: the string table of the first language listed under "Translation" (the
/// first string table when that list is missing or names no table of the file), each text up
/// to 256 characters; keys are found ignoring case ("OriginalFilename"). Every field is emptied
/// first, so a file without a version resource (an ELF program, a text file, a missing file) leaves
/// them all empty.
JXT_EXPORT void jxtGetFileVersionsInfo(const QString &fileName, TVersionType &info);

} // namespace jxt
