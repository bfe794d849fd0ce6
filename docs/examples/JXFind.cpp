// SPDX-License-Identifier: MIT
// Example of the reference: finding the text files below a folder.
#include "services/JXFind.h"
#include "host/controls/Forms.h"
#include <QDebug>
void ExampleJXFind(jxt::TForm *form)
{
    //! [example]
    auto *find = new jxt::TJXFind(form);
    find->SetStartPath(QStringLiteral("C:\\Daten"));
    find->SetFilePattern(QStringLiteral("*.txt;*.ini"));
    find->SetSubdirs(true);
    find->OnFindFile = [](jxt::TObject *, jxt::TSearchRec &rec, const QString &path,
                          const QString &) { qDebug() << path + rec.Name << rec.Size; };
    find->Execute(); // returns when the walk is over
    //! [example]
}
