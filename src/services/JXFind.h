// SPDX-License-Identifier: MIT
// TJXFind: walks a directory tree and reports the files that match a pattern list.
#pragma once

#include "base/Export.h"
#include "host/controls/MessagePump.h"
#include "host/core/About.h"
#include "host/core/Component.h"
#include "util/JXVersions.h"
#include "util/JxutilFiles.h"

#include <functional>

namespace jxt {

namespace platform {
class TWalkDir;
}

/// A file found (or passed over): the search record, the directory scanned (with a trailing
/// backslash) and the volume name of the start drive.
using FindFileEvent = std::function<void(TObject *sender, TSearchRec &fileRec, const QString &path,
                                         const QString &volumeName)>;
/// An entry that does not match, with the same arguments as FindFileEvent.
using NotFindFileEvent = FindFileEvent;
/// Progress: the directory scanned and the counts so far.
using ChangeEvent =
    std::function<void(TObject *sender, const QString &path, int dirCount, int fileCount)>;

/// A non-visual component that walks the tree below StartPath (with Subdirs) and reports
/// every file whose name matches FilePattern through OnFindFile, with running counts of
/// directories and files through OnChange. It runs on the user-interface thread and lets
/// the application process its messages after every directory entry, so a window stays
/// responsive and a button may call BreakScan.
///
/// In each directory the subdirectories are walked first (depth first, in name order), then
/// its files are reported; DirCount counts a subdirectory once its whole subtree is done.
/// With a single pattern the file system does the matching and entries that are plain
/// directories are passed to OnNotFindFile; with a ";"-separated pattern list every entry is
/// matched with jxtIsMatch, plain directories are passed over silently and files that do not
/// match go to OnNotFindFile. Links to directories are never descended into, so a link that
/// points back up the tree cannot make the walk loop. Each folder is opened from the folder
/// above it by its name on disk, never through a link, so a folder replaced by a link during
/// the walk does not lead outside the tree; a tree of any depth is walked whole (paths may be
/// far longer than a path may be). A folder the walk cannot open or read is reported through
/// OnScanError and left out.
class JXT_EXPORT TJXFind : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    /// Pattern or ";"-separated pattern list, as given (FilePattern() reads it upper-cased,
    /// as the search uses it); default "*.*".
    Q_PROPERTY(QString FilePattern READ FilePatternAsGiven WRITE SetFilePattern)
    /// Descend into subdirectories; default false.
    Q_PROPERTY(bool Subdirs READ Subdirs WRITE SetSubdirs)
    /// Start directory, as given (StartPath() reads it with the trailing separator the walk
    /// uses: "/" for a path written with "/", as "/tmp/x" -> "/tmp/x/", else "\"); default
    /// "C:\". The paths the events hand out are built with the same separator.
    Q_PROPERTY(QString StartPath READ StartPathAsGiven WRITE SetStartPath)
    JXT_ABOUT(JXFindVersion)

public:
    explicit TJXFind(TComponent *owner = nullptr);
    ~TJXFind() override;

    /// The pattern as the search uses it (upper-cased); SetFilePattern sets the pattern as
    /// given (see FilePatternAsGiven).
    QString FilePattern() const { return m_filePattern; }
    void SetFilePattern(const QString &value);
    QString FilePatternAsGiven() const { return m_filePatternGiven; }
    bool Subdirs() const { return m_subdirs; }
    void SetSubdirs(bool value) { m_subdirs = value; }
    /// The start directory as the walk uses it, with a trailing backslash; SetStartPath sets
    /// it as given (see StartPathAsGiven).
    QString StartPath() const { return m_startPath; }
    void SetStartPath(const QString &value);
    QString StartPathAsGiven() const { return m_startPathGiven; }

    /// Runs a search and returns when it is complete or broken off.
    Q_INVOKABLE void Execute();
    /// Ends a running search at its next check: at the start of a directory, after each
    /// subdirectory and after the OnChange of each match (whose OnFindFile then does not
    /// fire).
    Q_INVOKABLE void BreakScan() { m_break = true; }

    /// Directories completed in the last (or current) run.
    int DirCount() const { return m_dirCount; }
    /// Matching files found in the last (or current) run.
    int FileCount() const { return m_fileCount; }
    /// Volume name of the start drive, read by Execute.
    QString VolumeName() const { return m_volumeName; }

    /// Progress, after each directory entry (see ChangeEvent).
    ChangeEvent OnChange;
    /// Execute starts a search (the counts are 0 and VolumeName is read).
    TNotifyEvent OnExecute;
    /// The search ended, complete or broken off.
    TNotifyEvent OnFinished;
    /// A file matches FilePattern (see FindFileEvent).
    FindFileEvent OnFindFile;
    /// An entry that does not match (see the class notes for which entries come here).
    NotFindFileEvent OnNotFindFile;
    /// Fired for every folder the walk cannot open or read; the walk goes on without it.
    TScanErrorEvent OnScanError;

signals:
    void onChange(jxt::TObject *sender, const QString &path, int dirCount, int fileCount);
    void onExecute(jxt::TObject *sender);
    void onFinished(jxt::TObject *sender);
    void onFindFile(jxt::TObject *sender, jxt::TSearchRec *fileRec, const QString &path,
                    const QString &volumeName);
    void onNotFindFile(jxt::TObject *sender, jxt::TSearchRec *fileRec, const QString &path,
                       const QString &volumeName);
    void onScanError(jxt::TObject *sender, const QString &path, int error);

private:
    /// Go on, end the loop over this directory's files, or end the whole walk.
    enum class TScanResult { Go, EndLoop, Stop };
    /// Scans the open directory `dir`, `depth` levels below the start; `path` is its path in
    /// the caller's form (with a trailing backslash), `hostDir` its host path.
    TScanResult ScanDir(platform::TWalkDir &dir, int depth, const QString &path,
                        const QString &hostDir);
    TScanResult ScanFiles(const platform::TWalkDir &dir, const QString &path,
                          const QString &hostDir, bool patternList);
    void ScanError(const QString &path, int error);
    /// Counts a match and fires OnChange, then OnFindFile unless the walk is to end.
    TScanResult Found(TSearchRec &rec, const QString &path);
    void NotFound(TSearchRec &rec, const QString &path);
    void Changed(const QString &path);
    bool Terminating() const;

    bool m_break = false;
    TMessagePump m_pump; // events are processed at most every 10 ms during a walk
    int m_dirCount = 0;
    int m_fileCount = 0;
    QString m_filePattern;
    QString m_filePatternGiven;
    QString m_startPath;
    QString m_startPathGiven;
    bool m_subdirs = false;
    QString m_volumeName;
};

} // namespace jxt
