// SPDX-License-Identifier: MIT
// Shared by the file-backed fuzz targets (fuzz_file_*): every input goes to a reader through
// a real file in a folder of the target's own, so the reader's own checks on what it opens
// are fuzzed too. Each target checks once, at its start, that a FIFO is refused without
// waiting and that a file beyond the reader's cap is refused without being read, and after
// every input that no temporary file is left in the folder.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jxt::fuzz {

inline void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

class TFileHarness
{
public:
    /// The target's folder; it goes when the program ends.
    static TFileHarness &Instance()
    {
        static TFileHarness harness;
        return harness;
    }

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    /// Writes the input under `name` (replacing what was there).
    QString Write(const QString &name, const std::uint8_t *data, std::size_t size) const
    {
        const QString path = Path(name);
        QFile file(path);
        Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        Check(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
        return path;
    }
    QString Write(const QString &name, const QByteArray &bytes) const
    {
        return Write(name, reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                     std::size_t(bytes.size()));
    }

    /// A FIFO under `name`: a reader that opens it without care waits for a writer for ever.
    QString MakeFifo(const QString &name) const
    {
        const QString path = Path(name);
        Check(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
        return path;
    }

    /// A sparse file of `size` bytes beginning with `head` (it costs no disk space).
    QString MakeSparse(const QString &name, qint64 size, const QByteArray &head) const
    {
        const QString path = Write(name, head);
        Check(::truncate(QFile::encodeName(path).constData(), off_t(size)) == 0);
        return path;
    }

    void Remove(const QString &name) const { ::unlink(QFile::encodeName(Path(name)).constData()); }

    /// Every entry of the folder, hidden ones (temporary files) included, sorted.
    QStringList Entries() const
    {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }

    /// Stops the run unless the folder holds exactly `names`: a reader or writer that left a
    /// temporary file behind (or wrote where it should not) is a failure.
    void ExpectEntries(QStringList names) const
    {
        names.sort();
        const QStringList found = Entries();
        if (found != names)
            std::fprintf(stderr, "folder holds [%s], expected [%s]\n",
                         qPrintable(found.join(QLatin1Char(' '))),
                         qPrintable(names.join(QLatin1Char(' '))));
        Check(found == names);
    }

private:
    TFileHarness() : m_dir(QDir::tempPath() + QStringLiteral("/jxt-fuzz-XXXXXX"))
    {
        Check(m_dir.isValid());
    }

    QTemporaryDir m_dir;
};

/// Runs a call that must return within `seconds`: a reader that blocks ends the run (the
/// alarm's signal kills it, which libFuzzer reports as a crash).
template <typename Call> void WithinSeconds(unsigned seconds, Call call)
{
    ::alarm(seconds);
    call();
    ::alarm(0);
}

} // namespace jxt::fuzz
