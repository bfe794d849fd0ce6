// SPDX-License-Identifier: MIT
// Example of the reference: one cell of a picture grid, stepped by a timer.
#include "controls/JXPicClip.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"

void ExampleJXPicClip(jxt::TForm *form)
{
    //! [example]
    auto *sheet = new jxt::TImage(form); // holds a picture of 4 x 4 cells
    sheet->Picture()->LoadFromFile(QStringLiteral("cells.bmp"));
    auto *clip = new jxt::TJXPicClip(form);
    clip->SetParent(form);
    clip->SetImage(sheet);
    clip->SetCols(4);
    clip->SetRows(4);
    clip->SetInterval(200); // shows the next cell every 200 ms
    //! [example]
}
