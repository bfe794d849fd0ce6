// SPDX-License-Identifier: MIT
#include "platform/ShellLink.h"

#include "platform/Paths.h"
#include "platform/Transfer.h"
#include "platform/Volumes.h"

#include <QFileInfo>

#include <cerrno>

namespace jxt::platform {

namespace {

constexpr int kMaxChars = 32767;

// Link flags
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasName = 0x04;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;

// File attributes
constexpr std::uint32_t kAttrDirectory = 0x10;
constexpr std::uint32_t kAttrArchive = 0x20;

// The class id of shell links, 00021401-0000-0000-C000-000000000046, in stored byte order.
const unsigned char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

void U16(QByteArray &b, std::uint32_t v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void U32(QByteArray &b, std::uint32_t v)
{
    U16(b, v & 0xFFFF);
    U16(b, v >> 16);
}

void U64(QByteArray &b, std::uint64_t v)
{
    U32(b, std::uint32_t(v & 0xFFFFFFFFu));
    U32(b, std::uint32_t(v >> 32));
}

/// 100-nanosecond intervals since 1601-01-01 UTC; 0 for an invalid time.
std::uint64_t FileTime(const QDateTime &t)
{
    if (!t.isValid())
        return 0;
    const qint64 ms = t.toMSecsSinceEpoch();
    const qint64 since1601 = ms + 11644473600000LL;
    return since1601 < 0 ? 0 : std::uint64_t(since1601) * 10000u;
}

/// A zero-terminated text in the single-byte code page (Latin-1; other characters become "?").
QByteArray Ansi(const QString &s)
{
    QByteArray b;
    for (QChar c : s)
        b.append(c.unicode() < 256 ? char(c.unicode()) : '?');
    b.append('\0');
    return b;
}

QByteArray Utf16(const QString &s, bool terminated)
{
    QByteArray b;
    for (QChar c : s)
        U16(b, c.unicode());
    if (terminated)
        U16(b, 0);
    return b;
}

/// The link-information block: volume and local path, in both code-page and UTF-16 form.
QByteArray LinkInfo(const TShellLink &link)
{
    constexpr int kHeader = 0x24;
    QByteArray volume;
    const QByteArray label = Ansi(link.VolumeLabel);
    U32(volume, std::uint32_t(16 + label.size()));
    U32(volume, std::uint32_t(link.DriveType));
    U32(volume, link.DriveSerial);
    U32(volume, 0x10); // the label follows at once
    volume += label;

    const QByteArray basePath = Ansi(link.TargetPath);
    const QByteArray suffix = Ansi(QString());
    const QByteArray basePathW = Utf16(link.TargetPath, true);
    const QByteArray suffixW = Utf16(QString(), true);

    const int volumeAt = kHeader;
    const int basePathAt = volumeAt + int(volume.size());
    const int suffixAt = basePathAt + int(basePath.size());
    const int basePathWAt = suffixAt + int(suffix.size());
    const int suffixWAt = basePathWAt + int(basePathW.size());
    const int total = suffixWAt + int(suffixW.size());

    QByteArray b;
    U32(b, std::uint32_t(total));
    U32(b, kHeader);
    U32(b, 0x01); // volume id and local base path present
    U32(b, std::uint32_t(volumeAt));
    U32(b, std::uint32_t(basePathAt));
    U32(b, 0); // no network path
    U32(b, std::uint32_t(suffixAt));
    U32(b, std::uint32_t(basePathWAt));
    U32(b, std::uint32_t(suffixWAt));
    b += volume + basePath + suffix + basePathW + suffixW;
    return b;
}

} // namespace

QByteArray EncodeShellLink(const TShellLink &link)
{
    if (link.TargetPath.isEmpty())
        return QByteArray();
    for (const QString *s : {&link.TargetPath, &link.WorkingDir, &link.Arguments,
                             &link.IconLocation, &link.Description, &link.VolumeLabel}) {
        if (s->size() > kMaxChars)
            return QByteArray();
    }

    std::uint32_t flags = kHasLinkInfo | kIsUnicode;
    if (!link.Description.isEmpty())
        flags |= kHasName;
    if (!link.WorkingDir.isEmpty())
        flags |= kHasWorkingDir;
    if (!link.Arguments.isEmpty())
        flags |= kHasArguments;
    if (!link.IconLocation.isEmpty())
        flags |= kHasIconLocation;

    QByteArray b;
    U32(b, 0x4C);
    b.append(reinterpret_cast<const char *>(kLinkClsid), 16);
    U32(b, flags);
    U32(b, link.TargetIsDirectory ? kAttrDirectory : kAttrArchive);
    U64(b, FileTime(link.Created));
    U64(b, FileTime(link.Accessed));
    U64(b, FileTime(link.Written));
    U32(b, std::uint32_t(link.TargetSize & 0xFFFFFFFF)); // the low 32 bits, as stored
    U32(b, std::uint32_t(link.IconIndex));
    U32(b, std::uint32_t(link.ShowCommand));
    U16(b, 0); // no hot key
    U16(b, 0);
    U32(b, 0);
    U32(b, 0);
    Q_ASSERT(b.size() == 0x4C);

    b += LinkInfo(link);

    // The strings, each as a character count and UTF-16 characters without a zero.
    for (const QString *s :
         {&link.Description, &link.WorkingDir, &link.Arguments, &link.IconLocation}) {
        if (s->isEmpty())
            continue;
        U16(b, std::uint32_t(s->size()));
        b += Utf16(*s, false);
    }
    U32(b, 0); // the terminal block
    return b;
}

TShellLink ShellLinkForTarget(const QString &hostTarget, const QString &arguments)
{
    const QFileInfo info(hostTarget);
    TShellLink link;
    link.TargetPath = ToWindowsPath(info.absoluteFilePath());
    link.WorkingDir = ToWindowsPath(info.absolutePath());
    link.Arguments = arguments;
    link.IconLocation = link.TargetPath;
    link.IconIndex = 0;
    link.TargetIsDirectory = info.isDir();
    link.TargetSize = info.isDir() ? 0 : info.size();
    link.Created = info.birthTime().isValid() ? info.birthTime() : info.lastModified();
    link.Accessed = info.lastRead();
    link.Written = info.lastModified();
    TVolumeInfo volume;
    if (GetVolumeInformation(info.absoluteFilePath(), volume)) {
        link.DriveType = volume.DriveType;
        link.DriveSerial = std::uint32_t(volume.SerialNumber);
        link.VolumeLabel = volume.Label;
    }
    return link;
}

bool WriteShellLink(const QString &hostPath, const TShellLink &link, int *error)
{
    const QByteArray bytes = EncodeShellLink(link);
    if (bytes.isEmpty()) {
        if (error)
            *error = ENAMETOOLONG;
        return false;
    }
    TAtomicFile file;
    if (!file.Open(hostPath) || !file.Write(bytes) || !file.Commit(true, false)) {
        if (error)
            *error = file.Error() ? file.Error() : EIO;
        return false;
    }
    return true;
}

} // namespace jxt::platform
