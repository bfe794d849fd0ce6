// SPDX-License-Identifier: MIT
// Example of the reference: a scrolling dot-matrix news line.
#include "display/JXDOTPanel.h"
#include "host/controls/Forms.h"

void ExampleJXDOTPanel(jxt::TForm *form)
{
    //! [example]
    auto *dots = new jxt::TJXDOTPanel(form);
    dots->SetParent(form);
    dots->SetColumns(16);
    dots->SetRows(1);
    dots->SetItemLines({QStringLiteral("NEWS: ALL SYSTEMS NOMINAL")});
    dots->SetInterval(80); // a longer line than the columns scrolls
    dots->OnStartText = [](jxt::TObject *) { /* the text starts again */ };
    //! [example]
}
