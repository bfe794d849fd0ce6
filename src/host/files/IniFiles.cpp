// SPDX-License-Identifier: MIT
// INI files: parsing and writing the text, and the file on disk with its cache.
#include "host/files/IniFiles.h"

#include "host/core/Strings.h"
#include "platform/HostStat.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"
#include "platform/Transfer.h"
#include "platform/WinDir.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>

namespace jxt {

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString TrimBlanks(const QString &s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && IsBlank(s.at(begin)))
        ++begin;
    while (end > begin && IsBlank(s.at(end - 1)))
        --end;
    return (begin == 0 && end == s.size()) ? s : s.mid(begin, end - begin);
}

bool IsQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

/// A value as read: trimmed, then one pair of matching surrounding quotes removed.
QString ValueOf(const QString &raw)
{
    QString value = TrimBlanks(raw);
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

QString Fold(const QString &name)
{
    return TrimBlanks(name).toCaseFolded();
}

bool HasLineBreak(const QString &s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

/// Host path of an INI name: a name without a directory lies in the Windows directory;
/// everything else is a Windows or host path resolved by the platform layer (drive letters,
/// both separators, case-insensitive lookup of existing names).
QString ResolveIniPath(const QString &name)
{
    if (!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
        platform::PathDriveLetter(name).isNull())
        return WindowsDirectory() + QLatin1Char('/') + name;
    const QString host = platform::ToHostPath(name);
    return host; // empty for an unmapped drive: reads give defaults, writes fail
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TIniDocument

TIniDocument::TLine TIniDocument::ParseLine(const QString &text)
{
    TLine line;
    line.text = text;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0 || TrimBlanks(text).startsWith(QLatin1Char(';')))
        return line;
    line.isEntry = true;
    line.key = TrimBlanks(text.left(equals));
    line.value = ValueOf(text.mid(equals + 1));
    return line;
}

TIniDocument TIniDocument::Parse(const QByteArray &data)
{
    TIniDocument doc;
    QByteArrayView bytes(data);
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        doc.m_byteOrderMark = true;
        bytes = bytes.sliced(3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = QString::fromLatin1(bytes.data(), bytes.size());
        doc.m_latin1 = true;
    }

    // The first line ending found is the one written back.
    qsizetype firstBreak = 0;
    while (firstBreak < text.size() && text.at(firstBreak) != QLatin1Char('\r') &&
           text.at(firstBreak) != QLatin1Char('\n'))
        ++firstBreak;
    if (firstBreak < text.size()) {
        if (text.at(firstBreak) == QLatin1Char('\n'))
            doc.m_lineEnding = "\n";
        else if (firstBreak + 1 < text.size() && text.at(firstBreak + 1) == QLatin1Char('\n'))
            doc.m_lineEnding = "\r\n";
        else
            doc.m_lineEnding = "\r";
    }

    doc.m_sections.emplace_back();
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
            ++end;
        const QString lineText = text.mid(start, end - start);
        if (end < n && text.at(end) == QLatin1Char('\r') && end + 1 < n &&
            text.at(end + 1) == QLatin1Char('\n'))
            ++end;
        start = end + 1;

        const QString trimmed = TrimBlanks(lineText);
        const qsizetype close =
            trimmed.startsWith(QLatin1Char('[')) ? trimmed.indexOf(QLatin1Char(']')) : -1;
        if (close > 0) {
            TSection section;
            section.hasHeader = true;
            section.header = lineText;
            section.name = TrimBlanks(trimmed.mid(1, close - 1));
            doc.m_sections.push_back(std::move(section));
            continue;
        }
        doc.m_sections.back().lines.push_back(ParseLine(lineText));
    }
    for (TSection &section : doc.m_sections)
        IndexKeys(section);
    doc.IndexSections();
    return doc;
}

QByteArray TIniDocument::Serialize() const
{
    QString text;
    const QString ending = QString::fromLatin1(m_lineEnding);
    for (const TSection &section : m_sections) {
        if (section.hasHeader) {
            text += section.header;
            text += ending;
        }
        for (const TLine &line : section.lines) {
            text += line.text;
            text += ending;
        }
    }
    if (m_latin1) {
        bool fits = true;
        for (QChar c : std::as_const(text)) {
            if (c.unicode() > 0xFF) {
                fits = false;
                break;
            }
        }
        if (fits) {
            // Latin-1 bytes that happen to be valid UTF-8 would read back as other text (the
            // byte that made the file Latin-1 may just have been replaced); UTF-8 keeps it.
            const QByteArray latin1 = text.toLatin1();
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString asUtf8 = utf8.decode(latin1);
            if (utf8.hasError() || asUtf8 == text)
                return (m_byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + latin1;
        }
    }
    QByteArray out = m_byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    out += text.toUtf8();
    return out;
}

void TIniDocument::IndexKeys(TSection &section)
{
    section.keys.clear();
    for (int i = 0; i < static_cast<int>(section.lines.size()); ++i) {
        const TLine &line = section.lines[i];
        if (!line.isEntry)
            continue;
        const QString folded = line.key.toCaseFolded();
        if (!section.keys.contains(folded))
            section.keys.insert(folded, i);
    }
}

void TIniDocument::IndexSections()
{
    m_sectionIndex.clear();
    for (int i = 0; i < static_cast<int>(m_sections.size()); ++i) {
        if (!m_sections[i].hasHeader)
            continue;
        const QString folded = m_sections[i].name.toCaseFolded();
        if (!m_sectionIndex.contains(folded))
            m_sectionIndex.insert(folded, i);
    }
}

const TIniDocument::TSection *TIniDocument::FindSection(const QString &section) const
{
    const auto it = m_sectionIndex.constFind(Fold(section));
    return it == m_sectionIndex.constEnd() ? nullptr : &m_sections[it.value()];
}

TIniDocument::TSection *TIniDocument::FindSection(const QString &section)
{
    const auto it = m_sectionIndex.constFind(Fold(section));
    return it == m_sectionIndex.constEnd() ? nullptr : &m_sections[it.value()];
}

QStringList TIniDocument::SectionNames() const
{
    QStringList names;
    for (int i = 0; i < static_cast<int>(m_sections.size()); ++i) {
        const TSection &section = m_sections[i];
        // Only the first section of a name is listed.
        if (section.hasHeader && m_sectionIndex.value(section.name.toCaseFolded(), -1) == i)
            names.append(section.name);
    }
    return names;
}

bool TIniDocument::SectionExists(const QString &section) const
{
    return FindSection(section) != nullptr;
}

bool TIniDocument::FindValue(const QString &section, const QString &key, QString *value) const
{
    const TSection *s = FindSection(section);
    if (!s)
        return false;
    const auto it = s->keys.constFind(Fold(key));
    if (it == s->keys.constEnd())
        return false;
    *value = s->lines[it.value()].value;
    return true;
}

QStringList TIniDocument::KeyNames(const QString &section) const
{
    QStringList keys;
    if (const TSection *s = FindSection(section)) {
        for (const TLine &line : s->lines) {
            if (line.isEntry)
                keys.append(line.key);
        }
    }
    return keys;
}

QStringList TIniDocument::KeyValueLines(const QString &section) const
{
    QStringList lines;
    if (const TSection *s = FindSection(section)) {
        for (const TLine &line : s->lines) {
            if (line.isEntry)
                lines.append(line.key + QLatin1Char('=') + line.value);
        }
    }
    return lines;
}

bool TIniDocument::IsValidSectionName(const QString &section)
{
    return !section.contains(QLatin1Char(']')) && !HasLineBreak(section);
}

bool TIniDocument::IsValidKeyName(const QString &key)
{
    const QString trimmed = TrimBlanks(key);
    return !trimmed.contains(QLatin1Char('=')) && !HasLineBreak(trimmed) &&
           !trimmed.startsWith(QLatin1Char(';')) && !trimmed.startsWith(QLatin1Char('['));
}

QString TIniDocument::EncodeValue(const QString &value)
{
    QString text = value;
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (text.isEmpty())
        return text;
    const bool losesBlanks = IsBlank(text.front()) || IsBlank(text.back());
    const bool losesQuotes =
        text.size() >= 2 && IsQuote(text.front()) && text.back() == text.front();
    if (losesBlanks || losesQuotes)
        return QLatin1Char('"') + text + QLatin1Char('"');
    return text;
}

TIniDocument::TSection &TIniDocument::SectionForWriting(const QString &sectionName)
{
    TSection *s = FindSection(sectionName);
    if (!s) {
        // A new section goes at the end, right after the last line.
        TSection added;
        added.hasHeader = true;
        added.name = sectionName;
        added.header = QLatin1Char('[') + sectionName + QLatin1Char(']');
        m_sections.push_back(std::move(added));
        IndexSections();
        s = &m_sections.back();
    }
    return *s;
}

bool TIniDocument::WriteEntryLine(TSection &s, int index, const QString &keyName,
                                  const QString &encoded)
{
    if (index >= 0) {
        TLine &line = s.lines[index];
        // The key keeps the spelling it has in the file.
        const QString text = line.key + QLatin1Char('=') + encoded;
        if (text == line.text)
            return false;
        line = ParseLine(text);
        return true;
    }
    int insertAt = 0;
    for (int i = static_cast<int>(s.lines.size()) - 1; i >= 0; --i) {
        if (s.lines[i].isEntry) {
            insertAt = i + 1;
            break;
        }
    }
    s.lines.insert(s.lines.begin() + insertAt, ParseLine(keyName + QLatin1Char('=') + encoded));
    IndexKeys(s);
    return true;
}

bool TIniDocument::SetValue(const QString &section, const QString &key, const QString &value)
{
    const QString keyName = TrimBlanks(key);
    TSection &s = SectionForWriting(TrimBlanks(section));
    const auto it = s.keys.constFind(keyName.toCaseFolded());
    return WriteEntryLine(s, it != s.keys.constEnd() ? it.value() : -1, keyName,
                          EncodeValue(value));
}

bool TIniDocument::SetEntry(const QString &section, const QString &key, const QString &value)
{
    const QString keyName = TrimBlanks(key);
    TSection &s = SectionForWriting(TrimBlanks(section));
    int index = -1;
    for (int i = 0; i < static_cast<int>(s.lines.size()) && index < 0; ++i) {
        if (s.lines[i].isEntry && s.lines[i].key == keyName)
            index = i;
    }
    return WriteEntryLine(s, index, keyName, EncodeValue(value));
}

bool TIniDocument::DeleteEntry(const QString &section, const QString &key)
{
    TSection *s = FindSection(section);
    if (!s)
        return false;
    const QString keyName = TrimBlanks(key);
    const auto before = s->lines.size();
    s->lines.erase(
        std::remove_if(s->lines.begin(), s->lines.end(),
                       [&](const TLine &line) { return line.isEntry && line.key == keyName; }),
        s->lines.end());
    if (s->lines.size() == before)
        return false;
    IndexKeys(*s);
    return true;
}

bool TIniDocument::EraseSection(const QString &section)
{
    const QString folded = Fold(section);
    const auto before = m_sections.size();
    m_sections.erase(std::remove_if(m_sections.begin(), m_sections.end(),
                                    [&](const TSection &s) {
                                        return s.hasHeader && s.name.toCaseFolded() == folded;
                                    }),
                     m_sections.end());
    if (m_sections.size() == before)
        return false;
    IndexSections();
    return true;
}

bool TIniDocument::DeleteKey(const QString &section, const QString &key)
{
    TSection *s = FindSection(section);
    if (!s)
        return false;
    const QString folded = Fold(key);
    const auto before = s->lines.size();
    s->lines.erase(std::remove_if(s->lines.begin(), s->lines.end(),
                                  [&](const TLine &line) {
                                      return line.isEntry && line.key.toCaseFolded() == folded;
                                  }),
                   s->lines.end());
    if (s->lines.size() == before)
        return false;
    IndexKeys(*s);
    return true;
}

// ---------------------------------------------------------------------------------------------
// The file on disk and the process-wide cache of parsed files

namespace {

/// What identifies a version of a file without reading it.
struct TFileStamp
{
    bool exists = false;
    bool regular = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    bool operator==(const TFileStamp &o) const
    {
        return exists == o.exists && regular == o.regular && device == o.device &&
               inode == o.inode && size == o.size && modifiedNs == o.modifiedNs &&
               changedNs == o.changedNs;
    }
};

TFileStamp StampOf(const QString &path)
{
    TFileStamp stamp;
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.regular = S_ISREG(st.st_mode);
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.changedNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return stamp;
}

qint64 WallClockNs()
{
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

/// A file changed this shortly before it was read may change again without a new time stamp
/// (file systems keep coarse times); such a version is checked by its content until it is
/// older than this.
constexpr qint64 kRacyWindowNs = 3000000000LL;
/// Files up to this size stay in the process-wide cache.
constexpr qint64 kCacheableSize = 8 * 1024 * 1024;
constexpr int kCacheEntries = 8;

} // namespace

/// One version of a file as read: its stamp, bytes and parsed text.
struct TIniSnapshot
{
    TFileStamp stamp;
    qint64 readNs = 0;
    bool readable = true;
    QByteArray bytes;
    std::shared_ptr<const TIniDocument> document;

    /// The stamp alone proves the content when it is unchanged and old enough.
    bool TrustedFor(const TFileStamp &now) const
    {
        return stamp == now && (!now.exists || (now.modifiedNs + kRacyWindowNs < readNs &&
                                                now.changedNs + kRacyWindowNs < readNs));
    }
};

namespace {

using TSnapshotPtr = std::shared_ptr<const TIniSnapshot>;

/// The last few files read or written by any TIniFile, most recent first.
class TSnapshotCache
{
public:
    TSnapshotPtr Find(const QString &path)
    {
        QMutexLocker lock(&m_mutex);
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->first == path) {
                auto entry = *it;
                m_entries.erase(it);
                m_entries.insert(m_entries.begin(), entry);
                return entry.second;
            }
        }
        return nullptr;
    }

    void Store(const QString &path, const TSnapshotPtr &snapshot)
    {
        QMutexLocker lock(&m_mutex);
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->first == path) {
                m_entries.erase(it);
                break;
            }
        }
        if (snapshot->bytes.size() > kCacheableSize)
            return;
        m_entries.insert(m_entries.begin(), {path, snapshot});
        if (m_entries.size() > kCacheEntries)
            m_entries.pop_back();
    }

private:
    QMutex m_mutex;
    std::vector<std::pair<QString, TSnapshotPtr>> m_entries;
};

TSnapshotCache &Cache()
{
    static TSnapshotCache cache;
    return cache;
}

const std::shared_ptr<const TIniDocument> &EmptyDocument()
{
    static const auto empty =
        std::make_shared<const TIniDocument>(TIniDocument::Parse(QByteArray()));
    return empty;
}

/// Reads a regular file whole, with every read checked. Opened without blocking, so a file
/// swapped for a FIFO since it was looked at does not hang; anything but a regular file fails,
/// and so does a file longer than TIniFile::kMaxFileSize (also one that grows while it is
/// read).
bool ReadWholeFile(const QString &path, QByteArray *bytes)
{
    platform::TFileAccess access;
    struct stat st;
    const int fd = platform::OpenRegularHostFile(QFile::encodeName(path), O_RDONLY, &access, &st);
    if (fd < 0)
        return false;
    bool ok = st.st_size <= TIniFile::kMaxFileSize;
    bytes->clear();
    if (ok && st.st_size > 0)
        bytes->reserve(qsizetype(st.st_size));
    char buffer[64 * 1024];
    while (ok) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ok = false;
        else if (got == 0)
            break;
        else if (bytes->size() + got > TIniFile::kMaxFileSize)
            ok = false;
        else
            bytes->append(buffer, qsizetype(got));
    }
    ::close(fd);
    return ok;
}

/// Holds an exclusive advisory lock on the companion lock file of an INI file (".name.lock"
/// in the same folder) for the duration of a read-modify-write. The lock lives on a file of
/// its own because the INI file itself is replaced by a rename on every write, which would
/// leave a lock on the old file behind.
class TIniWriteLock
{
public:
    explicit TIniWriteLock(const QString &path)
    {
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        const QString lockPath =
            path.left(slash + 1) + QLatin1Char('.') + path.mid(slash + 1) + QStringLiteral(".lock");
        m_fd = ::open(QFile::encodeName(lockPath).constData(),
                      O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
        if (m_fd < 0) {
            m_error = errno;
            return;
        }
        while (::flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                m_error = errno;
                ::close(m_fd);
                m_fd = -1;
                return;
            }
        }
    }
    ~TIniWriteLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // releases the lock
    }
    TIniWriteLock(const TIniWriteLock &) = delete;
    TIniWriteLock &operator=(const TIniWriteLock &) = delete;

    bool Held() const { return m_fd >= 0; }
    int Error() const { return m_error; }

private:
    int m_fd = -1;
    int m_error = 0;
};

/// The current version of the file at path, reusing previous (this object's last version)
/// or the process cache when the file has not changed.
TSnapshotPtr LoadSnapshot(const QString &path, const TSnapshotPtr &previous, bool verify = false)
{
    const TFileStamp stamp = StampOf(path);
    if (!stamp.exists) {
        auto missing = std::make_shared<TIniSnapshot>();
        missing->document = EmptyDocument();
        return missing;
    }
    TSnapshotPtr known = previous;
    if (!known || !known->TrustedFor(stamp)) {
        TSnapshotPtr cached = Cache().Find(path);
        if (cached)
            known = cached;
    }
    if (!verify && known && known->TrustedFor(stamp))
        return known;

    auto snapshot = std::make_shared<TIniSnapshot>();
    snapshot->stamp = stamp;
    // Only a regular file is opened (a FIFO would block the read for ever); a read error
    // makes the file unreadable, never a shorter text.
    if (!stamp.regular || stamp.size > TIniFile::kMaxFileSize ||
        !ReadWholeFile(path, &snapshot->bytes)) {
        // It exists but cannot be read: reads give defaults, writes must not replace it.
        snapshot->readable = false;
        snapshot->bytes.clear();
        snapshot->document = EmptyDocument();
        return snapshot;
    }
    snapshot->readNs = WallClockNs();
    if (known && known->readable && known->bytes == snapshot->bytes)
        snapshot->document = known->document;
    else
        snapshot->document =
            std::make_shared<const TIniDocument>(TIniDocument::Parse(snapshot->bytes));
    Cache().Store(path, snapshot);
    return snapshot;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TIniFile

TIniFile::TIniFile(const QString &fileName) : m_fileName(fileName), m_path(ResolveIniPath(fileName))
{}

TIniFile::~TIniFile() = default;

const TIniDocument &TIniFile::Document() const
{
    m_snapshot = LoadSnapshot(m_path, m_snapshot);
    return *m_snapshot->document;
}

void TIniFile::ThrowWriteError(const QString &reason) const
{
    QString message = QStringLiteral("Unable to write to %1").arg(m_fileName);
    if (!reason.isEmpty())
        message += QStringLiteral(" (%1)").arg(reason);
    throw EInOutError(message);
}

template <typename Change> void TIniFile::Modify(Change change)
{
    if (m_path.isEmpty())
        ThrowWriteError(QStringLiteral("no such drive"));
    // A link is written through: its target gets the new text, the link stays.
    QString target = m_path;
    const QFileInfo info(m_path);
    if (info.isSymLink()) {
        target = info.canonicalFilePath();
        if (target.isEmpty())
            target = info.symLinkTarget();
    }

    // Read, change and write under one lock, so that processes writing other keys of the
    // same file at the same time lose nothing.
    const TIniWriteLock lock(target);
    if (!lock.Held())
        ThrowWriteError(QString::fromLocal8Bit(std::strerror(lock.Error())));
    const TSnapshotPtr current = LoadSnapshot(target, m_snapshot, true);
    if (!current->readable)
        ThrowWriteError(QStringLiteral("the file cannot be read"));
    TIniDocument document = *current->document;
    if (!change(document)) {
        m_snapshot = current;
        return;
    }
    const QByteArray bytes = document.Serialize();

    // The new text replaces the file only when it is completely on disk; the file keeps its
    // permissions and owner, and a read-only file is not written at all.
    struct stat old;
    const bool existed = ::stat(QFile::encodeName(target).constData(), &old) == 0;
    if (existed && !platform::HostModeWritable(old.st_mode, old.st_uid, old.st_gid))
        ThrowWriteError(QStringLiteral("the file is read-only"));
    platform::TAtomicFile file;
    if (!file.Open(target, existed ? 0600 : 0666))
        ThrowWriteError(QString::fromLocal8Bit(std::strerror(file.Error())));
    if (existed) {
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            // Only the superuser may give a file away; others keep at least the group.
            if (::fchown(file.Handle(), old.st_uid, old.st_gid) != 0)
                (void)::fchown(file.Handle(), uid_t(-1), old.st_gid);
        }
        ::fchmod(file.Handle(), old.st_mode & 07777);
    }
    if (!file.Write(bytes) || !file.Commit(true, true))
        ThrowWriteError(QString::fromLocal8Bit(std::strerror(file.Error())));

    auto written = std::make_shared<TIniSnapshot>();
    written->stamp = StampOf(target);
    written->readNs = WallClockNs();
    written->bytes = bytes;
    written->document = std::make_shared<const TIniDocument>(std::move(document));
    Cache().Store(target, written);
    m_snapshot = written;
}

QString TIniFile::ReadString(const QString &section, const QString &ident, const QString &def) const
{
    QString value;
    if (Document().FindValue(section, ident, &value))
        return value;
    // A default comes back without trailing blanks, as a profile-file read gives it.
    qsizetype end = def.size();
    while (end > 0 && def.at(end - 1) == QLatin1Char(' '))
        --end;
    return end == def.size() ? def : def.left(end);
}

void TIniFile::WriteString(const QString &section, const QString &ident, const QString &value)
{
    if (!TIniDocument::IsValidSectionName(section))
        ThrowWriteError(QStringLiteral("invalid section name"));
    if (!TIniDocument::IsValidKeyName(ident))
        ThrowWriteError(QStringLiteral("invalid key name"));
    Modify([&](TIniDocument &doc) { return doc.SetValue(section, ident, value); });
}

int TIniFile::ReadInteger(const QString &section, const QString &ident, int def) const
{
    QString text;
    if (!Document().FindValue(section, ident, &text))
        return def;
    // Hexadecimal is also accepted in the C form.
    if (text.size() > 2 && text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text = QLatin1Char('$') + text.mid(2);
    return StrToIntDef(text, def);
}

void TIniFile::WriteInteger(const QString &section, const QString &ident, int value)
{
    WriteString(section, ident, QString::number(value));
}

bool TIniFile::ReadBool(const QString &section, const QString &ident, bool def) const
{
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const QString &section, const QString &ident, bool value)
{
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::ReadSection(const QString &section, TStrings *strings) const
{
    if (!strings)
        return;
    strings->BeginUpdate();
    strings->Clear();
    for (const QString &key : Document().KeyNames(section))
        strings->Add(key);
    strings->EndUpdate();
}

void TIniFile::ReadSections(TStrings *strings) const
{
    if (!strings)
        return;
    strings->BeginUpdate();
    strings->Clear();
    for (const QString &name : Document().SectionNames())
        strings->Add(name);
    strings->EndUpdate();
}

void TIniFile::ReadSectionValues(const QString &section, TStrings *strings) const
{
    if (!strings)
        return;
    strings->BeginUpdate();
    strings->Clear();
    for (const QString &line : Document().KeyValueLines(section))
        strings->Add(line);
    strings->EndUpdate();
}

bool TIniFile::SectionExists(const QString &section) const
{
    return Document().SectionExists(section);
}

bool TIniFile::ValueExists(const QString &section, const QString &ident) const
{
    QString value;
    return Document().FindValue(section, ident, &value);
}

void TIniFile::EraseSection(const QString &section)
{
    Modify([&](TIniDocument &doc) { return doc.EraseSection(section); });
}

void TIniFile::DeleteKey(const QString &section, const QString &ident)
{
    Modify([&](TIniDocument &doc) { return doc.DeleteKey(section, ident); });
}

void TIniFile::WriteEntry(const QString &section, const QString &ident, const QString &value)
{
    if (!TIniDocument::IsValidSectionName(section))
        ThrowWriteError(QStringLiteral("invalid section name"));
    if (!TIniDocument::IsValidKeyName(ident))
        ThrowWriteError(QStringLiteral("invalid key name"));
    Modify([&](TIniDocument &doc) { return doc.SetEntry(section, ident, value); });
}

void TIniFile::DeleteEntry(const QString &section, const QString &ident)
{
    Modify([&](TIniDocument &doc) { return doc.DeleteEntry(section, ident); });
}

} // namespace jxt
