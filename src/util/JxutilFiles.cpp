// SPDX-License-Identifier: MIT
#include "util/JxutilFiles.h"

#include "host/Dialogs.h"
#include "host/Forms.h"
#include "host/Strings.h"
#include "host/SysUtils.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Szdd.h"
#include "platform/Volumes.h"
#include "platform/WinDir.h"
#include "util/Jxutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <functional>

namespace jxt {

namespace {

const QChar kBackslash = QLatin1Char('\\');

bool IsDotEntry(const QString &name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
}

/// Shows the hourglass for the lifetime of the object and restores the previous cursor.
class HourGlass
{
public:
    HourGlass() : m_saved(Screen()->Cursor()) { Screen()->SetCursor(crHourGlass); }
    ~HourGlass() { Screen()->SetCursor(m_saved); }
    HourGlass(const HourGlass &) = delete;
    HourGlass &operator=(const HourGlass &) = delete;

private:
    TCursor m_saved;
};

/// Keeps the user interface alive during long walks without paying for an event round
/// after every single entry: events are processed at most every 10 ms.
class Pump
{
public:
    Pump() { m_clock.start(); }
    void Run()
    {
        if (m_clock.elapsed() >= 10) {
            Application()->ProcessMessages();
            m_clock.restart();
        }
    }

private:
    QElapsedTimer m_clock;
};

bool Terminating()
{
    return Application()->Terminated();
}

/// True for "/" and for the root of every mapped drive: nothing may delete or move them.
bool IsProtectedRoot(const QString &path)
{
    const QString host = platform::ToHostPath(path);
    if (host.isEmpty())
        return true;
    const QString clean = QDir::cleanPath(host);
    if (clean == QLatin1String("/"))
        return true;
    for (const platform::TDriveMapping &d : platform::Drives())
        if (QDir::cleanPath(d.Root) == clean)
            return true;
    return false;
}

/// Calls visit for every entry of directory dir (with trailing backslash) matching *.*,
/// "." and ".." excluded. Stops when visit returns false.
void ForEachEntry(const QString &dir, const std::function<bool(const TSearchRec &)> &visit)
{
    TSearchRec rec;
    int rc = platform::FindFirst(dir + QLatin1String("*.*"), platform::faAnyFile, rec);
    while (rc == 0) {
        if (!IsDotEntry(rec.Name) && !visit(rec))
            break;
        rc = platform::FindNext(rec);
    }
    platform::FindClose(rec);
}

/// The upper-case form of a file name for matching. ASCII names, by far the most common, are
/// converted here: only a-z change, exactly as QString::toUpper changes them.
QString UpperName(const QString &name)
{
    const qsizetype n = name.size();
    const QChar *in = name.constData();
    bool lower = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i].unicode();
        if (c >= 0x80)
            return name.toUpper();
        lower = lower || (c >= u'a' && c <= u'z');
    }
    if (!lower)
        return name;
    QString upper(n, Qt::Uninitialized);
    QChar *out = upper.data();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i].unicode();
        out[i] = QChar(c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c);
    }
    return upper;
}

/// The walk shared by the search and counting helpers: subdirectories first (never through a
/// symbolic link), then the entries of the directory itself, each directory read once and in
/// the order of FindFirst. `dir` is the directory as the caller named it (with a trailing
/// backslash), `hostDir` the host directory it resolved to; subdirectories are reached by their
/// names on disk, so the path is resolved only once for the whole walk. onEntry returns false
/// to stop.
bool WalkHost(const QString &dir, const QByteArray &hostDir, bool recursive,
              platform::TListDetail detail, Pump &pump,
              const std::function<bool(const QString &dir, const TSearchRec &)> &onEntry)
{
    if (Terminating())
        return false;
    std::vector<platform::TDirEntry> entries;
    platform::ListDirectory(hostDir, detail, entries);
    bool go = true;
    if (recursive) {
        const bool atRoot = hostDir == "/";
        for (const platform::TDirEntry &e : entries) {
            if (!(e.Attr & platform::faDirectory) || e.IsSymLink)
                continue;
            QByteArray subHost = hostDir;
            if (!atRoot)
                subHost += '/';
            subHost += e.NativeName;
            go = WalkHost(dir + e.Name + kBackslash, subHost, recursive, detail, pump, onEntry);
            if (!go)
                return false;
        }
    }
    TSearchRec rec;
    for (const platform::TDirEntry &e : entries) {
        rec.Name = e.Name;
        rec.Attr = e.Attr;
        rec.Size = e.Size;
        rec.IsSymLink = e.IsSymLink;
        go = onEntry(dir, rec);
        pump.Run();
        if (Terminating())
            go = false;
        if (!go)
            break;
    }
    return go;
}

/// Starts a walk at `dir` (with a trailing backslash, or empty for the current directory).
bool Walk(const QString &dir, bool recursive, platform::TListDetail detail, Pump &pump,
          const std::function<bool(const QString &dir, const TSearchRec &)> &onEntry)
{
    const QString host = platform::ToHostPath(dir.isEmpty() ? QStringLiteral(".") : dir);
    if (host.isEmpty())
        return !Terminating();
    return WalkHost(dir, QFile::encodeName(host), recursive, detail, pump, onEntry);
}

int CountFiles(const QString &path, const QString &mask, bool recursive, bool needSize,
               const std::function<bool(qint64 size)> &sizeOk)
{
    HourGlass hourGlass;
    const QString upperMask = mask.toUpper();
    const bool everyFile = jxtIsMatch(QStringLiteral("*.*"), upperMask);
    int count = 0;
    Pump pump;
    const platform::TListDetail detail =
        needSize ? platform::TListDetail::Full : platform::TListDetail::Kinds;
    Walk(jxtCheckPath(path), recursive, detail, pump, [&](const QString &, const TSearchRec &rec) {
        if (jxtIsFile(rec) && (everyFile || jxtIsMatch(UpperName(rec.Name), upperMask)) &&
            sizeOk(rec.Size))
            ++count;
        return true;
    });
    return count;
}

/// The long form of one accumulated path: the directory part and the name as found on disk.
bool LongForm(QString &accumulated)
{
    QString path = accumulated;
    QString tail;
    if (path.endsWith(kBackslash) || path.endsWith(QLatin1Char('/'))) {
        tail = path.right(1);
        path.chop(1);
    }
    if (path.size() <= platform::ExtractFileDrive(path).size()) {
        accumulated = path + tail;
        return true;
    }
    TSearchRec rec;
    const int rc = platform::FindFirst(path, platform::faAnyFile, rec);
    const QString found = rec.Name;
    platform::FindClose(rec);
    if (rc != 0)
        return false;
    accumulated = platform::ExtractFilePath(path) + found + tail;
    return true;
}

/// A file's bytes equal another's (used to trust a copy whose call reported failure).
bool SameContent(const QString &a, const QString &b)
{
    QFile fa(platform::ToHostPath(a));
    QFile fb(platform::ToHostPath(b));
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd()) {
        if (fa.read(1 << 16) != fb.read(1 << 16))
            return false;
    }
    return true;
}

/// True when both names lead to the same directory entry (not merely to the same file
/// under two names): the parents are the same directory and the names are equal.
bool SameEntry(const QString &a, const QString &b)
{
    const QString hostA = platform::ToHostPath(a);
    const QString hostB = platform::ToHostPath(b);
    if (hostA.isEmpty() || hostB.isEmpty())
        return false;
    const QFileInfo infoA(hostA);
    const QFileInfo infoB(hostB);
    const QString parentA = QFileInfo(infoA.absolutePath()).canonicalFilePath();
    return !parentA.isEmpty() && infoA.fileName() == infoB.fileName() &&
           parentA == QFileInfo(infoB.absolutePath()).canonicalFilePath();
}

QString WithBackslash(const QString &hostDir)
{
    return jxtCheckPath(platform::ToWindowsPath(hostDir));
}

} // namespace

// Path forms

QString jxtCheckPath(const QString &path)
{
    if (path.isEmpty() || path.endsWith(kBackslash))
        return path;
    return path + kBackslash;
}

QString jxtCheckUnixPath(const QString &path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}

QString jxtParentDir(const QString &dir)
{
    const int from = dir.size() - 2;
    if (from < 0)
        return QString();
    const int slash = dir.lastIndexOf(kBackslash, from);
    return slash < 0 ? QString() : dir.left(slash);
}

QString jxtDirName(const QString &path)
{
    const int last = path.lastIndexOf(kBackslash);
    if (last <= 0)
        return QString();
    const int before = path.lastIndexOf(kBackslash, last - 1);
    if (before < 0)
        return QString();
    return path.mid(before + 1, last - before - 1);
}

void jxtSplitFileName(const QString &fileName, QString &path, QString &name, QString &ext)
{
    path = platform::ExtractFilePath(fileName);
    const QString rest = fileName.mid(path.size());
    const int dot = rest.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        name.clear();
        ext.clear();
        return;
    }
    name = rest.left(dot);
    ext = rest.mid(dot);
}

QString jxtGetShortFileName(const QString &fileName)
{
    // A name longer than the 255-character buffer is a failure: cut off, it would name
    // another file.
    const QString shortName = platform::GetShortPathName(fileName);
    return shortName.size() > 255 ? QString() : shortName;
}

QString jxtGetLongFileName(const QString &fileName)
{
    QString accumulated;
    int start = 0;
    while (start < fileName.size()) {
        int sep = start;
        while (sep < fileName.size() && !platform::IsPathDelimiter(fileName.at(sep)))
            ++sep;
        const int end = sep < fileName.size() ? sep + 1 : sep;
        accumulated += fileName.mid(start, end - start);
        if (!LongForm(accumulated))
            return fileName;
        start = end;
    }
    return accumulated;
}

// Moving and deleting

bool jxtMoveFile(const QString &source, const QString &dest)
{
    const QString target = platform::ExpandFileName(dest);
    if (platform::RenameFile(source, target))
        return true;
    // Renaming a file to its own name fails because the destination exists; copying it onto
    // itself and deleting the source would then destroy the only copy. It is already there.
    if (SameEntry(source, target))
        return platform::FileExists(source) || platform::IsSymLink(source);
    const int attr = platform::FileGetAttr(source);
    if (attr < 0 || (attr & platform::faReadOnly))
        return false;
    platform::ForceDirectories(platform::ExtractFilePath(target));
    if (!platform::DirectoryExists(platform::ExtractFilePath(target)))
        return false;
    // A copy counts only when it happened or dest already holds exactly the same bytes: a
    // different file that merely has the same size must not cost the source its life.
    const bool copied = platform::CopyFile(source, target, false) || SameContent(source, target);
    if (!copied)
        return false;
    return platform::DeleteFile(source);
}

bool jxtMoveDir(const QString &source, const QString &dest)
{
    QString src = source;
    QString dst = dest;
    while (src.endsWith(kBackslash))
        src.chop(1);
    while (dst.endsWith(kBackslash))
        dst.chop(1);
    // Stripping the backslash of "C:\" leaves "C:", the current directory of drive C: a
    // bare drive, like a drive root, is never moved.
    if (src.isEmpty() || src.endsWith(QLatin1Char(':')) || IsProtectedRoot(source) ||
        IsProtectedRoot(src) || (platform::IsSymLink(src) && !platform::DirectoryExists(src)))
        return false;
    if (platform::MoveFile(src, dst))
        return true;
    if (!platform::DirectoryExists(src))
        return false;
    std::vector<QString> names;
    ForEachEntry(src + kBackslash, [&](const TSearchRec &rec) {
        if (rec.Attr != platform::faDirectory && rec.Attr != platform::faVolumeID)
            names.push_back(rec.Name);
        return true;
    });
    for (const QString &name : names)
        jxtMoveFile(src + kBackslash + name, dst + kBackslash + name);
    return platform::RemoveDir(src);
}

bool jxtKillPath(const QString &path)
{
    const QString p = jxtCheckPath(path);
    const auto refuse = [](const QString &what) {
        ShowMessage(QStringLiteral("jxtKillPath - Fehler : ") + what +
                    QStringLiteral(" kann nicht gelöscht werden"));
    };
    if (p.size() < 5 || IsProtectedRoot(p) || IsProtectedRoot(path)) {
        refuse(p);
        return false;
    }
    // A link to a directory goes itself; what it points to is not part of the tree.
    const QString named = p.left(p.size() - 1);
    if (platform::IsSymLink(named)) {
        if (platform::DeleteFile(named))
            return true;
        refuse(named);
        return false;
    }
    bool result = true;
    std::vector<TSearchRec> entries;
    ForEachEntry(p, [&](const TSearchRec &rec) {
        entries.push_back(rec);
        return true;
    });
    for (const TSearchRec &rec : entries) {
        if (Terminating())
            return false;
        Application()->ProcessMessages();
        if (jxtIsDirectory(rec) && !rec.IsSymLink)
            result = jxtKillPath(p + rec.Name);
    }
    for (const TSearchRec &rec : entries) {
        if (Terminating())
            return false;
        Application()->ProcessMessages();
        // A link to a directory goes like a file: the link itself, never what it points to.
        if (!jxtIsFile(rec) && !rec.IsSymLink)
            continue;
        const QString f = p + rec.Name;
        if (!rec.IsSymLink && (rec.Attr & platform::faReadOnly))
            platform::FileSetAttr(f, 0);
        if (!platform::DeleteFile(f)) {
            refuse(f);
            result = false;
        }
    }
    if (p.size() > 3) {
        const QString dir = p.left(p.size() - 1);
        if (!platform::RemoveDir(dir)) {
            MessageDlg(QStringLiteral("jxtKillPath - Verzeichnis ") + p +
                           QStringLiteral(" läßt sich nicht löschen"),
                       mtWarning, {mbOK});
            result = false;
        }
    }
    return result;
}

// Volumes

namespace {

bool VolumeOf(const QString &drive, platform::TVolumeInfo &info)
{
    if (drive.isEmpty())
        return false;
    return platform::GetVolumeInformation(drive.left(1) + QLatin1String(":\\"), info);
}

} // namespace

QString jxtVolumeName(const QString &drive)
{
    platform::TVolumeInfo info;
    if (!VolumeOf(drive, info))
        return QString();
    const QString name = info.Label.toUpper();
    return name.isEmpty() ? jxtVolumeSerNum(drive) : name;
}

QString jxtNetworkVolumeName(const QString &drive)
{
    if (drive.isEmpty())
        return QString();
    const QString remote = platform::GetNetworkConnection(drive.at(0).toUpper());
    return remote.isEmpty() ? jxtVolumeName(drive) : remote;
}

QString jxtVolumeSerNum(const QString &drive)
{
    platform::TVolumeInfo info;
    if (!VolumeOf(drive, info))
        return QString();
    const QString serial = QString::number(info.SerialNumber);
    return serial == QLatin1String("0") ? info.Label.toUpper() : serial;
}

QString jxtVolumeSerNum2(const QString &drive)
{
    platform::TVolumeInfo info;
    if (!VolumeOf(drive, info))
        return QString();
    if (platform::GetDriveType(drive + QLatin1String(":\\")) == platform::DRIVE_REMOTE)
        return info.Label.toUpper();
    return QString::number(info.SerialNumber);
}

// Small file queries

QDateTime jxtFileDateTime(const QString &fileName)
{
    return platform::FileAge(fileName);
}

bool jxtHasAttr(const QString &fileName, std::uint16_t attr)
{
    const int a = platform::FileGetAttr(fileName);
    return a >= 0 && (a & attr) == attr;
}

bool jxtIsDirectory(const TSearchRec &rec)
{
    return !IsDotEntry(rec.Name) && (rec.Attr & platform::faDirectory) &&
           rec.Attr != platform::faVolumeID;
}

bool jxtIsFile(const TSearchRec &rec)
{
    return !IsDotEntry(rec.Name) && !(rec.Attr & platform::faDirectory);
}

bool jxtIsCompressed(const TSearchRec &rec)
{
    return !IsDotEntry(rec.Name) && (rec.Attr & platform::faCompressed);
}

qint64 jxtGetFileSize(const QString &fileName)
{
    if (fileName.contains(QLatin1Char('*')) || fileName.contains(QLatin1Char('?'))) {
        constexpr int kFiles =
            platform::faReadOnly | platform::faHidden | platform::faSysFile | platform::faArchive;
        TSearchRec rec;
        int rc = platform::FindFirst(fileName, kFiles, rec);
        if (rc != 0) {
            platform::FindClose(rec);
            return -1;
        }
        qint64 total = 0;
        while (rc == 0) {
            total += rec.Size;
            rc = platform::FindNext(rec);
        }
        platform::FindClose(rec);
        return total;
    }
    const QString expanded = platform::ExpandFileName(fileName);
    // Any entry counts, as a search with every attribute finds it: a directory has size 0.
    if (platform::DirectoryExists(expanded))
        return 0;
    return platform::FileSize(expanded);
}

QString jxtFindDrive(const QString &path)
{
    QString p = path;
    if (p.startsWith(QLatin1Char(':')))
        p.prepend(QLatin1Char('C'));
    if (p.isEmpty())
        return path;
    for (char letter = 'c'; letter <= 'z'; ++letter) {
        QString variant = p;
        variant[0] = QLatin1Char(letter);
        if (platform::FileExists(variant))
            return variant;
    }
    return path;
}

QChar jxtFindCDROM(QChar startDrive)
{
    // A start below "A" scans every letter (nothing below "A" names a drive).
    const QChar start = std::max(startDrive.toUpper(), QChar(QLatin1Char('A')));
    if (start > QLatin1Char('Z'))
        return QChar();
    for (char16_t c = start.unicode(); c <= u'Z'; ++c)
        if (platform::GetDriveType(QString(QChar(c)) + QLatin1String(":\\")) ==
            platform::DRIVE_CDROM)
            return QChar(c);
    return QChar();
}

// Searching and counting

bool jxtFilesExists(const QString &path, const QString &mask, bool recursive)
{
    HourGlass hourGlass;
    bool found = false;
    Pump pump;
    Walk(jxtCheckPath(path), recursive, platform::TListDetail::Kinds, pump,
         [&](const QString &, const TSearchRec &rec) {
             // Directories are never files, hidden ones (attribute 18) included.
             found = jxtIsFile(rec) && jxtIsMatch(UpperName(rec.Name), mask);
             return !found;
         });
    return found;
}

void jxtGetFiles(TStrings *list, const QString &path, const QString &mask, bool recursive)
{
    if (!list)
        return;
    list->BeginUpdate();
    list->Clear();
    Pump pump;
    Walk(jxtCheckPath(path), recursive, platform::TListDetail::Kinds, pump,
         [&](const QString &dir, const TSearchRec &rec) {
             if (jxtIsFile(rec) && jxtIsMatch(UpperName(rec.Name), mask))
                 list->Add(dir + rec.Name);
             return true;
         });
    list->EndUpdate();
}

int jxtFileCount(const QString &path, const QString &mask, bool recursive)
{
    return CountFiles(path, mask, recursive, false, [](qint64) { return true; });
}

int jxtFileCount2(const QString &path, const QString &mask, bool recursive, int minKB)
{
    return CountFiles(path, mask, recursive, minKB != 0,
                      [minKB](qint64 size) { return minKB == 0 || size / 1000 >= minKB; });
}

int jxtFileCount3(const QString &path, const QString &mask, bool recursive, int minKB, int maxKB)
{
    return CountFiles(path, mask, recursive, minKB != 0 || maxKB != 0, [minKB, maxKB](qint64 size) {
        if (minKB == 0 && maxKB == 0)
            return true;
        const qint64 kb = size / 1000;
        return minKB <= kb && kb <= maxKB;
    });
}

// Names and contents

QString jxtGetNextFileName(const QString &fileName)
{
    QString path, name, ext;
    jxtSplitFileName(fileName, path, name, ext);
    if (name.isEmpty() && ext.isEmpty()) {
        // A name without extension is numbered as a whole (the split leaves it empty, and
        // dropping it would lose the name).
        name = fileName.mid(path.size());
    }
    int digits = 0;
    int first = -1;
    for (int i = 0; i < name.size(); ++i) {
        if (name.at(i).isDigit() && name.at(i).unicode() < 128) {
            if (first < 0)
                first = i;
            ++digits;
        }
    }
    if (digits > 0) {
        const QString run = name.mid(first, digits);
        // 64-bit, so that the largest integer still gets its successor.
        const qint64 next = qint64(StrToInt(run)) + 1;
        const QString replacement = QStringLiteral("%1").arg(next, digits, 10, QLatin1Char('0'));
        jxtReplaceString(name, run, replacement);
    }
    return path + name + ext;
}

int jxtLZCopyFile(const QString &source, const QString &dest)
{
    HourGlass hourGlass;
    const qint64 result = platform::LZCopyFile(source, dest);
    if (result == platform::kLzErrorBadInHandle)
        throw EInOutError(QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(source), 2);
    if (result == platform::kLzErrorBadOutHandle)
        throw EInOutError(QStringLiteral("Datei %1 kann nicht erstellt werden").arg(dest), 5);
    if (result < 0 || result > std::numeric_limits<int>::max())
        throw Exception(QStringLiteral("Error using LZCopy"));
    return int(result);
}

int jxtFindFileString(const QString &fileName, const QString &text)
{
    constexpr qint64 kBlock = 2048;
    const QByteArray needle = text.toUtf8();
    QFile file(platform::ToHostPath(fileName));
    if (!platform::FileExists(fileName) || !file.open(QIODevice::ReadOnly))
        return 0;
    // A text as long as a block could never advance the search (the read position moves
    // back by the text's length): nothing that long is looked for.
    if (needle.isEmpty() || needle.size() >= kBlock)
        return 0;
    int result = 0;
    {
        HourGlass hourGlass;
        while (true) {
            QByteArray block = file.read(kBlock);
            block.replace('\0', '\1');
            const int at = block.indexOf(needle);
            if (at >= 0) {
                result = at + 1;
                break;
            }
            if (file.atEnd() || block.size() < kBlock)
                break;
            file.seek(file.pos() - needle.size());
        }
    }
    Screen()->SetCursor(crDefault);
    return result;
}

QString jxtGetFileString(const QString &fileName)
{
    QFile file(platform::ToHostPath(fileName));
    if (!platform::FileExists(fileName) || !file.open(QIODevice::ReadOnly))
        return QString();
    QString result;
    {
        HourGlass hourGlass;
        if (file.seek(file.size() / 2)) {
            const QByteArray b = file.read(3);
            if (b.size() == 3)
                result = QString::number(int(quint8(b[0])) + int(quint8(b[1])) - int(quint8(b[2])));
        }
    }
    Screen()->SetCursor(crDefault);
    return result;
}

QString jxtZeigeGekuerztenPfad(const QString &path, int maxLen)
{
    if (path.size() <= maxLen)
        return path;
    int cut = -1;
    int seen = 0;
    for (int i = 0; i < path.size() && seen < 3; ++i) {
        if (path.at(i) == kBackslash) {
            cut = i;
            ++seen;
        }
    }
    if (cut < 0)
        return path;
    const QString head = path.left(cut + 1);
    QString tail = path.mid(cut);
    while (maxLen < head.size() + tail.size()) {
        const int slash = tail.indexOf(kBackslash);
        if (slash < 0)
            break; // only the file name is left: it stays whole
        tail = tail.mid(slash + 1);
    }
    return head + QStringLiteral("...\\") + tail;
}

QString jxtGetHexFileVersion(const QString &version)
{
    if (version.isEmpty())
        return version;
    QString v = version;
    v.replace(QLatin1Char(','), QLatin1Char('.'));
    QString result;
    for (int field = 1; field <= 4; ++field) {
        bool ok = false;
        const int n = (QLatin1Char('0') + jxtSplitPar(v, QLatin1Char('.'), field)).toInt(&ok, 10);
        if (!ok || n < 0)
            return QString();
        result += QStringLiteral("%1").arg(n, 4, 16, QLatin1Char('0'));
    }
    return result.toLower();
}

// Standard directories

QString jxtAppDir()
{
    return WithBackslash(QCoreApplication::applicationDirPath());
}

QString jxtWinDir()
{
    return WithBackslash(WindowsDirectory());
}

QString jxtSysDir()
{
    const QString dir = WindowsDirectory() + QLatin1String("/system");
    QDir().mkpath(dir);
    return WithBackslash(dir);
}

QString jxtTMPDir()
{
    return WithBackslash(QDir::tempPath());
}

} // namespace jxt
