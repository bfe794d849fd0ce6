// SPDX-License-Identifier: MIT
// Example of the reference: copying files with the progress form.
#include "services/JXCopy.h"
#include "host/controls/Forms.h"
#include <QDebug>
void ExampleJXCopy(jxt::TForm *form)
{
    //! [example]
    auto *copy = new jxt::TJXCopy(form);
    copy->SetSource(QStringLiteral("C:\\Daten\\*.txt"));
    copy->SetDest(QStringLiteral("D:\\Sicherung\\"));
    copy->SetOverWrite(true);
    copy->SetShowCopyDialog(true); // the form with its gauges and a cancel button
    copy->OnChange = [](jxt::TObject *, int files, const QString &from, const QString &) {
        qDebug() << files << from;
    };
    const bool copied = copy->Copy(); // false when cancelled or stopped
    Q_UNUSED(copied);
    //! [example]
}
