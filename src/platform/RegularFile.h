// SPDX-License-Identifier: MIT
// Content access for readers of outside files: only regular files are opened (never FIFOs,
// sockets or devices, which could block or never end), and reads are bounded.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/stat.h>

namespace jxt::platform {

/// Outcome of a bounded read or write.
enum class TFileAccess { Ok, Missing, NotRegular, TooLarge, Failed };

/// Opens the file at a host path with `flags` (O_RDONLY, O_WRONLY) when it is a regular
/// file: its kind is looked at before it is opened (a device is never opened, a FIFO never
/// waited on), and again on the open descriptor, which must be the same file. Returns the
/// descriptor (blocking again; the caller closes it) and its status in `st`, or -1 with the
/// reason in `status`.
int OpenRegularHostFile(const QByteArray &hostPath, int flags, TFileAccess *status,
                        struct stat *st);

/// Reads the whole file (Windows or host path) when it is a regular file of at most maxBytes.
TFileAccess ReadRegularFile(const QString &fileName, QByteArray &data, qint64 maxBytes);
/// Reads at most count bytes from the start of a regular file (fewer when it is shorter).
TFileAccess ReadRegularFileHead(const QString &fileName, QByteArray &data, qint64 count);
/// Writes bytes at offset of an existing regular file, neither truncating nor creating it.
TFileAccess WriteRegularFileAt(const QString &fileName, qint64 offset, const QByteArray &bytes);
/// Opens a regular file (Windows or host path) for reading into file, which owns the handle
/// afterwards; for readers that seek through a file too large to read whole. Unbuffered
/// (the default) reads what the file holds at each read, also after it changed.
TFileAccess OpenRegularFile(const QString &fileName, QFile &file,
                            QIODevice::OpenMode mode = QIODevice::ReadOnly | QIODevice::Unbuffered);
/// Size of a regular file, or -1 when it is missing or not a regular file.
qint64 RegularFileSize(const QString &fileName);

} // namespace jxt::platform
