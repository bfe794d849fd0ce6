// SPDX-License-Identifier: MIT
// File finder component.
#include "services/JXFind.h"

#include "host/core/Events.h"

#include "host/controls/Forms.h"
#include "platform/Find.h"
#include "platform/Paths.h"
#include "platform/WalkDir.h"
#include "util/Jxutil.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace jxt {

namespace {

bool IsDotEntry(const QString &name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
}

/// The upper case of name, written into buffer when the name is ASCII, so that a directory of
/// thousands of files is matched without a new string for each.
const QString &UpperName(const QString &name, QString &buffer)
{
    const qsizetype n = name.size();
    const QChar *in = name.constData();
    if (!std::all_of(in, in + n, [](QChar c) { return c.unicode() < 0x80; })) {
        buffer = name.toUpper();
        return buffer;
    }
    buffer.resize(n);
    QChar *out = buffer.data();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i].unicode();
        out[i] = QChar(c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c);
    }
    return buffer;
}

/// Closes the search when the scope ends, also on an early return or an exception from an
/// event handler.
struct TFindScope
{
    TSearchRec &rec;
    ~TFindScope() { platform::FindClose(rec); }
};

} // namespace

TJXFind::TJXFind(TComponent *owner) : TComponent(owner)
{
    SetStartPath(QStringLiteral("C:\\"));
    SetFilePattern(QStringLiteral("*.*"));
}

TJXFind::~TJXFind() = default;

void TJXFind::SetFilePattern(const QString &value)
{
    m_filePatternGiven = value;
    m_filePattern = value.toUpper();
}

void TJXFind::SetStartPath(const QString &value)
{
    m_startPathGiven = value;
    m_startPath = jxtCheckPath(value);
}

void TJXFind::Execute()
{
    m_dirCount = 0;
    m_fileCount = 0;
    // The volume of the drive that holds the start path; a POSIX path is on the drive whose
    // root holds it.
    const QString windowsPath = platform::PathDriveLetter(m_startPath).isNull()
                                    ? platform::ToWindowsPath(platform::ToHostPath(m_startPath))
                                    : m_startPath;
    m_volumeName = jxtVolumeName(windowsPath.left(1));
    if (!FireEvent(this, OnExecute, &TJXFind::onExecute, this))
        return;
    m_break = false;
    m_pump = TMessagePump();
    if (!m_break && !Terminating()) {
        QString hostStart = platform::ToHostPath(m_startPath);
        while (hostStart.size() > 1 && hostStart.endsWith(QLatin1Char('/')))
            hostStart.chop(1);
        platform::TWalkDir start = hostStart.isEmpty()
                                       ? platform::TWalkDir()
                                       : platform::TWalkDir::OpenPath(QFile::encodeName(hostStart));
        if (start.IsOpen())
            ScanDir(start, 0, m_startPath, hostStart);
        else
            ScanError(m_startPath, hostStart.isEmpty() ? ENOENT : start.Error());
    }
    m_break = false;
    FireEvent(this, OnFinished, &TJXFind::onFinished, this);
}

bool TJXFind::Terminating() const
{
    return Application()->Terminated();
}

void TJXFind::Changed(const QString &path)
{
    FireEvent(this, OnChange, &TJXFind::onChange, this, path, m_dirCount, m_fileCount);
}

void TJXFind::ScanError(const QString &path, int error)
{
    FireEvent(this, OnScanError, &TJXFind::onScanError, this, path, error);
}

TJXFind::TScanResult TJXFind::ScanDir(platform::TWalkDir &dir, int depth, const QString &path,
                                      const QString &hostDir)
{
    if (m_break || Terminating())
        return TScanResult::Stop;
    if (m_subdirs) {
        // The subdirectories a search for directories finds, in its order: not hidden, not
        // reached through a link, spellable as a path. Their types come from the directory
        // itself, so the files beside them are not looked at twice (the file pass reads them).
        // Each is opened from this directory by its name on disk and never through a link, so
        // a folder swapped for a link after the listing leads nowhere (platform/WalkDir.h).
        std::vector<platform::TDirEntry> entries;
        if (!platform::ListDirectoryAt(dir.Fd(), platform::TListDetail::Directories, entries)) {
            ScanError(path, errno);
            return TScanResult::Go;
        }
        for (const platform::TDirEntry &entry : entries) {
            m_pump.Run();
            if (!(entry.Attr & platform::faDirectory) || (entry.Attr & platform::faHidden) ||
                entry.IsSymLink || !entry.Spellable)
                continue;
            // Paths below a start path written with "/" keep to "/".
            const QString subPath = path + entry.Name + path.back();
            platform::TWalkDir sub = dir.OpenChild(entry.NativeName);
            if (sub.IsOpen()) {
                dir.ParkAtDepth(depth);
                ScanDir(sub, depth + 1, subPath, hostDir + QLatin1Char('/') + entry.Name);
            } else {
                ScanError(subPath, sub.Error());
            }
            ++m_dirCount;
            Changed(path);
            if (!dir.Reopen(sub)) {
                // This folder was moved away under the walk: its files are out of reach.
                ScanError(path, dir.Error());
                return TScanResult::Go;
            }
            if (m_break)
                break;
            if (Terminating())
                return TScanResult::Stop;
        }
    }
    return ScanFiles(dir, path, hostDir, m_filePattern.contains(QLatin1Char(';')));
}

TJXFind::TScanResult TJXFind::ScanFiles(const platform::TWalkDir &dir, const QString &path,
                                        const QString &hostDir, bool patternList)
{
    TSearchRec rec;
    TFindScope scope{rec};
    // A pattern list is matched here against every entry; a single pattern is left to the
    // file system's own matching.
    const QString mask = patternList ? QStringLiteral("*.*") : m_filePattern;
    QString upper;
    int found = platform::FindFirstAt(dir.Fd(), hostDir, mask, platform::faAnyFile, rec);
    if (found == platform::kErrorPathNotFound)
        ScanError(path, errno ? errno : EACCES);
    for (; found == 0; found = platform::FindNext(rec)) {
        m_pump.Run();
        const bool plainDirectory = IsDotEntry(rec.Name) || rec.Attr == platform::faDirectory;
        bool matches;
        if (patternList) {
            if (plainDirectory)
                continue;
            matches = jxtIsMatch(UpperName(rec.Name, upper), m_filePattern);
        } else {
            matches = !plainDirectory;
        }
        if (!matches) {
            NotFound(rec, path);
            continue;
        }
        const TScanResult result = Found(rec, path);
        if (result == TScanResult::Stop)
            return TScanResult::Stop;
        if (result == TScanResult::EndLoop)
            break;
    }
    return TScanResult::Go;
}

TJXFind::TScanResult TJXFind::Found(TSearchRec &rec, const QString &path)
{
    ++m_fileCount;
    Changed(path);
    if (m_break)
        return TScanResult::EndLoop;
    if (Terminating())
        return TScanResult::Stop;
    FireEvent(this, OnFindFile, &TJXFind::onFindFile, this, rec, path, m_volumeName);
    return TScanResult::Go;
}

void TJXFind::NotFound(TSearchRec &rec, const QString &path)
{
    FireEvent(this, OnNotFindFile, &TJXFind::onNotFindFile, this, rec, path, m_volumeName);
}

} // namespace jxt
