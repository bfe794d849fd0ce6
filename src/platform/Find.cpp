// SPDX-License-Identifier: MIT
// FindFirst/FindNext over a sorted snapshot of one directory.
#include "platform/Find.h"

#include "platform/HostStat.h"
#include "platform/Paths.h"
#include "platform/Transfer.h"
#include "platform/Volumes.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace jxt::platform {

struct TFindState
{
    struct TEntry
    {
        QString Name;
        bool Ascii = false; // the name holds only ASCII characters (a cheaper sort key)
        THostEntry Info;
    };
    std::vector<TEntry> Entries;
    size_t Next = 0;
    QString HostDir; // the host directory of the entries (the volume label's: its drive)
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

bool DotEntry(const QString &name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
}

bool DotEntry(const char *name)
{
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// A name from disk and whether it is plain ASCII (then Latin-1 decoding is exact and cheap).
QString DecodeName(const char *native, bool &ascii)
{
    const char *p = native;
    while (static_cast<unsigned char>(*p) - 1u < 0x7Fu)
        ++p;
    ascii = *p == 0;
    return ascii ? QString::fromLatin1(native, p - native) : QFile::decodeName(native);
}

// Case-insensitive name order with ties in binary order. For two ASCII names the folded
// comparison is done here on the characters; otherwise QString's comparison decides, which
// gives the same order for ASCII names, so both paths agree.
bool NameLess(const QString &a, bool asciiA, const QString &b, bool asciiB)
{
    if (asciiA && asciiB) {
        const QChar *pa = a.constData();
        const QChar *pb = b.constData();
        const qsizetype n = std::min(a.size(), b.size());
        for (qsizetype i = 0; i < n; ++i) {
            char16_t ca = pa[i].unicode();
            char16_t cb = pb[i].unicode();
            if (ca == cb)
                continue;
            if (ca >= u'A' && ca <= u'Z')
                ca += u'a' - u'A';
            if (cb >= u'A' && cb <= u'Z')
                cb += u'a' - u'A';
            if (ca != cb)
                return ca < cb;
        }
        if (a.size() != b.size())
            return a.size() < b.size();
        return a < b;
    }
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

int DotRank(const QString &name)
{
    return name == QLatin1String(".") ? 0 : name == QLatin1String("..") ? 1 : 2;
}

/// The first eight characters of an ASCII name folded to lower case, as one big-endian number
/// padded with zeros. Names never hold a zero character, so for two ASCII names whose numbers
/// differ the numbers order them as NameLess does.
quint64 FoldedPrefix(const QString &name)
{
    quint64 prefix = 0;
    const qsizetype n = std::min<qsizetype>(name.size(), 8);
    for (qsizetype k = 0; k < n; ++k) {
        char16_t c = name.at(k).unicode();
        if (c >= u'A' && c <= u'Z')
            c += u'a' - u'A';
        prefix |= quint64(c & 0x7F) << (56 - 8 * k);
    }
    return prefix;
}

/// Puts the entries of a search in its order: "." and ".." first, then by NameLess. Sorted
/// through an index that carries each name's folded prefix, so most comparisons of a large
/// directory neither touch the entries nor move them.
void SortFound(std::vector<TFindState::TEntry> &entries)
{
    struct TOrder
    {
        quint64 Prefix;
        quint32 Index;
        quint8 Rank;
        bool Ascii;
    };
    std::vector<TOrder> order(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const TFindState::TEntry &e = entries[i];
        order[i] = {e.Ascii ? FoldedPrefix(e.Name) : 0, quint32(i), quint8(DotRank(e.Name)),
                    e.Ascii};
    }
    std::sort(order.begin(), order.end(), [&](const TOrder &a, const TOrder &b) {
        if (a.Rank != b.Rank)
            return a.Rank < b.Rank;
        if (a.Ascii && b.Ascii && a.Prefix != b.Prefix)
            return a.Prefix < b.Prefix;
        const TFindState::TEntry &ea = entries[a.Index];
        const TFindState::TEntry &eb = entries[b.Index];
        return NameLess(ea.Name, ea.Ascii, eb.Name, eb.Ascii);
    });
    std::vector<TFindState::TEntry> sorted;
    sorted.reserve(entries.size());
    for (const TOrder &o : order)
        sorted.push_back(std::move(entries[o.Index]));
    entries.swap(sorted);
}

// The attribute bits of an entry of a directory of type `type` (a DT_* value), or -1 when the
// type alone does not tell (a link, or a type the file system does not record).
int AttrFromDirentType(unsigned char type)
{
    switch (type) {
    case DT_DIR: return faDirectory;
    case DT_REG: return faArchive;
    case DT_FIFO:
    case DT_CHR:
    case DT_BLK:
    case DT_SOCK: return faSysFile;
    default: return -1;
    }
}

// The wildcard rules of MatchesFileMask with the pattern prepared once for a whole directory.
class TFileMask
{
public:
    explicit TFileMask(const QString &pattern)
    {
        QString p = pattern.toCaseFolded();
        m_all = p == QLatin1String("*") || p == QLatin1String("*.*");
        m_dotStar = p.endsWith(QLatin1String(".*"));
        if (m_dotStar)
            m_dotStarBase = p.chopped(2);
        if (p.endsWith(QLatin1Char('.')) && !DotEntry(p)) {
            while (p.endsWith(QLatin1Char('.')))
                p.chop(1);
            m_rejectExtension = !p.contains(QLatin1Char('.'));
        }
        m_pattern = p;
    }

    bool Matches(const QString &name) const
    {
        if (m_all)
            return true;
        const QString n = name.toCaseFolded();
        if (m_dotStar && MatchWildcards(n, m_dotStarBase))
            return true;
        if (m_rejectExtension && n.contains(QLatin1Char('.')) && !DotEntry(n))
            return false;
        return MatchWildcards(n, m_pattern);
    }

private:
    QString m_pattern;
    QString m_dotStarBase;
    bool m_all = false;
    bool m_dotStar = false;
    bool m_rejectExtension = false;
};

void FillRecord(TSearchRec &rec, const TFindState &state, const TFindState::TEntry &e)
{
    rec.Name = e.Name;
    rec.Size = e.Info.Size;
    rec.Attr = e.Info.Attr;
    rec.Time = e.Info.Time;
    rec.IsSymLink = e.Info.IsSymLink;
    if (e.Info.Attr == faVolumeID) {
        rec.HostPath = state.HostDir;
        return;
    }
    // Written into the record's own string, which keeps its room from the previous entry.
    const bool slash = !state.HostDir.endsWith(QLatin1Char('/'));
    rec.HostPath.resize(0);
    rec.HostPath.reserve(state.HostDir.size() + 1 + e.Name.size());
    rec.HostPath += state.HostDir;
    if (slash)
        rec.HostPath += QLatin1Char('/');
    rec.HostPath += e.Name;
}

} // namespace

bool MatchesFileMask(const QString &name, const QString &pattern)
{
    return TFileMask(pattern).Matches(name);
}

bool ListDirectory(const QByteArray &hostDir, TListDetail detail, std::vector<TDirEntry> &entries,
                   bool trustTypes, bool allNames)
{
    entries.clear();
    const int fd = ::open(hostDir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ListDirectoryAt(fd, detail, entries, trustTypes, allNames);
    ::close(fd);
    return ok;
}

namespace {

/// An entry while a directory is listed, with its sort key.
struct TListItem
{
    TDirEntry Entry;
    bool Ascii;
    quint32 KeyOffset; // the lower-case form of an ASCII name in the list's key string
    quint32 KeyLength;
};

/// Fills in the attributes (and, beyond Kinds, size and time) of the entry e of the directory
/// fd: from the entry's type where that can be trusted and is enough, otherwise from a stat.
/// False when the entry is gone since the directory was read.
bool DescribeEntry(int fd, const dirent *e, TListDetail detail, bool trustTypes,
                   const THostIdentity &identity, TDirEntry &entry)
{
    const int known = trustTypes ? AttrFromDirentType(e->d_type) : -1;
    if (known >= 0 && (detail == TListDetail::Kinds || known == faDirectory)) {
        entry.Attr = known;
        if (IsHiddenName(entry.Name))
            entry.Attr |= faHidden;
    } else if (known < 0 && detail == TListDetail::Kinds && trustTypes && e->d_type == DT_LNK) {
        // A link is what it points to; a dangling one is a plain file.
        struct stat target;
        entry.IsSymLink = true;
        if (::fstatat(fd, e->d_name, &target, 0) != 0)
            entry.Attr = faArchive | (e->d_name[0] == '.' ? faHidden : 0);
        else
            entry.Attr = (S_ISDIR(target.st_mode)   ? faDirectory
                          : S_ISREG(target.st_mode) ? faArchive
                                                    : faSysFile) |
                         (IsHiddenName(entry.Name) ? faHidden : 0);
    } else {
        const THostEntry info = StatHostEntryAt(fd, e->d_name, entry.Name, identity, false);
        if (!info.Exists)
            return false;
        entry.Attr = detail == TListDetail::Kinds ? info.Attr & ~faReadOnly : info.Attr;
        entry.Size = detail == TListDetail::Kinds ? 0 : info.Size;
        entry.IsSymLink = info.IsSymLink;
    }
    return true;
}

/// Moves the items into entries in name order. Sorted through an index, on the lower-case
/// bytes for two ASCII names (the order of NameLess, which decides for all other pairs). The
/// first eight key bytes of an ASCII name sit in the index as one big-endian number, zero
/// padded: names never hold a zero byte, so comparing those numbers orders the names as the
/// bytes do, and most comparisons of a large directory end there without touching the items.
void SortListed(std::vector<TListItem> &items, const std::string &keys,
                std::vector<TDirEntry> &entries)
{
    struct TOrder
    {
        quint64 Prefix;
        quint32 Index;
        bool Ascii;
    };
    std::vector<TOrder> order(items.size());
    const char *keyData = keys.data();
    for (size_t i = 0; i < order.size(); ++i) {
        const TListItem &item = items[i];
        quint64 prefix = 0;
        if (item.Ascii) {
            const quint32 n = std::min<quint32>(item.KeyLength, 8);
            for (quint32 k = 0; k < n; ++k)
                prefix |= quint64(quint8(keyData[item.KeyOffset + k])) << (56 - 8 * k);
        }
        order[i] = {prefix, quint32(i), item.Ascii};
    }
    std::sort(order.begin(), order.end(), [&](const TOrder &oa, const TOrder &ob) {
        if (oa.Ascii && ob.Ascii && oa.Prefix != ob.Prefix)
            return oa.Prefix < ob.Prefix;
        const TListItem &a = items[oa.Index];
        const TListItem &b = items[ob.Index];
        if (a.Ascii && b.Ascii) {
            const int c = std::memcmp(keyData + a.KeyOffset, keyData + b.KeyOffset,
                                      std::min(a.KeyLength, b.KeyLength));
            if (c != 0)
                return c < 0;
            if (a.KeyLength != b.KeyLength)
                return a.KeyLength < b.KeyLength;
            return a.Entry.Name < b.Entry.Name;
        }
        return NameLess(a.Entry.Name, a.Ascii, b.Entry.Name, b.Ascii);
    });
    entries.reserve(items.size());
    for (const TOrder &o : order)
        entries.push_back(std::move(items[o.Index].Entry));
}

} // namespace

bool ListDirectoryAt(int dirFd, TListDetail detail, std::vector<TDirEntry> &entries,
                     bool trustTypes, bool allNames)
{
    entries.clear();
    const int fd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    DIR *d = ::fdopendir(fd);
    if (!d) {
        ::close(fd);
        return false;
    }
    std::vector<TListItem> items;
    std::string keys;
    const THostIdentity identity;
    const bool directoriesOnly = detail == TListDetail::Directories;
    if (directoriesOnly)
        detail = TListDetail::Kinds;
    while (dirent *e = ::readdir(d)) {
        if (DotEntry(e->d_name))
            continue;
        if (directoriesOnly && trustTypes && e->d_type != DT_DIR && e->d_type != DT_UNKNOWN)
            continue; // a file or a link by its recorded type
        TListItem item;
        TDirEntry &entry = item.Entry;
        entry.Name = DecodeName(e->d_name, item.Ascii);
        entry.Spellable =
            item.Ascii ? std::strchr(e->d_name, '\\') == nullptr : IsSpellableName(e->d_name);
        item.KeyOffset = quint32(keys.size());
        item.KeyLength = 0;
        if (item.Ascii) {
            for (const char *p = e->d_name; *p; ++p)
                keys += (*p >= 'A' && *p <= 'Z') ? char(*p + ('a' - 'A')) : *p;
            item.KeyLength = quint32(keys.size()) - item.KeyOffset;
        }
        if (!DescribeEntry(fd, e, detail, trustTypes, identity, entry))
            continue; // gone since the directory was read
        if (directoriesOnly && (!(entry.Attr & faDirectory) || entry.IsSymLink))
            continue;
        if (allNames || ((entry.Attr & faDirectory) && !entry.IsSymLink))
            entry.NativeName = QByteArray(e->d_name);
        items.push_back(std::move(item));
    }
    ::closedir(d);
    SortListed(items, keys, entries);
    return true;
}

namespace {

/// Reads the entries of the open directory `fd` matching `mask`, without those having a bit
/// of `excludeAttr`, into a new search state; the status of FindFirst (kErrorFileNotFound when no
/// name matched, kErrorPathNotFound with errno set when the directory cannot be read).
int ReadMatches(int fd, const QString &hostDir, const QString &mask, int excludeAttr,
                std::shared_ptr<TFindState> &state)
{
    state = std::make_shared<TFindState>();
    state->HostDir = hostDir;
    const int own = ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *d = own < 0 ? nullptr : ::fdopendir(own);
    if (!d) {
        const int error = errno;
        if (own >= 0)
            ::close(own);
        errno = error;
        return kErrorPathNotFound;
    }
    const bool root = IsDriveRootOrHostRoot(hostDir);
    const TFileMask matcher(mask);
    const THostIdentity identity;
    RefreshTimeZone();
    bool anyNameMatched = false;
    while (dirent *e = ::readdir(d)) {
        if (root && DotEntry(e->d_name))
            continue;
        TFindState::TEntry entry;
        entry.Name = DecodeName(e->d_name, entry.Ascii);
        if (entry.Ascii ? std::strchr(e->d_name, '\\') != nullptr : !IsSpellableName(e->d_name))
            continue;
        if (!matcher.Matches(entry.Name))
            continue;
        anyNameMatched = true;
        entry.Info = StatHostEntryAt(own, e->d_name, entry.Name, identity);
        if (!entry.Info.Exists || (entry.Info.Attr & excludeAttr) != 0)
            continue;
        state->Entries.push_back(std::move(entry));
    }
    ::closedir(d);
    if (!anyNameMatched)
        return kErrorFileNotFound;
    SortFound(state->Entries);
    return 0;
}

} // namespace

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

    std::shared_ptr<TFindState> state;
    if (attr == faVolumeID) {
        state = std::make_shared<TFindState>();
        state->HostDir = hostDir;
        const QString label = GetVolumeLabel(hostDir);
        if (label.isEmpty())
            return kErrorFileNotFound;
        TFindState::TEntry entry;
        entry.Name = label;
        entry.Info.Exists = true;
        entry.Info.Attr = faVolumeID;
        state->Entries.push_back(entry);
    } else {
        const int fd = ::open(QFile::encodeName(hostDir).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return kErrorPathNotFound;
        const int rc = ReadMatches(fd, hostDir, mask, rec.ExcludeAttr, state);
        ::close(fd);
        if (rc != 0)
            return rc;
    }

    if (state->Entries.empty())
        return kErrorNoMoreFiles;
    rec.FindHandle = state;
    return FindNext(rec);
}

int FindFirstAt(int dirFd, const QString &hostDir, const QString &mask, int attr, TSearchRec &rec)
{
    FindClose(rec);
    rec.ExcludeAttr = ~attr & kSpecialAttr;
    if (dirFd < 0)
        return kErrorPathNotFound;
    if (mask.isEmpty())
        return kErrorFileNotFound;
    std::shared_ptr<TFindState> state;
    const int rc = ReadMatches(dirFd, hostDir, mask, rec.ExcludeAttr, state);
    if (rc != 0)
        return rc;
    if (state->Entries.empty())
        return kErrorNoMoreFiles;
    rec.FindHandle = state;
    return FindNext(rec);
}

int FindNext(TSearchRec &rec)
{
    TFindState *state = rec.FindHandle.get();
    if (!state || state->Next >= state->Entries.size())
        return kErrorNoMoreFiles;
    FillRecord(rec, *state, state->Entries[state->Next++]);
    return 0;
}

void FindClose(TSearchRec &rec)
{
    rec.FindHandle.reset();
}

} // namespace jxt::platform
