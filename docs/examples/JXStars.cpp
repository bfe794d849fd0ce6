// SPDX-License-Identifier: MIT
// Example of the reference: a star field behind a form's content.
#include "effects/JXStars.h"
#include "host/controls/Forms.h"

void ExampleJXStars(jxt::TForm *form)
{
    //! [example]
    auto *stars = new jxt::TJXStars(form);
    stars->SetParent(form);
    stars->SetAlign(jxt::alClient);
    stars->SetMaxStars(200);
    stars->SetInterval(40);
    //! [example]
}
