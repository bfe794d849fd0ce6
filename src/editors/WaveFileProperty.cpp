// SPDX-License-Identifier: MIT
// The designer's editor of the wave player's FileName.
#include "editors/WaveFileProperty.h"

#include "host/controls/Dialogs.h"
#include "platform/Paths.h"
#include "services/JXWAV.h"

#include <QCoreApplication>

namespace jxt {

void TWaveFileProperty::Edit()
{
    QString fileName = GetStrValue();
    if (!PromptForFileName(fileName,
                           QCoreApplication::translate(
                               "jxtpack", "Wave Dateien (*.wav)|*.WAV|All files (*.*)|*.*"),
                           platform::ExtractFilePath(fileName), QString(), false))
        return;
    for (int i = 0; i < PropCount(); ++i) {
        TComponent *component = GetComponent(i);
        auto *wav = qobject_cast<TJXWAV *>(component);
        if (!wav) {
            component->setProperty(PropertyName().toLatin1().constData(), fileName);
            continue;
        }
        try {
            wav->SetFileName(fileName);
        } catch (const Exception &e) {
            // The designer shows why the file cannot be used; the name stays set.
            ShowMessage(e.Message());
        }
    }
}

} // namespace jxt
