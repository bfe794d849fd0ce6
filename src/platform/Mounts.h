// SPDX-License-Identifier: MIT
// The host's mount table as /proc/self/mountinfo gives it: which file system holds a path,
// of what type, from which source device or share.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace jxt::platform {

/// One line of the mount table.
struct TMountEntry
{
    QString MountPoint; ///< where it is mounted (escapes such as \040 decoded)
    QString FsType;     ///< file-system type, e.g. "ext4", "tmpfs", "cifs", "fuse.sshfs"
    QString Source;     ///< mount source: a device ("/dev/sda1"), a share ("//srv/x") or a name
    int Major = 0;      ///< device number of the mounted file system
    int Minor = 0;
};

/// Parses mountinfo text. Lines that do not have the expected fields are skipped; at most
/// 100000 lines are read.
QList<TMountEntry> ParseMountInfo(const QByteArray &text);

/// Reads and parses a mountinfo file (default: the calling process's own table). Empty when
/// the file cannot be read.
QList<TMountEntry>
ReadMounts(const QString &mountInfoPath = QStringLiteral("/proc/self/mountinfo"));

/// The mount that holds the absolute host path `hostPath`: the one with the longest mount
/// point that is a prefix of the path, the later of two equal ones (a later mount hides an
/// earlier one on the same point). Returns -1 when none fits (only with an incomplete table).
int FindMount(const QList<TMountEntry> &mounts, const QString &hostPath);

/// True for file-system types that live on another machine (NFS, SMB/CIFS, SSHFS, ...).
bool IsRemoteFsType(const QString &fsType);

} // namespace jxt::platform
