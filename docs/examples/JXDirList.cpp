// SPDX-License-Identifier: MIT
// Example of the reference: grouping found files by their folder.
#include "services/JXDirList.h"
#include "host/controls/Forms.h"
#include <QDebug>
void ExampleJXDirList(jxt::TForm *form)
{
    //! [example]
    auto *groups = new jxt::TJXDirList(form);
    groups->SetFileListStrings({QStringLiteral("C:\\x\\a.txt"), QStringLiteral("C:\\x\\b.txt"),
                                QStringLiteral("C:\\y\\c.txt")});
    groups->Update();
    for (int i = 0; i < groups->DirList()->Count(); ++i)
        qDebug() << groups->DirList()->Get(i) << groups->GetFiles(i)->Count();
    //! [example]
}
