// SPDX-License-Identifier: MIT
// Example of the reference: a form that comes back where the user left it.
#include "services/JXINI.h"
#include "host/controls/Forms.h"

void ExampleJXINI(jxt::TForm *form)
{
    //! [example]
    auto *settings = new jxt::TJXINI(form); // non-visual
    settings->SetINIFileName(QStringLiteral("viewer.ini"));
    settings->SetSaveWinPos(jxt::swpSizePosition);
    settings->ReadINI(); // places the form as it was saved
    form->OnClose = [settings](jxt::TObject *, jxt::TCloseAction &) { settings->WriteINI(); };
    //! [example]
}
