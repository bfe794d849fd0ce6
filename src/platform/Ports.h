// SPDX-License-Identifier: MIT
// Direct I/O port access through the kernel's port device: byte n of /dev/port is I/O port
// n. Only a process with the right to raw I/O may open it; everybody else is refused with
// the system's error, never with a crash.
#pragma once

#include <QString>

#include <cstdint>

namespace jxt::platform {

/// The device read and written for port access, "/dev/port" unless a test named another.
QString PortDevice();
/// Names the device for port access (an empty name restores /dev/port). Meant for tests,
/// which point it at an ordinary file standing for the port space.
void SetPortDevice(const QString &device);

/// Reads the byte of port; false with errno in *error when the device refuses.
bool ReadPort(std::uint16_t port, std::uint8_t &value, int *error);
/// Writes the byte of port; false with errno in *error when the device refuses.
bool WritePort(std::uint16_t port, std::uint8_t value, int *error);

} // namespace jxt::platform
