// SPDX-License-Identifier: MIT
// The designer's editor of the icon list box's IconFilename.
#include "editors/IcoFileProperty.h"

#include "host/controls/Dialogs.h"
#include "platform/Paths.h"

namespace jxt {

void TIcoFileProperty::Edit()
{
    QString fileName = GetStrValue();
    if (PromptForFileName(fileName,
                          QStringLiteral("Executable (*.Exe)|*.EXE;*.DLL|All files (*.*)|*.*"),
                          platform::ExtractFilePath(fileName), QString(), false))
        SetStrValue(fileName);
}

} // namespace jxt
