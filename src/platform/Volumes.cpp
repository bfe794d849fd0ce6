// SPDX-License-Identifier: MIT
// Volume information from the mount table, udev's /dev/disk links and /sys.
#include "platform/Volumes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <algorithm>

namespace jxt::platform {

namespace {

struct TMountedPath
{
    QString HostPath; // canonical host path
    TMountEntry Mount;
    bool Found = false;
};

// The host path of `path` and the mount holding it.
TMountedPath LocateMount(const QString &path, const TVolumeSources &sources)
{
    TMountedPath result;
    const QString host = ToHostPath(path.isEmpty() ? QStringLiteral(".") : path);
    if (host.isEmpty())
        return result;
    const QString canonical = QFileInfo(host).canonicalFilePath();
    if (canonical.isEmpty())
        return result;
    result.HostPath = canonical;
    const QList<TMountEntry> mounts = ReadMounts(sources.MountInfo);
    const int index = FindMount(mounts, canonical);
    if (index >= 0) {
        result.Mount = mounts.at(index);
        result.Found = true;
    }
    return result;
}

// udev writes unusual characters in link names as \xHH.
QString DecodeUdevName(const QString &name)
{
    QByteArray raw = QFile::encodeName(name);
    QByteArray out;
    for (int i = 0; i < raw.size(); ++i) {
        if (raw.at(i) == '\\' && i + 3 < raw.size() && raw.at(i + 1) == 'x') {
            bool ok = false;
            const int value = raw.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(raw.at(i));
    }
    return QString::fromUtf8(out);
}

// The device name a path stands for, after following links where they resolve
// ("/dev/mapper/root" -> "dm-0", a link "../../sda1" -> "sda1").
QString DeviceBaseName(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QString p = canonical.isEmpty() ? path : canonical;
    return p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
}

// The name of the entry in `linkDir` (by-label or by-uuid) that points to the mount's device.
QString FindDeviceLink(const QString &linkDir, const TMountEntry &mount)
{
    if (!mount.Source.startsWith(QLatin1String("/dev/")))
        return {};
    const QString device = DeviceBaseName(mount.Source);
    QDir dir(linkDir);
    const QStringList names =
        dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        const QString full = dir.filePath(name);
        QString target = QFileInfo(full).symLinkTarget();
        if (target.isEmpty())
            continue;
        if (DeviceBaseName(target) == device || DeviceBaseName(full) == device)
            return DecodeUdevName(name);
    }
    return {};
}

QString LabelOf(const TMountEntry &mount, const TVolumeSources &sources)
{
    if (mount.Source.startsWith(QLatin1String("/dev/")))
        return FindDeviceLink(sources.DevDisk + QLatin1String("/by-label"), mount);
    if (IsRemoteFsType(mount.FsType)) {
        QString source = mount.Source;
        while (source.endsWith(QLatin1Char('/')))
            source.chop(1);
        const int cut =
            std::max(source.lastIndexOf(QLatin1Char('/')), source.lastIndexOf(QLatin1Char(':')));
        return source.mid(cut + 1);
    }
    return {};
}

qint32 SerialOf(const TMountedPath &located, const TVolumeSources &sources)
{
    const QString uuid = FindDeviceLink(sources.DevDisk + QLatin1String("/by-uuid"), located.Mount);
    QString hex;
    for (QChar c : uuid) {
        if (hex.size() == 8)
            break;
        if (c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
            hex += c;
    }
    if (hex.size() == 8)
        return static_cast<qint32>(hex.toUInt(nullptr, 16));

    struct statvfs vfs;
    if (::statvfs(QFile::encodeName(located.HostPath).constData(), &vfs) != 0)
        return 0;
    const quint64 fsid = static_cast<quint64>(vfs.f_fsid);
    return static_cast<qint32>(static_cast<quint32>(fsid) ^ static_cast<quint32>(fsid >> 32));
}

bool RemovableDevice(const TMountEntry &mount, const QString &sysDevBlock)
{
    if (mount.Major == 0)
        return false;
    const QString node =
        QStringLiteral("%1/%2:%3").arg(sysDevBlock).arg(mount.Major).arg(mount.Minor);
    // A partition has no "removable" file of its own; its disk is the parent directory.
    for (const QString &candidate :
         {node + QLatin1String("/removable"), node + QLatin1String("/../removable")}) {
        QFile file(candidate);
        if (file.open(QIODevice::ReadOnly))
            return file.read(8).trimmed() == "1";
    }
    return false;
}

} // namespace

int DriveTypeOfMount(const TMountEntry &mount, const QString &sysDevBlock)
{
    const QString &fs = mount.FsType;
    if (IsRemoteFsType(fs))
        return DRIVE_REMOTE;
    if (fs == QLatin1String("iso9660") || fs == QLatin1String("udf"))
        return DRIVE_CDROM;
    if (fs == QLatin1String("tmpfs") || fs == QLatin1String("ramfs"))
        return DRIVE_RAMDISK;
    if (RemovableDevice(mount, sysDevBlock))
        return DRIVE_REMOVABLE;
    return DRIVE_FIXED;
}

int GetDriveType(const QString &path, const TVolumeSources &sources)
{
    const QChar letter = PathDriveLetter(path);
    if (!letter.isNull()) {
        if (DriveRoot(letter).isEmpty())
            return DRIVE_NO_ROOT_DIR;
        const int forced = DriveTypeOverride(letter);
        if (forced >= 0)
            return forced;
    }
    const QString host = ToHostPath(path.isEmpty() ? QStringLiteral(".") : path);
    struct stat st;
    if (host.isEmpty() || ::stat(QFile::encodeName(host).constData(), &st) != 0 ||
        !S_ISDIR(st.st_mode))
        return DRIVE_NO_ROOT_DIR;
    const TMountedPath located = LocateMount(path, sources);
    if (!located.Found)
        return DRIVE_UNKNOWN;
    return DriveTypeOfMount(located.Mount, sources.SysDevBlock);
}

bool GetVolumeInformation(const QString &path, TVolumeInfo &info, const TVolumeSources &sources)
{
    info = TVolumeInfo();
    const TMountedPath located = LocateMount(path, sources);
    if (located.HostPath.isEmpty())
        return false;
    // The drive type is the volume's: for a file, the one of the folder that holds it (the
    // drive-type query itself answers only for directories).
    struct stat st;
    const bool isFile =
        ::stat(QFile::encodeName(located.HostPath).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
    info.DriveType = GetDriveType(isFile ? ExtractFilePath(path) : path, sources);
    if (located.Found) {
        info.Label = LabelOf(located.Mount, sources);
        info.FileSystem = located.Mount.FsType;
        info.MountPoint = located.Mount.MountPoint;
        info.Source = located.Mount.Source;
    }
    info.SerialNumber = SerialOf(located, sources);
    return true;
}

QString GetVolumeLabel(const QString &hostPath, const TVolumeSources &sources)
{
    const TMountedPath located = LocateMount(hostPath, sources);
    return located.Found ? LabelOf(located.Mount, sources) : QString();
}

bool GetDiskFreeSpace(const QString &path, qint64 &freeForCaller, qint64 &totalBytes,
                      qint64 &totalFree)
{
    freeForCaller = totalBytes = totalFree = 0;
    const QString host = ToHostPath(path.isEmpty() ? QStringLiteral(".") : path);
    struct statvfs vfs;
    if (host.isEmpty() || ::statvfs(QFile::encodeName(host).constData(), &vfs) != 0)
        return false;
    const qint64 unit = static_cast<qint64>(vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize);
    freeForCaller = static_cast<qint64>(vfs.f_bavail) * unit;
    totalBytes = static_cast<qint64>(vfs.f_blocks) * unit;
    totalFree = static_cast<qint64>(vfs.f_bfree) * unit;
    return true;
}

QString GetShortPathName(const QString &path)
{
    const QString host = ToHostPath(path);
    struct stat st;
    if (host.isEmpty() || ::stat(QFile::encodeName(host).constData(), &st) != 0)
        return {};
    return path;
}

QString GetNetworkConnection(QChar driveLetter, const TVolumeSources &sources)
{
    const QString root = DriveRoot(driveLetter);
    if (root.isEmpty())
        return {};
    const TMountedPath located = LocateMount(root, sources);
    if (!located.Found || !IsRemoteFsType(located.Mount.FsType))
        return {};

    QString source = located.Mount.Source;
    QString unc;
    if (source.startsWith(QLatin1String("//"))) {
        unc = source;
    } else {
        // "host:/export" or "user@host:/export"
        const int colon = source.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            return {};
        QString hostName = source.left(colon);
        hostName = hostName.mid(hostName.lastIndexOf(QLatin1Char('@')) + 1);
        QString exportPath = source.mid(colon + 1);
        if (!exportPath.startsWith(QLatin1Char('/')))
            exportPath.prepend(QLatin1Char('/'));
        unc = QLatin1String("//") + hostName + exportPath;
    }
    const QString &point = located.Mount.MountPoint;
    if (located.HostPath.size() > point.size())
        unc += located.HostPath.mid(point == QLatin1String("/") ? 0 : point.size());
    while (unc.endsWith(QLatin1Char('/')) && unc.size() > 2)
        unc.chop(1);
    unc.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return unc;
}

} // namespace jxt::platform
