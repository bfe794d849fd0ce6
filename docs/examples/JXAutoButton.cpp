// SPDX-License-Identifier: MIT
// Example of the reference: a flat tool button that lights up under the mouse.
#include "controls/JXAutoButton.h"
#include "host/controls/Forms.h"

void ExampleJXAutoButton(jxt::TForm *form)
{
    //! [example]
    auto *button = new jxt::TJXAutoButton(form);
    button->SetParent(form);
    button->SetCaption(QStringLiteral("Öffnen"));
    button->SetFontActiveColor(jxt::clBlue);
    button->SetFontActiveUnderline(true);
    button->OnClick = [](jxt::TObject *) { /* open something */ };
    //! [example]
}
