// SPDX-License-Identifier: MIT
// Example of the reference: a frame animation from a bitmap of 4 x 2 frames.
#include "effects/JXAnimate.h"
#include "host/controls/Forms.h"
#include "host/graphics/Graphics.h"

void ExampleJXAnimate(jxt::TForm *form)
{
    //! [example]
    jxt::TBitmap frames;
    frames.LoadFromFile(QStringLiteral("spinner.bmp")); // 4 columns, 2 rows of frames
    auto *animation = new jxt::TJXAnimate(form);
    animation->SetParent(form);
    animation->SetPicture(&frames);
    animation->SetCols(4);
    animation->SetRows(2);
    animation->SetInterval(100);
    //! [example]
}
