// SPDX-License-Identifier: MIT
// Example of the reference: a form background with a woven pattern and size limits.
#include "effects/JXForm.h"
#include "host/controls/Forms.h"

void ExampleJXForm(jxt::TForm *form)
{
    //! [example]
    auto *background = new jxt::TJXForm(form); // paints the form it belongs to
    background->SetFillStyle(jxt::TJXFillImage::Weave);
    background->SetFormMinWidth(320);
    background->SetFormMinHeight(200);
    //! [example]
}
