// SPDX-License-Identifier: MIT
// Example of the reference: a font list that sets the font of a label.
#include "controls/JXFontCombo.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"

void ExampleJXFontCombo(jxt::TForm *form)
{
    //! [example]
    auto *label = new jxt::TLabel(form);
    label->SetParent(form);
    label->SetCaption(QStringLiteral("Beispieltext"));
    auto *fonts = new jxt::TJXFontCombo(form);
    fonts->SetParent(form);
    fonts->SetTrueTypeOnly(true);
    fonts->SetControl(form); // the chosen font goes to the form and its controls
    fonts->SetSelFont(QStringLiteral("Arial"));
    //! [example]
}
