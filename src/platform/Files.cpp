// SPDX-License-Identifier: MIT
// File and directory operations on mapped paths.
#include "platform/Files.h"

#include "platform/Find.h"
#include "platform/HostStat.h"
#include "platform/Paths.h"
#include "platform/Transfer.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jxt::platform {

namespace {

constexpr int kErrorAccessDenied = 5;

QByteArray Native(const QString &hostPath)
{
    return QFile::encodeName(hostPath);
}

QString NameOf(const QString &hostPath)
{
    return hostPath.mid(hostPath.lastIndexOf(QLatin1Char('/')) + 1);
}

THostEntry Entry(const QString &fileName, QString *hostPath = nullptr)
{
    const QString host = ToHostPath(fileName);
    if (hostPath)
        *hostPath = host;
    if (host.isEmpty())
        return {};
    return StatHostEntry(host, NameOf(host));
}

} // namespace

int FileGetAttr(const QString &fileName)
{
    const THostEntry e = Entry(fileName);
    return e.Exists ? e.Attr : -1;
}

int FileSetAttr(const QString &fileName, int attr)
{
    const QString host = ToHostPath(fileName);
    struct stat st;
    if (host.isEmpty() || ::stat(Native(host).constData(), &st) != 0)
        return kErrorFileNotFound;
    if (S_ISDIR(st.st_mode))
        return 0;
    mode_t mode = st.st_mode & 07777;
    if (attr & faReadOnly)
        mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
    else if (!HostModeWritable(st.st_mode, st.st_uid, st.st_gid))
        mode |= S_IWUSR;
    if (mode == (st.st_mode & 07777))
        return 0;
    return ::chmod(Native(host).constData(), mode) == 0 ? 0 : kErrorAccessDenied;
}

bool FileExists(const QString &fileName)
{
    const THostEntry e = Entry(fileName);
    return e.Exists && !e.Dangling && !(e.Attr & faDirectory);
}

bool DirectoryExists(const QString &dirName)
{
    const THostEntry e = Entry(dirName);
    return e.Exists && (e.Attr & faDirectory);
}

bool IsSymLink(const QString &fileName)
{
    return Entry(fileName).IsSymLink;
}

qint64 FileSize(const QString &fileName)
{
    const THostEntry e = Entry(fileName);
    return e.Exists && !e.Dangling && !(e.Attr & faDirectory) ? e.Size : -1;
}

QDateTime FileAge(const QString &fileName)
{
    const THostEntry e = Entry(fileName);
    return e.Exists ? e.Time : QDateTime();
}

bool FileSetDate(const QString &fileName, const QDateTime &time)
{
    const QString host = ToHostPath(fileName);
    if (host.isEmpty() || !time.isValid())
        return false;
    const qint64 ms = time.toMSecsSinceEpoch();
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(ms / 1000);
    times[1].tv_nsec = static_cast<long>((ms % 1000) * 1000000);
    if (times[1].tv_nsec < 0) {
        times[1].tv_sec -= 1;
        times[1].tv_nsec += 1000000000;
    }
    return ::utimensat(AT_FDCWD, Native(host).constData(), times, 0) == 0;
}

bool CreateDir(const QString &dirName)
{
    const QString host = ToHostPath(dirName);
    return !host.isEmpty() && ::mkdir(Native(host).constData(), 0777) == 0;
}

bool ForceDirectories(const QString &dirName)
{
    const QString host = ToHostPath(dirName);
    if (host.isEmpty())
        return false;
    QString current;
    for (const QString &part : host.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        current += QLatin1Char('/') + part;
        const QByteArray native = Native(current);
        struct stat st;
        if (::stat(native.constData(), &st) == 0) {
            if (!S_ISDIR(st.st_mode))
                return false;
            continue;
        }
        if (::mkdir(native.constData(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    return DirectoryExists(host);
}

bool RemoveDir(const QString &dirName)
{
    const QString host = ToHostPath(dirName);
    return !host.isEmpty() && ::rmdir(Native(host).constData()) == 0;
}

bool DeleteFile(const QString &fileName)
{
    QString host;
    const THostEntry e = Entry(fileName, &host);
    if (!e.Exists)
        return false;
    if (!e.IsSymLink && (e.Attr & (faDirectory | faReadOnly)))
        return false;
    struct stat st;
    if (::lstat(Native(host).constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    return ::unlink(Native(host).constData()) == 0;
}

bool MoveFile(const QString &source, const QString &dest)
{
    const QString src = ToHostPath(source);
    const QString dst = ToHostPath(dest);
    if (src.isEmpty() || dst.isEmpty())
        return false;
    const QByteArray nativeSrc = Native(src);
    const QByteArray nativeDst = Native(dst);
    struct stat st;
    if (::lstat(nativeSrc.constData(), &st) != 0)
        return false;
    struct stat dstStat;
    if (::lstat(nativeDst.constData(), &dstStat) == 0) {
        // The destination resolved to the source itself: a change of case only, which the
        // case-insensitive file systems of Windows allow. Rename to the name as written.
        const QString written = ExtractFileName(dest);
        const QString literal = dst.left(dst.lastIndexOf(QLatin1Char('/')) + 1) + written;
        if (dstStat.st_dev != st.st_dev || dstStat.st_ino != st.st_ino || written.isEmpty() ||
            literal == src || written.compare(NameOf(src), Qt::CaseInsensitive) != 0)
            return false;
        return ::rename(nativeSrc.constData(), Native(literal).constData()) == 0;
    }

    TTransferOptions options;
    options.Mode = TTransferMode::Move;
    return TransferFile(src, dst, options) == TTransferStatus::Done;
}

bool RenameFile(const QString &oldName, const QString &newName)
{
    return MoveFile(oldName, newName);
}

bool CopyFile(const QString &source, const QString &dest, bool failIfExists)
{
    TTransferOptions options;
    options.Replace = !failIfExists;
    return TransferFile(source, dest, options) == TTransferStatus::Done;
}

} // namespace jxt::platform
