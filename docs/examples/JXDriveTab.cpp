// SPDX-License-Identifier: MIT
// Example of the reference: tabs for the drives, one chosen.
#include "controls/JXDriveTab.h"
#include "host/controls/Forms.h"
#include <QDebug>
void ExampleJXDriveTab(jxt::TForm *form)
{
    //! [example]
    auto *drives = new jxt::TJXDriveTab(form);
    drives->SetParent(form);
    drives->SetAlign(jxt::alTop);
    drives->SetDrive(QLatin1Char('C'));
    drives->OnClick = [drives](jxt::TObject *) { qDebug() << "drive" << drives->Drive(); };
    //! [example]
}
