// SPDX-License-Identifier: MIT
// Volumes behind drive letters: label, serial number, drive type, free space and network
// connection, read from the host's mount table, /dev/disk and /sys.
#pragma once

#include "platform/Mounts.h"
#include "platform/Paths.h"

#include <QString>

namespace jxt::platform {

/// Where volume facts are read from. Tests point these at fixture files and directories.
struct TVolumeSources
{
    QString MountInfo = QStringLiteral("/proc/self/mountinfo");
    QString DevDisk = QStringLiteral("/dev/disk");          ///< holds by-label/ and by-uuid/
    QString SysDevBlock = QStringLiteral("/sys/dev/block"); ///< MAJOR:MINOR links to devices
};

/// What the Windows volume query reports for one volume.
struct TVolumeInfo
{
    QString Label; ///< volume label, see GetVolumeLabel; may be empty
    qint32 SerialNumber = 0;
    QString FileSystem; ///< host file-system type ("ext4", "vfat", "tmpfs", ...)
    QString MountPoint; ///< host directory the volume is mounted on
    QString Source;     ///< mount source (device, share, or a name for virtual file systems)
    int DriveType = DRIVE_UNKNOWN;
};

/// Facts about the volume that holds `path` (a drive root such as "D:\", or any Windows or
/// host path on the volume). False when the path does not exist or its drive is not mapped.
///
/// * Label: for a device-backed volume, the name of the /dev/disk/by-label entry that points
///   at the mount's source device; for a remote volume, the share's last path component
///   ("//srv/data" -> "data"); for other virtual file systems (tmpfs, overlay, ...) empty.
/// * SerialNumber: the first eight hex digits of the /dev/disk/by-uuid entry of the source
///   device read as a 32-bit number (for FAT volumes this is exactly their serial number),
///   otherwise the two halves of statvfs' f_fsid combined by exclusive or.
/// * DriveType: see GetDriveType; for a file, the type of the folder that holds it.
bool GetVolumeInformation(const QString &path, TVolumeInfo &info,
                          const TVolumeSources &sources = TVolumeSources());

/// The volume label of the volume holding the host path `hostPath` (empty if none).
QString GetVolumeLabel(const QString &hostPath, const TVolumeSources &sources = TVolumeSources());

/// Kind of drive (DRIVE_* of Paths.h) for a root such as "D:\" or any path on the volume:
/// DRIVE_NO_ROOT_DIR for an unmapped letter or a missing directory; otherwise the type forced
/// in JXT_DRIVES, or by the mount's file system: network file systems are remote, iso9660 and
/// udf are CD-ROMs, tmpfs and ramfs RAM disks, a file system on a device that /sys marks
/// removable is removable, everything else fixed. An empty path means the current directory.
int GetDriveType(const QString &path, const TVolumeSources &sources = TVolumeSources());

/// The drive type a mount entry stands for (without any JXT_DRIVES override).
int DriveTypeOfMount(const TMountEntry &mount,
                     const QString &sysDevBlock = QStringLiteral("/sys/dev/block"));

/// Space on the volume holding `path`, in bytes: free for unprivileged callers, total size and
/// total free. False when the path does not exist.
bool GetDiskFreeSpace(const QString &path, qint64 &freeForCaller, qint64 &totalBytes,
                      qint64 &totalFree);

/// The short (8.3) form of a path. Linux file systems have no short names, so an existing
/// path is returned unchanged; a path that does not exist gives an empty string, as the
/// Windows query fails for it.
QString GetShortPathName(const QString &path);

/// The network share behind a drive letter, in UNC form: a CIFS mount "//server/share" gives
/// "\\server\share", an NFS or SSHFS mount "host:/export" gives "\\host\export"; a drive whose
/// root lies below the mount point gets the rest appended. Empty for local volumes and
/// unmapped letters.
QString GetNetworkConnection(QChar driveLetter, const TVolumeSources &sources = TVolumeSources());

} // namespace jxt::platform
