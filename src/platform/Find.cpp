// SPDX-License-Identifier: MIT
// FindFirst/FindNext over a sorted snapshot of one directory.
#include "platform/Find.h"

#include "platform/HostStat.h"
#include "platform/Paths.h"
#include "platform/Volumes.h"

#include <QFile>
#include <QList>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace jxt::platform {

struct TFindState
{
    struct TEntry
    {
        QString Name;
        THostEntry Info;
        QString HostPath;
    };
    QList<TEntry> Entries;
    int Next = 0;
};

namespace {

constexpr int kSpecialAttr = faHidden | faSysFile | faVolumeID | faDirectory;

// Wildcard matching with `?` that may match nothing at a dot or the end of the name.
// Dynamic programming over (name position, pattern position); both are short.
bool MatchWildcards(const QString &name, const QString &pattern)
{
    const int n = name.size();
    const int m = pattern.size();
    // reach[i] for the current pattern position j: name prefix of length i can be consumed.
    std::vector<char> reach(static_cast<size_t>(n) + 1, 0);
    std::vector<char> next(static_cast<size_t>(n) + 1, 0);
    reach[0] = 1;
    for (int j = 0; j < m; ++j) {
        std::fill(next.begin(), next.end(), 0);
        const QChar p = pattern.at(j);
        if (p == QLatin1Char('*')) {
            bool any = false;
            for (int i = 0; i <= n; ++i) {
                any = any || reach[static_cast<size_t>(i)];
                next[static_cast<size_t>(i)] = any;
            }
        } else {
            for (int i = 0; i <= n; ++i) {
                if (!reach[static_cast<size_t>(i)])
                    continue;
                if (p == QLatin1Char('?')) {
                    if (i < n && name.at(i) != QLatin1Char('.'))
                        next[static_cast<size_t>(i) + 1] = 1;
                    else
                        next[static_cast<size_t>(i)] = 1;
                } else if (i < n && name.at(i) == p) {
                    next[static_cast<size_t>(i) + 1] = 1;
                }
            }
        }
        reach.swap(next);
    }
    return reach[static_cast<size_t>(n)] != 0;
}

bool IsDriveRootOrHostRoot(const QString &hostDir)
{
    if (hostDir == QLatin1String("/"))
        return true;
    for (const TDriveMapping &d : Drives()) {
        if (d.Root == hostDir)
            return true;
    }
    return false;
}

void FillRecord(TSearchRec &rec, const TFindState::TEntry &e)
{
    rec.Name = e.Name;
    rec.Size = e.Info.Size;
    rec.Attr = e.Info.Attr;
    rec.Time = e.Info.Time;
    rec.IsSymLink = e.Info.IsSymLink;
    rec.HostPath = e.HostPath;
}

bool DotEntry(const QString &name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
}

} // namespace

bool MatchesFileMask(const QString &name, const QString &pattern)
{
    const QString n = name.toCaseFolded();
    QString p = pattern.toCaseFolded();
    if (p == QLatin1String("*") || p == QLatin1String("*.*"))
        return true;
    if (p.endsWith(QLatin1String(".*")) && MatchWildcards(n, p.chopped(2)))
        return true;
    if (p.endsWith(QLatin1Char('.')) && !DotEntry(p)) {
        while (p.endsWith(QLatin1Char('.')))
            p.chop(1);
        if (!p.contains(QLatin1Char('.')) && n.contains(QLatin1Char('.')) && !DotEntry(n))
            return false;
    }
    return MatchWildcards(n, p);
}

int FindFirst(const QString &pattern, int attr, TSearchRec &rec)
{
    FindClose(rec);
    rec.ExcludeAttr = ~attr & kSpecialAttr;

    const QString dirPart = ExtractFilePath(pattern);
    const QString mask = ExtractFileName(pattern);
    const QString hostDir = ToHostPath(dirPart.isEmpty() ? QStringLiteral(".") : dirPart);
    struct stat st;
    if (hostDir.isEmpty() || ::stat(QFile::encodeName(hostDir).constData(), &st) != 0 ||
        !S_ISDIR(st.st_mode))
        return kErrorPathNotFound;
    if (mask.isEmpty())
        return kErrorFileNotFound;

    auto state = std::make_shared<TFindState>();
    if (attr == faVolumeID) {
        const QString label = GetVolumeLabel(hostDir);
        if (label.isEmpty())
            return kErrorFileNotFound;
        THostEntry info;
        info.Exists = true;
        info.Attr = faVolumeID;
        state->Entries.append({label, info, hostDir});
    } else {
        DIR *d = ::opendir(QFile::encodeName(hostDir).constData());
        if (!d)
            return kErrorPathNotFound;
        const bool root = IsDriveRootOrHostRoot(hostDir);
        bool anyNameMatched = false;
        while (dirent *e = ::readdir(d)) {
            const QString name = QFile::decodeName(e->d_name);
            if (root && DotEntry(name))
                continue;
            if (!MatchesFileMask(name, mask))
                continue;
            anyNameMatched = true;
            const QString full = hostDir.endsWith(QLatin1Char('/'))
                                     ? hostDir + name
                                     : hostDir + QLatin1Char('/') + name;
            THostEntry info = StatHostEntry(full, name);
            if (!info.Exists || (info.Attr & rec.ExcludeAttr) != 0)
                continue;
            state->Entries.append({name, info, full});
        }
        ::closedir(d);
        if (!anyNameMatched)
            return kErrorFileNotFound;
        std::sort(state->Entries.begin(), state->Entries.end(),
                  [](const TFindState::TEntry &a, const TFindState::TEntry &b) {
                      const int rankA = a.Name == QLatin1String(".")    ? 0
                                        : a.Name == QLatin1String("..") ? 1
                                                                        : 2;
                      const int rankB = b.Name == QLatin1String(".")    ? 0
                                        : b.Name == QLatin1String("..") ? 1
                                                                        : 2;
                      if (rankA != rankB)
                          return rankA < rankB;
                      const int c = a.Name.compare(b.Name, Qt::CaseInsensitive);
                      return c != 0 ? c < 0 : a.Name < b.Name;
                  });
    }

    if (state->Entries.isEmpty())
        return kErrorNoMoreFiles;
    rec.FindHandle = state;
    return FindNext(rec);
}

int FindNext(TSearchRec &rec)
{
    TFindState *state = rec.FindHandle.get();
    if (!state || state->Next >= state->Entries.size())
        return kErrorNoMoreFiles;
    FillRecord(rec, state->Entries.at(state->Next++));
    return 0;
}

void FindClose(TSearchRec &rec)
{
    rec.FindHandle.reset();
}

} // namespace jxt::platform
