// SPDX-License-Identifier: MIT
#include "util/JXU_File.h"

#include "platform/Paths.h"

namespace jxt::JXU_File {

void jxtSplitFileName(QString fileName, QString &path, QString &name, QString &ext)
{
    path = platform::ExtractFilePath(fileName);
    const QString rest = fileName.mid(path.size());
    const int dot = rest.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        name.clear();
        ext.clear();
        return;
    }
    name = rest.left(dot);
    ext = rest.mid(dot);
}

} // namespace jxt::JXU_File
