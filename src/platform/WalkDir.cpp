// SPDX-License-Identifier: MIT
#include "platform/WalkDir.h"

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jxt::platform {

namespace {

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;

} // namespace

TWalkDir::~TWalkDir()
{
    Close();
}

TWalkDir::TWalkDir(TWalkDir &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_error(other.m_error), m_dev(other.m_dev),
      m_ino(other.m_ino)
{}

TWalkDir &TWalkDir::operator=(TWalkDir &&other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
        m_error = other.m_error;
        m_dev = other.m_dev;
        m_ino = other.m_ino;
    }
    return *this;
}

void TWalkDir::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool TWalkDir::Identify()
{
    struct stat st;
    if (::fstat(m_fd, &st) != 0) {
        m_error = errno;
        Close();
        return false;
    }
    m_dev = st.st_dev;
    m_ino = st.st_ino;
    return true;
}

TWalkDir TWalkDir::OpenPath(const QByteArray &hostPath)
{
    TWalkDir dir;
    dir.m_fd = ::open(hostPath.constData(), kDirFlags);
    if (dir.m_fd < 0)
        dir.m_error = errno;
    else
        dir.Identify();
    return dir;
}

TWalkDir TWalkDir::OpenAt(int parentFd, const QByteArray &name)
{
    TWalkDir dir;
    if (parentFd < 0) {
        dir.m_error = EBADF;
        return dir;
    }
    dir.m_fd = ::openat(parentFd, name.constData(), kDirFlags | O_NOFOLLOW);
    if (dir.m_fd < 0)
        dir.m_error = errno;
    else
        dir.Identify();
    return dir;
}

void TWalkDir::Park()
{
    Close();
}

bool TWalkDir::Resume(const TWalkDir &child)
{
    if (m_fd >= 0)
        return true;
    if (child.m_fd < 0) {
        m_error = EBADF;
        return false;
    }
    const int fd = ::openat(child.m_fd, "..", kDirFlags | O_NOFOLLOW);
    if (fd < 0) {
        m_error = errno;
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || st.st_dev != m_dev || st.st_ino != m_ino) {
        ::close(fd);
        m_error = ESTALE;
        return false;
    }
    m_fd = fd;
    m_error = 0;
    return true;
}

} // namespace jxt::platform
