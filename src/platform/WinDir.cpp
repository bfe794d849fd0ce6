// SPDX-License-Identifier: MIT
// The Windows directory of the emulated system.
#include "platform/WinDir.h"

#include <QDir>

namespace jxt {

QString WindowsDirectory()
{
    QString dir = qEnvironmentVariable("JXT_WINDIR");
    if (dir.isEmpty()) {
        QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        // XDG base directories must be absolute; a relative value is ignored.
        if (config.isEmpty() || QDir::isRelativePath(config))
            config = QDir::homePath() + QStringLiteral("/.config");
        dir = config + QStringLiteral("/jxtpack/windows");
    }
    dir = QDir::cleanPath(dir);
    // Created on every call that finds it missing, so a directory removed while the program
    // runs (or a new JXT_WINDIR) is back before anything is written into it.
    if (!QDir(dir).exists())
        QDir().mkpath(dir);
    return dir;
}

} // namespace jxt
