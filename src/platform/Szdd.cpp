// SPDX-License-Identifier: MIT
// Streaming SZDD decoder.
#include "platform/Szdd.h"

#include "platform/HostStat.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"
#include "platform/Transfer.h"

#include <QBuffer>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace jxt::platform {

namespace {

const char kMagic[8] = {'S', 'Z', 'D', 'D', char(0x88), char(0xF0), char(0x27), char(0x33)};

constexpr int kWindowSize = 4096;
constexpr int kWindowMask = kWindowSize - 1;
constexpr int kStartPosition = kWindowSize - 16;
constexpr qint64 kBufferSize = 64 * 1024;

class TByteReader
{
public:
    explicit TByteReader(QIODevice &device) : m_device(device) {}

    // The next byte, or -1 at the end of the data or on a read error.
    int Get()
    {
        if (m_pos == m_length && !Fill())
            return -1;
        return static_cast<unsigned char>(m_buffer[m_pos++]);
    }
    bool Failed() const { return m_failed; }

    // Hands the rest of the current buffer to `sink`, then every further block.
    template <typename Sink> bool Drain(Sink &&sink)
    {
        for (;;) {
            if (m_pos < m_length && !sink(m_buffer + m_pos, m_length - m_pos))
                return false;
            m_pos = m_length;
            if (!Fill())
                return !m_failed;
        }
    }

private:
    bool Fill()
    {
        m_pos = 0;
        m_length = m_device.read(m_buffer, kBufferSize);
        if (m_length < 0)
            m_failed = true;
        if (m_length <= 0) {
            m_length = 0;
            return false;
        }
        return true;
    }

    QIODevice &m_device;
    std::unique_ptr<char[]> m_storage{new char[kBufferSize]};
    char *m_buffer = m_storage.get();
    qint64 m_pos = 0;
    qint64 m_length = 0;
    bool m_failed = false;
};

class TByteWriter
{
public:
    TByteWriter(QIODevice &device, qint64 limit) : m_device(device), m_limit(limit) {}

    bool Put(char c)
    {
        if (m_fill == kBufferSize && !Flush())
            return false;
        m_buffer[m_fill++] = c;
        return true;
    }
    bool Write(const char *data, qint64 size)
    {
        while (size > 0) {
            if (m_fill == kBufferSize && !Flush())
                return false;
            const qint64 n = std::min(size, kBufferSize - m_fill);
            std::memcpy(m_buffer + m_fill, data, static_cast<size_t>(n));
            m_fill += n;
            data += n;
            size -= n;
        }
        return true;
    }
    bool Flush()
    {
        if (m_fill == 0)
            return true;
        if (m_limit >= 0 && m_total + m_fill > m_limit)
            return false;
        if (m_device.write(m_buffer, m_fill) != m_fill)
            return false;
        m_total += m_fill;
        m_fill = 0;
        return true;
    }
    qint64 Total() const { return m_total + m_fill; }

private:
    QIODevice &m_device;
    qint64 m_limit;
    std::unique_ptr<char[]> m_storage{new char[kBufferSize]};
    char *m_buffer = m_storage.get();
    qint64 m_fill = 0;
    qint64 m_total = 0;
};

qint64 DecodeStream(TByteReader &reader, TByteWriter &writer, quint32 length)
{
    unsigned char window[kWindowSize];
    std::memset(window, ' ', sizeof window);
    int pos = kStartPosition;
    qint64 remaining = length;

    while (remaining > 0) {
        const int flags = reader.Get();
        if (flags < 0)
            return kLzErrorRead;
        for (int bit = 0; bit < 8 && remaining > 0; ++bit) {
            if (flags & (1 << bit)) {
                const int c = reader.Get();
                if (c < 0)
                    return kLzErrorRead;
                if (!writer.Put(char(c)))
                    return kLzErrorWrite;
                window[pos] = static_cast<unsigned char>(c);
                pos = (pos + 1) & kWindowMask;
                --remaining;
            } else {
                const int b0 = reader.Get();
                const int b1 = reader.Get();
                if (b0 < 0 || b1 < 0)
                    return kLzErrorRead;
                int matchPos = b0 | ((b1 & 0xF0) << 4);
                int matchLength = (b1 & 0x0F) + 3;
                // A match may overlap the position being written; copying byte by byte
                // repeats the pattern as the format intends.
                for (; matchLength > 0 && remaining > 0; --matchLength, --remaining) {
                    const unsigned char c = window[matchPos];
                    if (!writer.Put(char(c)))
                        return kLzErrorWrite;
                    window[pos] = c;
                    pos = (pos + 1) & kWindowMask;
                    matchPos = (matchPos + 1) & kWindowMask;
                }
            }
        }
    }
    return 0;
}

} // namespace

bool IsSzdd(const QByteArray &data)
{
    return data.size() >= int(sizeof kMagic) &&
           std::memcmp(data.constData(), kMagic, sizeof kMagic) == 0;
}

bool ReadSzddHeader(const QByteArray &data, TSzddHeader &header)
{
    if (data.size() < kSzddHeaderSize || !IsSzdd(data))
        return false;
    const auto *p = reinterpret_cast<const unsigned char *>(data.constData());
    header.Mode = char(p[8]);
    header.MissingChar = char(p[9]);
    header.Length =
        quint32(p[10]) | (quint32(p[11]) << 8) | (quint32(p[12]) << 16) | (quint32(p[13]) << 24);
    return true;
}

qint64 LZCopy(QIODevice &in, QIODevice &out, qint64 maxOutput)
{
    TByteReader reader(in);
    TByteWriter writer(out, maxOutput);

    QByteArray head;
    while (head.size() < kSzddHeaderSize) {
        const int c = reader.Get();
        if (c < 0)
            break;
        head.append(char(c));
        if (head.size() == int(sizeof kMagic) && !IsSzdd(head))
            break;
    }
    if (reader.Failed())
        return kLzErrorBadInHandle;

    qint64 rc = 0;
    if (!IsSzdd(head)) {
        // Not compressed: copy as it is.
        if (!writer.Write(head.constData(), head.size()))
            rc = kLzErrorWrite;
        else if (!reader.Drain(
                     [&](const char *data, qint64 size) { return writer.Write(data, size); }))
            rc = reader.Failed() ? kLzErrorRead : kLzErrorWrite;
    } else {
        TSzddHeader header;
        if (!ReadSzddHeader(head, header))
            return kLzErrorRead;
        if (header.Mode != 'A')
            return kLzErrorUnknownAlg;
        rc = DecodeStream(reader, writer, header.Length);
    }
    if (!writer.Flush() && rc == 0)
        rc = kLzErrorWrite;
    return rc < 0 ? rc : writer.Total();
}

qint64 LZDecode(const QByteArray &input, QByteArray &output, qint64 maxOutput)
{
    output.clear();
    QBuffer in;
    in.setData(input);
    QBuffer out(&output);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return kLzErrorBadInHandle;
    return LZCopy(in, out, maxOutput);
}

qint64 LZCopyFile(const QString &source, const QString &dest, qint64 maxOutput)
{
    const QString src = ToHostPath(source);
    const QString dst = ToHostPath(dest);
    if (src.isEmpty())
        return kLzErrorBadInHandle;
    // Only a regular file is read: a FIFO or device is refused before it is opened.
    TFileAccess access;
    struct stat a;
    const int inFd = OpenRegularHostFile(QFile::encodeName(src), O_RDONLY, &access, &a);
    if (inFd < 0)
        return kLzErrorBadInHandle;
    QFile in;
    if (!in.open(inFd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(inFd);
        return kLzErrorBadInHandle;
    }
    // What the output will hold is known before anything is written: the length a header
    // declares, or the size of a file that is not compressed. Beyond the limit the copy is
    // refused now, not after the destination was replaced.
    if (maxOutput >= 0) {
        TSzddHeader header;
        char head[kSzddHeaderSize];
        const ssize_t got = ::pread(inFd, head, sizeof head, 0);
        const qint64 length =
            got == qint64(sizeof head) && ReadSzddHeader(QByteArray(head, int(got)), header)
                ? qint64(header.Length)
                : qint64(a.st_size);
        if (length > maxOutput)
            return kLzErrorWrite;
    }

    // The output goes to a temporary file that replaces the destination only when the whole
    // decode succeeded: a damaged source leaves an existing destination as it was. The
    // destination must not be the source itself (through any name or link), a directory or
    // a read-only file.
    struct stat b;
    if (dst.isEmpty())
        return kLzErrorBadOutHandle;
    const bool replacing = ::stat(QFile::encodeName(dst).constData(), &b) == 0;
    if (replacing && ((a.st_dev == b.st_dev && a.st_ino == b.st_ino) || S_ISDIR(b.st_mode) ||
                      !HostModeWritable(b.st_mode, b.st_uid, b.st_gid)))
        return kLzErrorBadOutHandle;
    TAtomicFile file;
    if (!file.Open(dst, 0666))
        return kLzErrorBadOutHandle;
    if (replacing)
        ::fchmod(file.Handle(), b.st_mode & 0777); // a replaced file keeps its permissions
    QFile out;
    if (!out.open(file.Handle(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        return kLzErrorBadOutHandle;
    qint64 rc = LZCopy(in, out, maxOutput);
    if (!out.flush() || out.error() != QFileDevice::NoError)
        rc = rc < 0 ? rc : qint64(kLzErrorWrite);
    out.close();
    if (rc < 0)
        return rc; // `file` removes the temporary file
    if (!file.Commit(true, false))
        return kLzErrorWrite;
    return rc;
}

QString GetExpandedName(const QString &fileName)
{
    if (!fileName.endsWith(QLatin1Char('_')))
        return fileName;
    QFile file(ToHostPath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return fileName;
    TSzddHeader header;
    if (!ReadSzddHeader(file.read(kSzddHeaderSize), header) || header.MissingChar == 0)
        return fileName;
    QChar missing = QLatin1Char(header.MissingChar);
    // Follow the case of the name's preceding letter, so "README.TX_" becomes "README.TXT".
    const QChar before = fileName.size() >= 2 ? fileName.at(fileName.size() - 2) : QChar();
    missing = before.isUpper() ? missing.toUpper() : missing.toLower();
    return fileName.left(fileName.size() - 1) + missing;
}

} // namespace jxt::platform
