// SPDX-License-Identifier: MIT
// Example of the reference: a raised caption with a shadow.
#include "display/JX3dLabel.h"
#include "host/controls/Forms.h"

void ExampleJX3dLabel(jxt::TForm *form)
{
    //! [example]
    auto *label = new jxt::TJX3dLabel(form);
    label->SetParent(form);
    label->SetCaption(QStringLiteral("Willkommen"));
    label->SetCaptionStyle(jxt::TJX3dLabel::csShadow);
    label->SetShadowDepth(3);
    label->SetShadowColor(jxt::clGray);
    //! [example]
}
