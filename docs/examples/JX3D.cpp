// SPDX-License-Identifier: MIT
// Example of the reference: a turning model read from its text form.
#include "effects/JX3D.h"
#include "host/controls/Forms.h"

void ExampleJX3D(jxt::TForm *form)
{
    //! [example]
    auto *view = new jxt::TJX3D(form);
    view->SetParent(form);
    view->SetBounds(8, 8, 300, 300);
    view->LoadFromList(
        QStringList{QStringLiteral("POINT 0 -50 -50 -50"), QStringLiteral("POINT 1 50 -50 -50"),
                    QStringLiteral("POINT 2 0 50 0"), QStringLiteral("LINE 0,1,2,0 clYellow")});
    view->SetYRotation(5); // degrees per timer step
    view->SetInterval(50);
    //! [example]
}
