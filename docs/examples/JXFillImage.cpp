// SPDX-License-Identifier: MIT
// Example of the reference: a colour ramp as a panel background.
#include "effects/JXFillImage.h"
#include "host/controls/Forms.h"

void ExampleJXFillImage(jxt::TForm *form)
{
    //! [example]
    auto *fill = new jxt::TJXFillImage(form);
    fill->SetParent(form);
    fill->SetAlign(jxt::alClient);
    fill->SetFillStyle(jxt::TJXFillImage::hRAINBOW);
    fill->SetRBFromColor(jxt::clNavy);
    fill->SetRBToColor(jxt::clBlack);
    fill->SetRBSteps(64);
    //! [example]
}
