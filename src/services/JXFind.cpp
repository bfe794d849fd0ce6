// SPDX-License-Identifier: MIT
// File finder component.
#include "services/JXFind.h"

#include "host/core/Events.h"

#include "host/controls/Forms.h"
#include "platform/Find.h"
#include "platform/Paths.h"
#include "util/Jxutil.h"

#include <QFile>

#include <vector>

namespace jxt {

namespace {

bool IsDotEntry(const QString &name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
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
    m_filePattern = value.toUpper();
}

void TJXFind::SetStartPath(const QString &value)
{
    m_startPath = jxtCheckPath(value);
}

void TJXFind::Execute()
{
    m_dirCount = 0;
    m_fileCount = 0;
    m_volumeName = jxtVolumeName(m_startPath.left(1));
    if (!FireEvent(this, OnExecute, &TJXFind::onExecute, this))
        return;
    m_break = false;
    m_pump = TMessagePump();
    ScanDir(m_startPath);
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

TJXFind::TScanResult TJXFind::ScanDir(const QString &path)
{
    if (m_break || Terminating())
        return TScanResult::Stop;
    if (m_subdirs) {
        // The subdirectories a search for directories finds, in its order: not hidden, not
        // reached through a link, spellable as a path. Their types come from the directory
        // itself, so the files beside them are not looked at twice (the file pass reads them).
        std::vector<platform::TDirEntry> entries;
        const QString hostDir = platform::ToHostPath(path);
        if (!hostDir.isEmpty())
            platform::ListDirectory(QFile::encodeName(hostDir), platform::TListDetail::Kinds,
                                    entries);
        for (const platform::TDirEntry &entry : entries) {
            m_pump.Run();
            if (!(entry.Attr & platform::faDirectory) || (entry.Attr & platform::faHidden) ||
                entry.IsSymLink || !entry.Spellable)
                continue;
            ScanDir(path + entry.Name + QLatin1Char('\\'));
            ++m_dirCount;
            Changed(path);
            if (m_break)
                break;
            if (Terminating())
                return TScanResult::Stop;
        }
    }
    return ScanFiles(path, m_filePattern.contains(QLatin1Char(';')));
}

TJXFind::TScanResult TJXFind::ScanFiles(const QString &path, bool patternList)
{
    TSearchRec rec;
    TFindScope scope{rec};
    // A pattern list is matched here against every entry; a single pattern is left to the
    // file system's own matching.
    const QString mask = patternList ? QStringLiteral("*.*") : m_filePattern;
    for (int found = platform::FindFirst(path + mask, platform::faAnyFile, rec); found == 0;
         found = platform::FindNext(rec)) {
        m_pump.Run();
        const bool plainDirectory = IsDotEntry(rec.Name) || rec.Attr == platform::faDirectory;
        bool matches;
        if (patternList) {
            if (plainDirectory)
                continue;
            matches = jxtIsMatch(rec.Name.toUpper(), m_filePattern);
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
