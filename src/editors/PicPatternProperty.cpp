// SPDX-License-Identifier: MIT
// The designer's editor of the picture list box's PicPattern.
#include "editors/PicPatternProperty.h"

#include "host/controls/Dialogs.h"
#include "platform/Paths.h"

namespace jxt {

void TPicPatternProperty::Edit()
{
    QString directory = platform::ExtractFilePath(GetStrValue());
    if (!SelectDirectory(QString(), QString(), directory))
        return;
    if (directory.endsWith(QLatin1Char('\\')))
        directory.chop(1);
    SetStrValue(directory + QStringLiteral("\\*.*"));
}

} // namespace jxt
