// SPDX-License-Identifier: MIT
// Example of the reference: a picture that fades in from random blocks.
#include "effects/JXFxImage.h"
#include "host/controls/Forms.h"
#include "host/graphics/Graphics.h"

void ExampleJXFxImage(jxt::TForm *form)
{
    //! [example]
    jxt::TBitmap picture;
    picture.LoadFromFile(QStringLiteral("splash.bmp"));
    auto *image = new jxt::TJXFxImage(form);
    image->SetParent(form);
    image->SetPicture(&picture);
    image->SetFadeStyle(jxt::TJXFxImage::jxfsRandom);
    image->FadeIn(); // returns when the picture is complete
    //! [example]
}
