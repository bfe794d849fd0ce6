// SPDX-License-Identifier: MIT
#include "platform/RegularFile.h"

#include "platform/Paths.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace jxt::platform {

namespace {

/// Opens a regular file given by a Windows or host path (see OpenRegularHostFile).
int OpenRegular(const QString &fileName, int flags, TFileAccess &status, qint64 *size = nullptr)
{
    const QByteArray path = QFile::encodeName(ToHostPath(fileName));
    if (path.isEmpty()) {
        status = TFileAccess::Missing;
        return -1;
    }
    struct stat st;
    const int fd = OpenRegularHostFile(path, flags, &status, &st);
    if (fd >= 0 && size)
        *size = st.st_size;
    return fd;
}

qint64 ReadAll(int fd, char *buffer, qint64 count)
{
    qint64 done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd, buffer + done, std::size_t(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

} // namespace

int OpenRegularHostFile(const QByteArray &hostPath, int flags, TFileAccess *status, struct stat *st)
{
    // What the name is, is known before it is opened: opening a device can have effects of
    // its own (a tape rewinds, a modem line rises), and a FIFO would wait for a writer.
    struct stat before;
    if (::stat(hostPath.constData(), &before) != 0) {
        *status = errno == ENOENT || errno == ENOTDIR ? TFileAccess::Missing : TFileAccess::Failed;
        return -1;
    }
    if (!S_ISREG(before.st_mode)) {
        *status = TFileAccess::NotRegular;
        return -1;
    }
    // Non-blocking and checked again on the descriptor itself, so an entry swapped for a FIFO
    // in between neither hangs the open nor is read: the checked file is the one read.
    const int fd = ::open(hostPath.constData(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        *status = errno == ENOENT || errno == ENOTDIR ? TFileAccess::Missing
                  : errno == EISDIR                   ? TFileAccess::NotRegular
                                                      : TFileAccess::Failed;
        return -1;
    }
    if (::fstat(fd, st) != 0 || !S_ISREG(st->st_mode) || st->st_dev != before.st_dev ||
        st->st_ino != before.st_ino) {
        ::close(fd);
        *status = TFileAccess::NotRegular;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    *status = TFileAccess::Ok;
    return fd;
}

TFileAccess ReadRegularFile(const QString &fileName, QByteArray &data, qint64 maxBytes)
{
    data.clear();
    TFileAccess status;
    qint64 size = 0;
    const int fd = OpenRegular(fileName, O_RDONLY, status, &size);
    if (fd < 0)
        return status;
    if (size > maxBytes || size > std::numeric_limits<int>::max() - 1) {
        ::close(fd);
        return TFileAccess::TooLarge;
    }
    data.resize(qsizetype(size));
    const qint64 got = ReadAll(fd, data.data(), size);
    ::close(fd);
    if (got < 0) {
        data.clear();
        return TFileAccess::Failed;
    }
    data.truncate(qsizetype(got));
    return TFileAccess::Ok;
}

TFileAccess ReadRegularFileHead(const QString &fileName, QByteArray &data, qint64 count)
{
    data.clear();
    TFileAccess status;
    const int fd = OpenRegular(fileName, O_RDONLY, status);
    if (fd < 0)
        return status;
    data.resize(qsizetype(std::max<qint64>(0, std::min<qint64>(count, 1 << 30))));
    const qint64 got = ReadAll(fd, data.data(), data.size());
    ::close(fd);
    if (got < 0) {
        data.clear();
        return TFileAccess::Failed;
    }
    data.truncate(qsizetype(got));
    return TFileAccess::Ok;
}

TFileAccess WriteRegularFileAt(const QString &fileName, qint64 offset, const QByteArray &bytes)
{
    TFileAccess status;
    const int fd = OpenRegular(fileName, O_WRONLY, status);
    if (fd < 0)
        return status;
    qint64 done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, std::size_t(bytes.size() - done),
                                   off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += n;
    }
    if (::close(fd) != 0)
        ok = false;
    return ok ? TFileAccess::Ok : TFileAccess::Failed;
}

TFileAccess OpenRegularFile(const QString &fileName, QFile &file, QIODevice::OpenMode mode)
{
    file.close();
    TFileAccess status;
    const int fd = OpenRegular(fileName, O_RDONLY, status);
    if (fd < 0)
        return status;
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return TFileAccess::Failed;
    }
    return TFileAccess::Ok;
}

qint64 RegularFileSize(const QString &fileName)
{
    const QByteArray path = QFile::encodeName(ToHostPath(fileName));
    struct stat st
    {
    };
    if (path.isEmpty() || ::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return st.st_size;
}

} // namespace jxt::platform
