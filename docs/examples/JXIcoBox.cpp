// SPDX-License-Identifier: MIT
// Example of the reference: the icons of a program, one per cell.
#include "controls/JXIcoBox.h"
#include "host/controls/Forms.h"
#include <QDebug>
void ExampleJXIcoBox(jxt::TForm *form)
{
    //! [example]
    auto *icons = new jxt::TJXIcoBox(form);
    icons->SetParent(form);
    icons->SetAlign(jxt::alClient);
    icons->OnChangeIconCount = [icons](jxt::TObject *) { qDebug("%d icons", icons->IconCount()); };
    icons->SetIconFileName(QStringLiteral("C:\\Programme\\tool.exe"));
    //! [example]
}
