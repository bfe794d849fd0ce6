// SPDX-License-Identifier: MIT
// Example of the reference: a line of text scrolling from right to left.
#include "display/JXScrollText.h"
#include "host/controls/Forms.h"

void ExampleJXScrollText(jxt::TForm *form)
{
    //! [example]
    auto *text = new jxt::TJXScrollText(form);
    text->SetParent(form);
    text->SetBounds(8, 8, 300, 24);
    text->SetCaption(QStringLiteral("Neue Nachrichten sind eingetroffen"));
    text->SetInterval(30);
    text->OnStartText = [](jxt::TObject *) { /* one pass is over */ };
    //! [example]
}
