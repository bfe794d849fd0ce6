// SPDX-License-Identifier: MIT
// Windows paths on a Linux host: drive letters mapped to host directories, both slash kinds
// as separators, case-insensitive lookup of existing names, and the path string functions.
#pragma once

#include <QList>
#include <QString>

/// The operating-system layer. Everything here is plain functions over QString paths; it
/// knows nothing of components and is used by the host framework and the utilities above.
///
/// Path conventions used by every function of this namespace that takes a file name:
/// * A *Windows path* such as `C:\Data\file.txt` or `d:/x` names a drive letter followed by
///   a path; `\` and `/` both separate components. Drive letters map to host directories
///   (see DriveRoot). `X:rel` without a separator is relative to the current directory when
///   that lies on drive X, else to the drive's root.
/// * A path starting with a separator (`/usr/lib`, `\tmp`) is a host (POSIX) absolute path
///   and is used as it is.
/// * Any other path is relative to the process's current directory.
/// * `.` and `..` components are folded lexically; `..` never climbs above a drive's root.
/// * Names that exist are found case-insensitively, one component at a time, when the exact
///   spelling does not exist (Windows file systems ignore case).
/// * UNC paths (`\\server\share\x`) resolve through the mount whose source is that share
///   (a CIFS or NFS mount); without such a mount they resolve to nothing.
/// Host file names that contain a backslash cannot be addressed.
namespace jxt::platform {

/// Kinds of drive, with the values of the Windows drive-type query.
enum : int {
    DRIVE_UNKNOWN = 0,
    DRIVE_NO_ROOT_DIR = 1,
    DRIVE_REMOVABLE = 2,
    DRIVE_FIXED = 3,
    DRIVE_REMOTE = 4,
    DRIVE_CDROM = 5,
    DRIVE_RAMDISK = 6,
};

/// One drive letter and the host directory it stands for.
struct TDriveMapping
{
    QChar Letter;        ///< upper case 'A'..'Z'
    QString Root;        ///< host directory, absolute, without trailing slash ("/" for the root)
    int ForcedType = -1; ///< a DRIVE_* value given in JXT_DRIVES, or -1 to detect it
};

/// The drive table. `C:` is the host root `/` unless JXT_DRIVES maps it elsewhere; the
/// environment variable `JXT_DRIVES` adds drives as `D=/media/cdrom:cdrom;E=/srv/x`, where the
/// optional `:type` (fixed, removable, remote, cdrom, ram) forces the drive type. Malformed
/// entries and relative roots are ignored. The variable is read at every call, so a change
/// takes effect at once. Sorted by letter.
QList<TDriveMapping> Drives();

/// The host directory of drive `letter` (either case), or an empty string when no such drive.
QString DriveRoot(QChar letter);

/// Forced drive type of `letter` from JXT_DRIVES, or -1.
int DriveTypeOverride(QChar letter);

/// The letters of all mapped drives in upper case and alphabetical order, e.g. "CDE".
QString AvailableDrives();

/// Bit mask of the mapped drives: bit 0 is A:, bit 2 is C:, and so on.
quint32 LogicalDrivesMask();

/// The drive letter a Windows path starts with (upper case), or a null QChar.
QChar PathDriveLetter(const QString &path);

/// Maps a Windows, POSIX or relative path to a host path (see the conventions above).
/// Returns an empty string when the path names an unmapped drive, an unknown UNC share or
/// is empty. Components that do not exist are kept as written, so the result can name a
/// file to be created.
QString ToHostPath(const QString &path);

/// The Windows form of a host path: the drive whose root holds it (the longest matching root)
/// followed by the rest with backslashes, e.g. "/srv/x/a/b" -> "E:\a\b". A relative host path
/// is taken relative to the current directory first. A path outside every drive is returned
/// cleaned but otherwise unchanged.
QString ToWindowsPath(const QString &hostPath);

/// The current directory in Windows form (e.g. "C:\home\user").
QString GetCurrentDir();
/// Changes the current directory; false when it does not exist.
bool SetCurrentDir(const QString &path);

/// The full Windows path of a file name, as the Windows full-path expansion computes it:
/// relative names against the current directory, "X:rel" against the current directory of
/// drive X, a leading separator against the current drive; `.` and `..` folded; `/` turned
/// into `\`; a trailing separator kept. Purely textual: the name need not exist and its case
/// is kept. An empty name gives the current directory.
QString ExpandFileName(const QString &fileName);

/// The drive and directory part including the trailing separator: "C:\x\a.txt" -> "C:\x\",
/// "C:a.txt" -> "C:", "a.txt" -> "". `\`, `/` and the drive's `:` end the path part.
QString ExtractFilePath(const QString &fileName);
/// As ExtractFilePath, but without the trailing separator unless it follows the drive
/// ("C:\x\a.txt" -> "C:\x", "C:\a.txt" -> "C:\").
QString ExtractFileDir(const QString &fileName);
/// The name after the last separator or drive colon: "C:\x\a.txt" -> "a.txt".
QString ExtractFileName(const QString &fileName);
/// The extension including its dot, from the last dot of the name part: "a.b.txt" -> ".txt",
/// "C:\x.y\name" -> "".
QString ExtractFileExt(const QString &fileName);
/// The drive part: "C:" for "C:\x", "\\server\share" for "\\server\share\x", else "".
QString ExtractFileDrive(const QString &fileName);
/// Replaces the extension (or appends one): ("a.txt", ".bak") -> "a.bak".
QString ChangeFileExt(const QString &fileName, const QString &extension);

/// True for `\` and `/`.
inline bool IsPathDelimiter(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

} // namespace jxt::platform
