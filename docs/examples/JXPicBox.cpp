// SPDX-License-Identifier: MIT
// Example of the reference: thumbnails of the bitmaps of a folder, read in the background.
#include "controls/JXPicBox.h"
#include "host/controls/Forms.h"
#include <QDebug>
void ExampleJXPicBox(jxt::TForm *form)
{
    //! [example]
    auto *pictures = new jxt::TJXPicBox(form);
    pictures->SetParent(form);
    pictures->SetAlign(jxt::alClient);
    pictures->SetPicWidth(64);
    pictures->SetPicHeight(64);
    pictures->OnChangePicCount = [](jxt::TObject *, int count) { qDebug("%d pictures", count); };
    pictures->SetPicPattern(QStringLiteral("C:\\Bilder\\*.BMP"));
    // A box made in code scans once it is told that its properties are set.
    jxt::Loaded(pictures);
    //! [example]
}
