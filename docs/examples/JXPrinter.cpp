// SPDX-License-Identifier: MIT
// Example of the reference: two pages with a head line, shown in the preview.
#include "services/JXPrinter.h"
#include "host/controls/Forms.h"

void ExampleJXPrinter(jxt::TForm *form)
{
    //! [example]
    auto *printer = new jxt::TJXPrinter(form);
    printer->SetTopCaption(QStringLiteral("Bericht"));
    printer->NewDoc(); // page 1 is open
    printer->TextCenter(QStringLiteral("Seite eins"), 100);
    printer->NewPage();
    printer->TextCenter(QStringLiteral("Seite zwei"), 100);
    printer->Show(); // the preview, from which the user prints
    //! [example]
}
