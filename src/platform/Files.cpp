// SPDX-License-Identifier: MIT
// File and directory operations on mapped paths.
#include "platform/Files.h"

#include "platform/Find.h"
#include "platform/HostStat.h"
#include "platform/Paths.h"

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

bool WriteAll(int fd, const char *data, ssize_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Copies a regular file between host paths. The destination is created exclusively when
// `exclusive`, otherwise truncated; a destination this call created is removed on failure.
bool CopyHostFile(const QString &source, const QString &dest, bool exclusive)
{
    const QByteArray src = Native(source);
    const QByteArray dst = Native(dest);
    const int in = ::open(src.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat srcStat;
    if (::fstat(in, &srcStat) != 0 || !S_ISREG(srcStat.st_mode)) {
        ::close(in);
        return false;
    }

    struct stat dstStat;
    const bool existed = ::stat(dst.constData(), &dstStat) == 0;
    if (existed) {
        // Overwriting a file with itself would truncate it before reading it.
        if (exclusive || !S_ISREG(dstStat.st_mode) ||
            (dstStat.st_dev == srcStat.st_dev && dstStat.st_ino == srcStat.st_ino) ||
            !HostModeWritable(dstStat.st_mode, dstStat.st_uid, dstStat.st_gid)) {
            ::close(in);
            return false;
        }
    }

    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (exclusive ? O_EXCL : O_TRUNC);
    const int out = ::open(dst.constData(), flags, srcStat.st_mode & 0777);
    if (out < 0) {
        ::close(in);
        return false;
    }

    bool ok = true;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        if (got == 0)
            break;
        if (!WriteAll(out, buffer, got)) {
            ok = false;
            break;
        }
    }
    if (ok) {
        // The copy keeps the source's permissions and modification time, as the original does.
        ::fchmod(out, srcStat.st_mode & 07777 & ~mode_t(S_ISUID | S_ISGID));
        const struct timespec times[2] = {srcStat.st_atim, srcStat.st_mtim};
        ::futimens(out, times);
    }
    if (::close(out) != 0)
        ok = false;
    ::close(in);
    if (!ok && !existed)
        ::unlink(dst.constData());
    return ok;
}

// Moves one file or link to another file system: copy, then delete the source. When the
// source cannot be deleted, the copy is removed again so the move does not duplicate.
bool MoveAcrossFileSystems(const QString &source, const QString &dest)
{
    const QByteArray src = Native(source);
    const QByteArray dst = Native(dest);
    struct stat st;
    if (::lstat(src.constData(), &st) != 0)
        return false;
    if (S_ISLNK(st.st_mode)) {
        QByteArray target(4096, '\0');
        const ssize_t len =
            ::readlink(src.constData(), target.data(), static_cast<size_t>(target.size()));
        if (len < 0 || len >= target.size())
            return false;
        target.truncate(static_cast<int>(len));
        if (::symlink(target.constData(), dst.constData()) != 0)
            return false;
    } else if (!S_ISREG(st.st_mode) || !CopyHostFile(source, dest, true)) {
        return false;
    }
    if (::unlink(src.constData()) != 0) {
        ::unlink(dst.constData());
        return false;
    }
    return true;
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
        // original's case-insensitive file system allows. Rename to the name as written.
        const QString written = ExtractFileName(dest);
        const QString literal = dst.left(dst.lastIndexOf(QLatin1Char('/')) + 1) + written;
        if (dstStat.st_dev != st.st_dev || dstStat.st_ino != st.st_ino || written.isEmpty() ||
            literal == src || written.compare(NameOf(src), Qt::CaseInsensitive) != 0)
            return false;
        return ::rename(nativeSrc.constData(), Native(literal).constData()) == 0;
    }

    // renameat2 refuses an existing destination atomically; file systems without that flag
    // fall back to the check above followed by a plain rename.
    int rc = ::renameat2(AT_FDCWD, nativeSrc.constData(), AT_FDCWD, nativeDst.constData(),
                         RENAME_NOREPLACE);
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
        if (::lstat(nativeDst.constData(), &st) == 0)
            return false;
        rc = ::rename(nativeSrc.constData(), nativeDst.constData());
    }
    if (rc == 0)
        return true;
    if (errno == EXDEV)
        return MoveAcrossFileSystems(src, dst);
    return false;
}

bool RenameFile(const QString &oldName, const QString &newName)
{
    return MoveFile(oldName, newName);
}

bool CopyFile(const QString &source, const QString &dest, bool failIfExists)
{
    const QString src = ToHostPath(source);
    const QString dst = ToHostPath(dest);
    if (src.isEmpty() || dst.isEmpty())
        return false;
    return CopyHostFile(src, dst, failIfExists);
}

} // namespace jxt::platform
