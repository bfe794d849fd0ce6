// SPDX-License-Identifier: MIT
// Shell link files (.lnk) in the documented Windows binary format: the 76-byte header, a
// link-information block holding the volume and the local path of the target, and the
// strings (working directory, arguments, icon location) in UTF-16. Paths are stored in their
// Windows form, as the drive mapping names them.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>

namespace jxt::platform {

/// What a link file says about its target.
struct TShellLink
{
    QString TargetPath; ///< Windows form, e.g. "C:\usr\bin\app"
    QString WorkingDir; ///< Windows form; empty for none
    QString Arguments;  ///< empty for none
    QString IconLocation;
    int IconIndex = 0;
    QString Description; ///< empty for none
    bool TargetIsDirectory = false;
    qint64 TargetSize = 0;
    QDateTime Created, Accessed, Written; ///< the target's times; invalid ones are stored as 0
    int DriveType = 3;                    ///< DRIVE_* of the target's volume
    std::uint32_t DriveSerial = 0;
    QString VolumeLabel;
    int ShowCommand = 1; ///< SW_SHOWNORMAL
};

/// The bytes of a link file; empty when a text is too long for the format (more than
/// 32767 characters) or the target path is empty.
QByteArray EncodeShellLink(const TShellLink &link);

/// A link to the existing file or directory hostTarget, with its Windows path, size, times
/// and volume, the target's directory as working directory and the target as icon.
TShellLink ShellLinkForTarget(const QString &hostTarget, const QString &arguments);

/// Writes link to hostPath under a temporary name and renames it into place, replacing an
/// older link. False with errno in *error when that fails.
bool WriteShellLink(const QString &hostPath, const TShellLink &link, int *error);

} // namespace jxt::platform
