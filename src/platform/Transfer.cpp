// SPDX-License-Identifier: MIT
// Atomic file replacement, and copies and moves built on it.
#include "platform/Transfer.h"

#include "platform/HostStat.h"
#include "platform/Paths.h"

#include <QFile>
#include <QStringDecoder>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jxt::platform {

namespace {

constexpr size_t kCopyBlock = 256 * 1024;
constexpr int kMaxNameBytes = 255;

bool SameInode(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

/// Whether the entry `name` of `dir` is still the file whose status was `before`: the same
/// inode, not changed since (a write, a rename onto it, a new link all change the change time).
bool StillTheSame(int dir, const QByteArray &name, const struct stat &before)
{
    struct stat now;
    return ::fstatat(dir, name.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
           SameInode(now, before) && now.st_ctim.tv_sec == before.st_ctim.tv_sec &&
           now.st_ctim.tv_nsec == before.st_ctim.tv_nsec;
}

/// A temporary name beside `name`: hidden, recognisable and unlikely to collide.
QByteArray TemporaryName(const QByteArray &name)
{
    static std::atomic<unsigned> counter{0};
    struct timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const unsigned salt = unsigned(::getpid()) * 2654435761u ^ unsigned(now.tv_nsec) ^
                          (counter.fetch_add(1) * 40503u);
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", salt);
    // ".~" + name + suffix must stay a legal name length.
    const int room = kMaxNameBytes - 2 - int(std::strlen(suffix));
    return QByteArray(".~") + name.left(room) + suffix;
}

/// Renames without replacing: renameat2 where the file system offers it, else a hard link
/// (which refuses an existing name atomically) and the removal of the old name, else a check
/// followed by a plain rename.
int RenameNoReplace(int fromDir, const char *from, int toDir, const char *to)
{
    if (::renameat2(fromDir, from, toDir, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    if (::linkat(fromDir, from, toDir, to, 0) == 0) {
        ::unlinkat(fromDir, from, 0);
        return 0;
    }
    if (errno == EEXIST)
        return -1;
    struct stat st;
    if (::fstatat(toDir, to, &st, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::renameat(fromDir, from, toDir, to);
}

bool WriteAll(int fd, const char *data, size_t size, int *error)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        if (written == 0) {
            *error = ENOSPC;
            return false;
        }
        data += written;
        size -= size_t(written);
    }
    return true;
}

/// Copies the regular file `srcName` (whose followed status is `srcStat`) to `dstName`
/// through a temporary file. `stillValid`, when given, is asked right before the rename into
/// place; false keeps the destination as it was and gives SourceChanged.
TTransferStatus CopyData(int srcDir, const QByteArray &srcName, const struct stat &srcStat,
                         int dstDir, const QByteArray &dstName, bool replace, bool sync,
                         const TTransferOptions &options,
                         const std::function<bool()> &stillValid = {})
{
    // O_NONBLOCK: should the entry have been swapped for a FIFO since it was looked at, the
    // open does not wait for a writer; the check below then refuses it.
    const int in =
        ::openat(srcDir, srcName.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (in < 0)
        return errno == ENOENT ? TTransferStatus::SourceMissing : TTransferStatus::SourceUnreadable;
    struct stat opened;
    if (::fstat(in, &opened) != 0 || !S_ISREG(opened.st_mode) || !SameInode(opened, srcStat)) {
        ::close(in);
        return TTransferStatus::SourceNotRegular;
    }
    ::fcntl(in, F_SETFL, ::fcntl(in, F_GETFL) & ~O_NONBLOCK);

    TAtomicFile out;
    if (!out.OpenAt(dstDir, dstName, 0600)) {
        ::close(in);
        return TTransferStatus::WriteFailed;
    }
    TTransferStatus status = TTransferStatus::Done;
    QByteArray buffer(int(kCopyBlock), Qt::Uninitialized);
    qint64 done = 0;
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), kCopyBlock);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            status = TTransferStatus::SourceUnreadable;
            break;
        }
        if (got == 0)
            break;
        if (!out.Write(buffer.constData(), got)) {
            status = TTransferStatus::WriteFailed;
            break;
        }
        done += got;
        if (options.Progress && !options.Progress(done, opened.st_size)) {
            status = TTransferStatus::Cancelled;
            break;
        }
    }
    ::close(in);
    if (status != TTransferStatus::Done)
        return status; // `out` removes the temporary file

    // The copy keeps the source's permissions (never set-ID bits) and times.
    ::fchmod(out.Handle(), srcStat.st_mode & 07777 & ~mode_t(S_ISUID | S_ISGID));
    const struct timespec times[2] = {srcStat.st_atim, srcStat.st_mtim};
    ::futimens(out.Handle(), times);
    if (stillValid && !stillValid())
        return TTransferStatus::SourceChanged; // `out` removes the temporary file
    if (!out.Commit(replace, sync))
        return out.Error() == EEXIST ? TTransferStatus::DestExists : TTransferStatus::WriteFailed;
    return TTransferStatus::Done;
}

/// Recreates the symbolic link `srcName` as `dstName` in another directory.
TTransferStatus CopyLink(int srcDir, const QByteArray &srcName, int dstDir,
                         const QByteArray &dstName, bool replace,
                         const std::function<bool()> &stillValid)
{
    QByteArray target(4096, '\0');
    const ssize_t len = ::readlinkat(srcDir, srcName.constData(), target.data(), 4096);
    if (len < 0 || len >= 4096)
        return TTransferStatus::SourceUnreadable;
    target.truncate(int(len));
    const QByteArray temp = TemporaryName(dstName);
    if (::symlinkat(target.constData(), dstDir, temp.constData()) != 0)
        return TTransferStatus::WriteFailed;
    if (!stillValid()) {
        ::unlinkat(dstDir, temp.constData(), 0);
        return TTransferStatus::SourceChanged;
    }
    const int rc = replace ? ::renameat(dstDir, temp.constData(), dstDir, dstName.constData())
                           : RenameNoReplace(dstDir, temp.constData(), dstDir, dstName.constData());
    if (rc != 0) {
        const int error = errno;
        ::unlinkat(dstDir, temp.constData(), 0);
        return error == EEXIST ? TTransferStatus::DestExists : TTransferStatus::WriteFailed;
    }
    return TTransferStatus::Done;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TAtomicFile

TAtomicFile::~TAtomicFile()
{
    Discard();
}

bool TAtomicFile::Fail(int error)
{
    if (m_error == 0)
        m_error = error;
    return false;
}

bool TAtomicFile::OpenAt(int dirFd, const QByteArray &name, mode_t mode)
{
    Discard();
    m_error = 0;
    if (name.isEmpty() || name.contains('/'))
        return Fail(EINVAL);
    m_dirFd = ::fcntl(dirFd, F_DUPFD_CLOEXEC, 0);
    if (m_dirFd < 0)
        return Fail(errno);
    m_name = name;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temp = TemporaryName(name);
        const int fd = ::openat(m_dirFd, temp.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0) {
            m_fd = fd;
            m_tempName = temp;
            return true;
        }
        if (errno != EEXIST) {
            const int error = errno;
            Discard();
            return Fail(error);
        }
    }
    Discard();
    return Fail(EEXIST);
}

bool TAtomicFile::Open(const QString &hostPath, mode_t mode)
{
    QByteArray name;
    const int dir = OpenParentDirectory(hostPath, &name);
    if (dir < 0) {
        m_error = errno ? errno : ENOENT;
        return false;
    }
    const bool ok = OpenAt(dir, name, mode);
    ::close(dir);
    return ok;
}

bool TAtomicFile::Write(const char *data, qint64 size)
{
    if (m_fd < 0 || m_error != 0)
        return Fail(EBADF);
    int error = 0;
    if (size > 0 && !WriteAll(m_fd, data, size_t(size), &error))
        return Fail(error);
    return true;
}

bool TAtomicFile::Commit(bool replace, bool sync)
{
    if (m_fd < 0 || m_error != 0) {
        Discard();
        return Fail(EBADF);
    }
    if (sync && ::fsync(m_fd) != 0) {
        Fail(errno);
        Discard();
        return false;
    }
    // close reports errors of delayed writes (network file systems, quota): a file whose
    // close failed is not complete.
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        Fail(errno);
        Discard();
        return false;
    }
    const int rc =
        replace ? ::renameat(m_dirFd, m_tempName.constData(), m_dirFd, m_name.constData())
                : RenameNoReplace(m_dirFd, m_tempName.constData(), m_dirFd, m_name.constData());
    if (rc != 0) {
        Fail(errno);
        Discard();
        return false;
    }
    m_tempName.clear();
    ::close(m_dirFd);
    m_dirFd = -1;
    return true;
}

void TAtomicFile::TakeOverAttributes(const struct stat &old)
{
    if (m_fd < 0)
        return;
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        // Only the superuser may give a file away; others keep at least the group.
        if (::fchown(m_fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(m_fd, uid_t(-1), old.st_gid);
    }
    // After the owner: a change of owner clears the set-ID bits, which are never kept anyway.
    ::fchmod(m_fd, old.st_mode & 07777 & ~mode_t(S_ISUID | S_ISGID));
}

void TAtomicFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_dirFd >= 0) {
        if (!m_tempName.isEmpty())
            ::unlinkat(m_dirFd, m_tempName.constData(), 0);
        ::close(m_dirFd);
        m_dirFd = -1;
    }
    m_tempName.clear();
}

// ---------------------------------------------------------------------------------------------
// Copies and moves

TTransferStatus TransferFileAt(int srcDir, const QByteArray &srcName, int dstDir,
                               const QByteArray &dstName, const TTransferOptions &options)
{
    if (srcName.isEmpty() || dstName.isEmpty() || srcName.contains('/') || dstName.contains('/'))
        return TTransferStatus::SourceMissing;
    const bool move = options.Mode == TTransferMode::Move;

    struct stat srcLink, srcFollowed;
    if (::fstatat(srcDir, srcName.constData(), &srcLink, AT_SYMLINK_NOFOLLOW) != 0)
        return TTransferStatus::SourceMissing;
    const bool srcResolves = ::fstatat(srcDir, srcName.constData(), &srcFollowed, 0) == 0;
    if (!move && !srcResolves)
        return TTransferStatus::SourceMissing; // a dangling link has nothing to copy
    if (!move && !S_ISREG(srcFollowed.st_mode))
        return TTransferStatus::SourceNotRegular;

    struct stat dstLink, dstFollowed;
    const bool dstExists =
        ::fstatat(dstDir, dstName.constData(), &dstLink, AT_SYMLINK_NOFOLLOW) == 0;
    if (dstExists) {
        const bool dstResolves = ::fstatat(dstDir, dstName.constData(), &dstFollowed, 0) == 0;
        // One file under two names, or a link and what it points to, in either direction.
        if (SameInode(srcLink, dstLink) || (dstResolves && SameInode(srcLink, dstFollowed)) ||
            (srcResolves && SameInode(srcFollowed, dstLink)) ||
            (srcResolves && dstResolves && SameInode(srcFollowed, dstFollowed)))
            return TTransferStatus::SameFile;
        if (!options.Replace)
            return TTransferStatus::DestExists;
        if (S_ISDIR(dstLink.st_mode))
            return TTransferStatus::DestNotReplaceable;
        if (!options.ReplaceReadOnly && !S_ISLNK(dstLink.st_mode) &&
            !HostModeWritable(dstLink.st_mode, dstLink.st_uid, dstLink.st_gid))
            return TTransferStatus::DestNotReplaceable;
    }

    if (!move)
        return CopyData(srcDir, srcName, srcFollowed, dstDir, dstName, options.Replace,
                        options.Sync, options);

    const int rc = options.Replace
                       ? ::renameat(srcDir, srcName.constData(), dstDir, dstName.constData())
                       : RenameNoReplace(srcDir, srcName.constData(), dstDir, dstName.constData());
    if (rc == 0)
        return TTransferStatus::Done;
    if (errno == EEXIST || errno == ENOTEMPTY)
        return TTransferStatus::DestExists;
    if (errno != EXDEV)
        return TTransferStatus::WriteFailed;

    // Another file system: copy, make the copy durable, then delete the source. The source
    // is deleted only while its name still holds the file that was copied (checked before
    // the copy goes into place and again before the deletion, in the source's own folder):
    // an editor that saved a new version over it meanwhile, or wrote to it, keeps its work.
    const auto stillValid = [&] { return StillTheSame(srcDir, srcName, srcLink); };
    TTransferStatus status;
    if (S_ISLNK(srcLink.st_mode))
        status = CopyLink(srcDir, srcName, dstDir, dstName, options.Replace, stillValid);
    else if (S_ISREG(srcLink.st_mode))
        status = CopyData(srcDir, srcName, srcLink, dstDir, dstName, options.Replace, true, options,
                          stillValid);
    else
        return TTransferStatus::SourceNotRegular;
    if (status != TTransferStatus::Done)
        return status;
    // The new name must survive a crash before the old one goes.
    ::fsync(dstDir);
    if (!stillValid())
        return TTransferStatus::SourceChanged; // both stay: the copy and the newer source
    if (::unlinkat(srcDir, srcName.constData(), 0) != 0) {
        // Better two copies than none: a destination that replaced an older file stays; one
        // the move created goes again, so the failed move changed nothing.
        if (!dstExists)
            ::unlinkat(dstDir, dstName.constData(), 0);
        return TTransferStatus::SourceNotRemoved;
    }
    ::fsync(srcDir);
    return TTransferStatus::Done;
}

int OpenParentDirectory(const QString &hostPath, QByteArray *name)
{
    QString path = hostPath;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString entry = path.mid(slash + 1);
    if (entry.isEmpty() || entry == QLatin1String(".") || entry == QLatin1String("..")) {
        errno = EINVAL;
        return -1;
    }
    const QString dir = slash < 0    ? QStringLiteral(".")
                        : slash == 0 ? QStringLiteral("/")
                                     : path.left(slash);
    *name = QFile::encodeName(entry);
    return ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

TTransferStatus TransferFile(const QString &source, const QString &dest,
                             const TTransferOptions &options)
{
    const QString src = ToHostPath(source);
    const QString dst = ToHostPath(dest);
    if (src.isEmpty())
        return TTransferStatus::SourceMissing;
    QByteArray srcName, dstName;
    const int srcDir = OpenParentDirectory(src, &srcName);
    if (srcDir < 0)
        return TTransferStatus::SourceMissing;
    const int dstDir = dst.isEmpty() ? -1 : OpenParentDirectory(dst, &dstName);
    if (dstDir < 0) {
        ::close(srcDir);
        return TTransferStatus::WriteFailed;
    }
    const TTransferStatus status = TransferFileAt(srcDir, srcName, dstDir, dstName, options);
    ::close(srcDir);
    ::close(dstDir);
    return status;
}

int OpenWriteTarget(int dirFd, const QByteArray &name, QByteArray *targetName)
{
    struct stat link, target;
    const bool isLink = ::fstatat(dirFd, name.constData(), &link, AT_SYMLINK_NOFOLLOW) == 0 &&
                        S_ISLNK(link.st_mode);
    if (!isLink || ::fstatat(dirFd, name.constData(), &target, 0) != 0 ||
        !S_ISREG(target.st_mode)) {
        *targetName = name;
        return ::fcntl(dirFd, F_DUPFD_CLOEXEC, 0);
    }
    // The kernel resolves the whole chain of links from the open folder: the folder's own
    // entry in /proc stands for it whatever its path is.
    const QByteArray viaFolder = "/proc/self/fd/" + QByteArray::number(dirFd) + '/' + name;
    char resolved[PATH_MAX];
    if (!::realpath(viaFolder.constData(), resolved))
        return -1;
    const char *slash = std::strrchr(resolved, '/');
    if (!slash || slash[1] == '\0') {
        errno = EINVAL;
        return -1;
    }
    *targetName = QByteArray(slash + 1);
    const QByteArray folder =
        slash == resolved ? QByteArray("/") : QByteArray(resolved, slash - resolved);
    return ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int WriteFileAtomically(const QString &fileName, const QByteArray &bytes, bool sync)
{
    const QString host = ToHostPath(fileName);
    if (host.isEmpty())
        return ENOENT;
    QByteArray name;
    const int dir = OpenParentDirectory(host, &name);
    if (dir < 0)
        return errno ? errno : ENOENT;
    QByteArray targetName;
    const int targetDir = OpenWriteTarget(dir, name, &targetName);
    const int openError = errno;
    ::close(dir);
    if (targetDir < 0)
        return openError ? openError : ENOENT;
    struct stat old;
    const bool replacing =
        ::fstatat(targetDir, targetName.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    int error = 0;
    if (replacing && S_ISDIR(old.st_mode))
        error = EISDIR;
    else if (replacing && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode))
        error = EINVAL; // a FIFO, socket or device is not a file to replace
    else if (replacing && S_ISREG(old.st_mode) &&
             !HostModeWritable(old.st_mode, old.st_uid, old.st_gid))
        error = EACCES; // a read-only file is not written, as it could not be opened to write
    TAtomicFile file;
    if (error == 0 && !file.OpenAt(targetDir, targetName))
        error = file.Error();
    ::close(targetDir);
    if (error != 0)
        return error;
    if (replacing && S_ISREG(old.st_mode))
        file.TakeOverAttributes(old);
    if (!file.Write(bytes) || !file.Commit(true, sync))
        return file.Error() ? file.Error() : EIO;
    return 0;
}

bool IsSpellableName(const char *name)
{
    bool ascii = true;
    for (const char *p = name; *p; ++p) {
        if (*p == '\\' || *p == '/')
            return false;
        ascii = ascii && static_cast<unsigned char>(*p) < 0x80;
    }
    if (ascii)
        return true;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(QByteArrayView(name, qsizetype(std::strlen(name))));
    return !utf8.hasError() && QFile::encodeName(text) == QByteArray(name);
}

} // namespace jxt::platform
