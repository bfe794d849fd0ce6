// SPDX-License-Identifier: MIT
#include "platform/Ports.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace jxt::platform {

namespace {

QString &Device()
{
    static QString device = QStringLiteral("/dev/port");
    return device;
}

/// One byte at offset port of the device, read or written.
bool Access(std::uint16_t port, std::uint8_t &value, bool write, int *error)
{
    const QByteArray name = Device().toLocal8Bit();
    const int fd = ::open(name.constData(), (write ? O_WRONLY : O_RDONLY) | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (error)
            *error = errno;
        return false;
    }
    const ssize_t done =
        write ? ::pwrite(fd, &value, 1, off_t(port)) : ::pread(fd, &value, 1, off_t(port));
    const int failure = done == 1 ? 0 : (done < 0 ? errno : EIO);
    ::close(fd);
    if (failure != 0 && error)
        *error = failure;
    return failure == 0;
}

} // namespace

QString PortDevice()
{
    return Device();
}

void SetPortDevice(const QString &device)
{
    Device() = device.isEmpty() ? QStringLiteral("/dev/port") : device;
}

bool ReadPort(std::uint16_t port, std::uint8_t &value, int *error)
{
    return Access(port, value, false, error);
}

bool WritePort(std::uint16_t port, std::uint8_t value, int *error)
{
    return Access(port, value, true, error);
}

} // namespace jxt::platform
