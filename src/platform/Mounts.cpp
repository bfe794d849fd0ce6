// SPDX-License-Identifier: MIT
// Mount table parsing.
#include "platform/Mounts.h"

#include <QFile>

namespace jxt::platform {

namespace {

constexpr int kMaxMountLines = 100000;
constexpr qint64 kMaxMountInfoBytes = 16 * 1024 * 1024;

// mountinfo escapes blanks, tabs, newlines and backslashes in paths as \ooo (octal).
QString DecodeMountField(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c == '\\' && i + 3 < field.size()) {
            const char a = field.at(i + 1), b = field.at(i + 2), d = field.at(i + 3);
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && d >= '0' && d <= '7') {
                out.append(char(((a - '0') << 6) | ((b - '0') << 3) | (d - '0')));
                i += 3;
                continue;
            }
        }
        out.append(c);
    }
    return QFile::decodeName(out);
}

bool IsPathPrefix(const QString &prefix, const QString &path)
{
    if (prefix == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == prefix ||
           (path.startsWith(prefix) && path.at(prefix.size()) == QLatin1Char('/'));
}

} // namespace

QList<TMountEntry> ParseMountInfo(const QByteArray &text)
{
    QList<TMountEntry> mounts;
    int lineCount = 0;
    for (const QByteArray &line : text.split('\n')) {
        if (++lineCount > kMaxMountLines)
            break;
        // id parent major:minor root mountpoint options [optional fields...] - fstype source
        // superoptions
        const QList<QByteArray> fields = line.simplified().split(' ');
        const int dash = fields.indexOf(QByteArray("-"));
        if (dash < 6 || dash + 2 >= fields.size())
            continue;
        TMountEntry entry;
        const QList<QByteArray> dev = fields.at(2).split(':');
        if (dev.size() == 2) {
            entry.Major = dev.at(0).toInt();
            entry.Minor = dev.at(1).toInt();
        }
        entry.MountPoint = DecodeMountField(fields.at(4));
        entry.FsType = DecodeMountField(fields.at(dash + 1));
        entry.Source = DecodeMountField(fields.at(dash + 2));
        if (!entry.MountPoint.startsWith(QLatin1Char('/')))
            continue;
        mounts.append(entry);
    }
    return mounts;
}

QList<TMountEntry> ReadMounts(const QString &mountInfoPath)
{
    QFile file(mountInfoPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A /proc file reports size 0, so read to the end with an upper bound.
    return ParseMountInfo(file.read(kMaxMountInfoBytes));
}

int FindMount(const QList<TMountEntry> &mounts, const QString &hostPath)
{
    int best = -1;
    int bestLength = -1;
    for (int i = 0; i < mounts.size(); ++i) {
        const QString &point = mounts.at(i).MountPoint;
        if (IsPathPrefix(point, hostPath) && point.size() >= bestLength) {
            best = i;
            bestLength = point.size();
        }
    }
    return best;
}

bool IsRemoteFsType(const QString &fsType)
{
    static const char *const kRemote[] = {
        "nfs",         "nfs4",        "cifs",  "smb3",      "smbfs",          "sshfs",
        "fuse.sshfs",  "afs",         "ceph",  "glusterfs", "fuse.glusterfs", "davfs",
        "fuse.davfs2", "fuse.rclone", "ncpfs", "coda",      "lustre",
    };
    for (const char *name : kRemote) {
        if (fsType == QLatin1String(name))
            return true;
    }
    return false;
}

} // namespace jxt::platform
