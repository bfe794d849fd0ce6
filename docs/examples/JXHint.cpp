// SPDX-License-Identifier: MIT
// Example of the reference: balloon hints for every control of the application.
#include "services/JXHint.h"
#include "host/controls/Forms.h"

void ExampleJXHint(jxt::TForm *form)
{
    //! [example]
    auto *hints = new jxt::TJXHint(form); // one for the whole application
    hints->SetColor(jxt::clInfoBk);
    hints->SetHintPosition(jxt::hpBelowRight);
    hints->SetShadowDepth(6);
    form->SetHint(QStringLiteral("Zeigt die Balloon-Hilfe"));
    form->SetShowHint(true);
    //! [example]
}
