// SPDX-License-Identifier: MIT
#include "util/JxutilFiles.h"

#include "host/controls/MessagePump.h"

#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "host/core/Strings.h"
#include "host/core/SysUtils.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"
#include "platform/Szdd.h"
#include "platform/Transfer.h"
#include "platform/Volumes.h"
#include "platform/WalkDir.h"
#include "platform/WinDir.h"
#include "util/Jxutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jxt {

namespace {

const QChar kBackslash = QLatin1Char('\\');

/// The separator a directory in the form of jxtCheckPath ends with: paths built below it use
/// the same one, so a POSIX path the user gave stays a POSIX path.
QChar SeparatorOf(const QString &dir)
{
    return dir.endsWith(QLatin1Char('/')) ? QLatin1Char('/') : kBackslash;
}

/// The last `\` or `/` at or before index from (the whole string when from is -1), or -1.
int LastDelimiter(const QString &path, int from = -1)
{
    if (from < 0)
        from = int(path.size()) - 1;
    for (int i = std::min(from, int(path.size()) - 1); i >= 0; --i)
        if (platform::IsPathDelimiter(path.at(i)))
            return i;
    return -1;
}

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

using Pump = TMessagePump;

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

/// A directory descriptor closed at the end of its scope.
class TDirFd
{
public:
    explicit TDirFd(int fd = -1) : m_fd(fd) {}
    ~TDirFd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    TDirFd(const TDirFd &) = delete;
    TDirFd &operator=(const TDirFd &) = delete;
    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    void Reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

/// Opens the directory a caller named, and the folder holding it (for removing it); the
/// last component must be a real directory, not a link to one.
bool OpenNamedDirectory(const QString &path, TDirFd *parent, QByteArray *name,
                        platform::TWalkDir *dir)
{
    QString host = platform::ToHostPath(path);
    while (host.size() > 1 && host.endsWith(QLatin1Char('/')))
        host.chop(1);
    if (host.isEmpty())
        return false;
    parent->Reset(platform::OpenParentDirectory(host, name));
    if (!parent->Valid())
        return false;
    *dir = platform::TWalkDir::OpenAt(parent->Get(), *name);
    return dir->IsOpen();
}

/// The walk shared by the search and counting helpers: subdirectories first (never through a
/// symbolic link), then the entries of the directory itself, each directory read once and in
/// the order of FindFirst. `dir` is the directory as the caller named it (with a trailing
/// backslash) and `folder` the open directory; subdirectories are opened relative to their
/// parent by their names on disk (platform/WalkDir.h), so no name is ever parsed as a path
/// and nothing outside the tree is reached, even while entries are renamed during the walk,
/// and a tree deeper than the process may open files is walked whole. `spellable` is false
/// below a directory whose name cannot be written in a path: its entries are visited (and
/// counted) but have no path. onEntry returns false to stop.
bool WalkAt(
    platform::TWalkDir &folder, int depth, const QString &dir, bool spellable, bool recursive,
    platform::TListDetail detail, Pump &pump,
    const std::function<bool(const QString &dir, const TSearchRec &, bool spellable)> &onEntry)
{
    if (Terminating())
        return false;
    std::vector<platform::TDirEntry> entries;
    platform::ListDirectoryAt(folder.Fd(), detail, entries);
    bool go = true;
    if (recursive) {
        for (const platform::TDirEntry &e : entries) {
            if (!(e.Attr & platform::faDirectory) || e.IsSymLink)
                continue;
            platform::TWalkDir sub = folder.OpenChild(e.NativeName);
            if (!sub.IsOpen())
                continue; // gone, replaced by a link, or not readable
            folder.ParkAtDepth(depth);
            go = WalkAt(sub, depth + 1, dir + e.Name + SeparatorOf(dir), spellable && e.Spellable,
                        recursive, detail, pump, onEntry);
            if (!go)
                return false;
            // The folder moved away under the walk: its other subfolders are out of reach;
            // its own entries were read already.
            if (!folder.Reopen(sub))
                break;
        }
    }
    TSearchRec rec;
    for (const platform::TDirEntry &e : entries) {
        rec.Name = e.Name;
        rec.Attr = e.Attr;
        rec.Size = e.Size;
        rec.IsSymLink = e.IsSymLink;
        go = onEntry(dir, rec, spellable && e.Spellable);
        pump.Run();
        if (Terminating())
            go = false;
        if (!go)
            break;
    }
    return go;
}

/// Starts a walk at `dir` (with a trailing backslash, or empty for the current directory).
bool Walk(
    const QString &dir, bool recursive, platform::TListDetail detail, Pump &pump,
    const std::function<bool(const QString &dir, const TSearchRec &, bool spellable)> &onEntry)
{
    const QString host = platform::ToHostPath(dir.isEmpty() ? QStringLiteral(".") : dir);
    if (host.isEmpty())
        return !Terminating();
    platform::TWalkDir folder = platform::TWalkDir::OpenPath(QFile::encodeName(host));
    if (!folder.IsOpen())
        return !Terminating();
    return WalkAt(folder, 0, dir, true, recursive, detail, pump, onEntry);
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
    Walk(jxtCheckPath(path), recursive, detail, pump,
         [&](const QString &, const TSearchRec &rec, bool) {
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

/// Moves the entry `srcName` of `srcDir` to `dstName` of `dstDir`: a rename that never
/// replaces; where that is not possible, and the source is not read-only, a move that replaces
/// the destination (never a read-only one). Both by the rules of platform/Transfer.h, so a
/// failure leaves source and destination as they were and one file under two names is never
/// touched. `prepare` runs before the replacing move (to create the destination folder).
bool MoveEntry(int srcDir, const QByteArray &srcName, int dstDir, const QByteArray &dstName,
               const std::function<bool()> &prepare = {})
{
    platform::TTransferOptions options;
    options.Mode = platform::TTransferMode::Move;
    platform::TTransferStatus status =
        platform::TransferFileAt(srcDir, srcName, dstDir, dstName, options);
    if (status == platform::TTransferStatus::Done)
        return true;
    if (status != platform::TTransferStatus::DestExists &&
        status != platform::TTransferStatus::WriteFailed)
        return false;
    struct stat st;
    if (::fstatat(srcDir, srcName.constData(), &st, 0) == 0 && S_ISREG(st.st_mode) &&
        !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        return false; // a read-only file is moved only by a rename
    if (prepare && !prepare())
        return false;
    options.Replace = true;
    status = platform::TransferFileAt(srcDir, srcName, dstDir, dstName, options);
    return status == platform::TTransferStatus::Done;
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

/// Whether the host path `path`, or a folder above it, is the directory whose status is `dir`
/// (by device and inode, links followed).
bool IsOrIsInside(const QString &path, const struct stat &dir)
{
    QString p = QDir::cleanPath(path);
    while (!p.isEmpty()) {
        struct stat st;
        if (::stat(QFile::encodeName(p).constData(), &st) == 0 && st.st_dev == dir.st_dev &&
            st.st_ino == dir.st_ino)
            return true;
        const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
        if (slash < 0 || p == QLatin1String("/"))
            break;
        p = slash == 0 ? QStringLiteral("/") : p.left(slash);
    }
    return false;
}

QString WithBackslash(const QString &hostDir)
{
    return jxtCheckPath(platform::ToWindowsPath(hostDir));
}

} // namespace

// Path forms

QString jxtCheckPath(const QString &path)
{
    if (path.isEmpty() || platform::IsPathDelimiter(path.back()))
        return path;
    // A path written with "/" only (a POSIX path, or "C:/x") gets "/".
    const bool posix = path.contains(QLatin1Char('/')) && !path.contains(kBackslash);
    return path + (posix ? QLatin1Char('/') : kBackslash);
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
    const int slash = LastDelimiter(dir, from);
    return slash < 0 ? QString() : dir.left(slash);
}

QString jxtDirName(const QString &path)
{
    const int last = LastDelimiter(path);
    if (last <= 0)
        return QString();
    const int before = LastDelimiter(path, last - 1);
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
    // A file renamed to its own name is already where it should be.
    if (SameEntry(source, target))
        return platform::FileExists(source) || platform::IsSymLink(source);
    const QString srcHost = platform::ToHostPath(source);
    const QString dstHost = platform::ToHostPath(target);
    if (srcHost.isEmpty() || dstHost.isEmpty())
        return false;
    QByteArray srcName, dstName;
    const TDirFd srcDir(platform::OpenParentDirectory(srcHost, &srcName));
    if (!srcDir.Valid())
        return false;
    TDirFd dstDir(platform::OpenParentDirectory(dstHost, &dstName));
    const QString targetDir = platform::ExtractFilePath(target);
    const auto createDir = [&] {
        if (dstDir.Valid())
            return true;
        platform::ForceDirectories(targetDir);
        dstDir.Reset(platform::OpenParentDirectory(dstHost, &dstName));
        return dstDir.Valid();
    };
    if (!dstDir.Valid()) {
        // No folder to rename into: the move can only be made once it is created.
        struct stat st;
        if (::fstatat(srcDir.Get(), srcName.constData(), &st, 0) != 0 ||
            (S_ISREG(st.st_mode) && !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) || !createDir())
            return false;
    }
    return MoveEntry(srcDir.Get(), srcName, dstDir.Get(), dstName, createDir);
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
    // A rename, a change of case included, moves the folder in one step.
    if (platform::MoveFile(src, dst))
        return true;
    // Otherwise its files go one by one, and the folder is removed when empty. A folder is
    // never moved so onto itself or into itself, whatever spelling (".", "..", case) or link
    // names it there: the moves would change nothing, and the folder would be removed as
    // though they had emptied it.
    struct stat srcStat;
    const QString srcHost = platform::ToHostPath(src);
    if (!srcHost.isEmpty() && ::lstat(QFile::encodeName(srcHost).constData(), &srcStat) == 0 &&
        S_ISDIR(srcStat.st_mode) && IsOrIsInside(platform::ToHostPath(dst), srcStat))
        return false;
    TDirFd parent;
    platform::TWalkDir dir;
    QByteArray name;
    if (!OpenNamedDirectory(src, &parent, &name, &dir))
        return false;
    // The entries are moved by their names on disk from the open directory: a name holding
    // "..", a backslash or bytes that are not UTF-8 is only ever that entry.
    std::vector<platform::TDirEntry> entries;
    platform::ListDirectoryAt(dir.Fd(), platform::TListDetail::Kinds, entries, true, true);
    TDirFd target;
    const QString dstHost = platform::ToHostPath(dst);
    for (const platform::TDirEntry &e : entries) {
        if (e.Attr == platform::faDirectory || e.Attr == platform::faVolumeID)
            continue;
        if (!target.Valid()) {
            if (dstHost.isEmpty())
                break;
            platform::ForceDirectories(dst);
            target.Reset(
                ::open(QFile::encodeName(dstHost).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            if (!target.Valid())
                break;
        }
        MoveEntry(dir.Fd(), e.NativeName, target.Get(), e.NativeName);
    }
    return ::unlinkat(parent.Get(), name.constData(), AT_REMOVEDIR) == 0;
}

namespace {

void RefuseDeletion(const QString &what)
{
    ShowMessage(QCoreApplication::translate("jxtpack",
                                            "jxtKillPath - Fehler : %1 kann nicht gelöscht werden")
                    .arg(what));
}

void CannotRemoveDirectory(const QString &p)
{
    MessageDlg(QCoreApplication::translate("jxtpack",
                                           "jxtKillPath - Verzeichnis %1 läßt sich nicht löschen")
                   .arg(p),
               mtWarning, {mbOK});
}

/// Deletes everything in the open directory `folder` (at `depth` below the start); `p` is its
/// path as shown in messages (with a trailing backslash). Every entry is reached through the
/// open directory that holds it and by its name on disk, never by a path: no name, and no
/// rename during the walk, can lead outside the tree, and a tree deeper than the process may
/// open files is deleted whole (platform/WalkDir.h). Links are deleted, never followed.
bool EmptyDirectory(platform::TWalkDir &folder, int depth, const QString &p, bool &stopped)
{
    bool result = true;
    std::vector<platform::TDirEntry> entries;
    platform::ListDirectoryAt(folder.Fd(), platform::TListDetail::Kinds, entries, true, true);
    for (const platform::TDirEntry &e : entries) {
        if (Terminating()) {
            stopped = true;
            return false;
        }
        Application()->ProcessMessages();
        if (!(e.Attr & platform::faDirectory) || e.IsSymLink)
            continue;
        const QString subPath = p + e.Name + SeparatorOf(p);
        platform::TWalkDir sub = folder.OpenChild(e.NativeName);
        if (!sub.IsOpen()) {
            RefuseDeletion(p + e.Name);
            result = false;
            continue;
        }
        folder.ParkAtDepth(depth);
        const bool emptied = EmptyDirectory(sub, depth + 1, subPath, stopped);
        if (stopped)
            return false;
        if (!folder.Reopen(sub)) {
            // The folder was moved away meanwhile: nothing more is deleted in it.
            CannotRemoveDirectory(p);
            return false;
        }
        if (!emptied)
            result = false;
        if (::unlinkat(folder.Fd(), e.NativeName.constData(), AT_REMOVEDIR) != 0) {
            CannotRemoveDirectory(subPath);
            result = false;
        }
    }
    for (const platform::TDirEntry &e : entries) {
        if (Terminating()) {
            stopped = true;
            return false;
        }
        Application()->ProcessMessages();
        // A link to a directory goes like a file: the link itself, never what it points to.
        if ((e.Attr & platform::faDirectory) && !e.IsSymLink)
            continue;
        if (::unlinkat(folder.Fd(), e.NativeName.constData(), 0) != 0) {
            RefuseDeletion(p + e.Name);
            result = false;
        }
    }
    return result;
}

} // namespace

bool jxtKillPath(const QString &path)
{
    const QString p = jxtCheckPath(path);
    if (p.size() < 5 || IsProtectedRoot(p) || IsProtectedRoot(path)) {
        RefuseDeletion(p);
        return false;
    }
    // A link to a directory goes itself; what it points to is not part of the tree.
    const QString named = p.left(p.size() - 1);
    if (platform::IsSymLink(named)) {
        if (platform::DeleteFile(named))
            return true;
        RefuseDeletion(named);
        return false;
    }
    TDirFd parent;
    platform::TWalkDir folder;
    QByteArray name;
    if (!OpenNamedDirectory(named, &parent, &name, &folder)) {
        CannotRemoveDirectory(p);
        return false;
    }
    bool stopped = false;
    bool result = EmptyDirectory(folder, 0, p, stopped);
    if (stopped)
        return false;
    if (::unlinkat(parent.Get(), name.constData(), AT_REMOVEDIR) != 0) {
        CannotRemoveDirectory(p);
        result = false;
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
         [&](const QString &, const TSearchRec &rec, bool) {
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
         [&](const QString &dir, const TSearchRec &rec, bool spellable) {
             // A path that cannot be spelt would name another file, or none.
             if (spellable && jxtIsFile(rec) && jxtIsMatch(UpperName(rec.Name), mask))
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
    // The result is the number of bytes written, an Integer: a longer output is refused
    // before the destination is touched.
    const qint64 result = platform::LZCopyFile(source, dest, std::numeric_limits<int>::max());
    if (result == platform::kLzErrorBadInHandle)
        throw EInOutError(
            QCoreApplication::translate("jxtpack", "Datei %1 kann nicht geöffnet werden")
                .arg(source),
            2);
    if (result == platform::kLzErrorBadOutHandle)
        throw EInOutError(
            QCoreApplication::translate("jxtpack", "Datei %1 kann nicht erstellt werden").arg(dest),
            5);
    if (result < 0 || result > std::numeric_limits<int>::max())
        throw Exception(QStringLiteral("Error using LZCopy"));
    return int(result);
}

namespace {

/// Opens a file for reading when it is a regular file; FIFOs, sockets and devices are never
/// opened (the open does not block, and they are refused), so they read as unreadable files.
bool OpenRegularFile(const QString &fileName, QFile &file)
{
    const QString host = platform::ToHostPath(fileName);
    if (host.isEmpty())
        return false;
    platform::TFileAccess access;
    struct stat st;
    const int fd = platform::OpenRegularHostFile(QFile::encodeName(host), O_RDONLY, &access, &st);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace

int jxtFindFileString(const QString &fileName, const QString &text)
{
    constexpr qint64 kBlock = 2048;
    const QByteArray needle = text.toUtf8();
    QFile file;
    if (!platform::FileExists(fileName) || !OpenRegularFile(fileName, file))
        return 0;
    // A text as long as a block could never advance the search (the read position moves
    // back by the text's length): nothing that long is looked for.
    const qint64 n = needle.size();
    if (n == 0 || n >= kBlock)
        return 0;

    // The blocks of the search start at multiples of (block - n) and overlap by n bytes, zero
    // bytes read as 1. The first block holding an occurrence holds the first occurrence in the
    // file, so one pass over the file finds it (Knuth-Morris-Pratt: every byte is looked at a
    // bounded number of times, whatever the text) and the block follows from its offset.
    std::vector<qint64> fail(size_t(n) + 1, 0);
    fail[0] = -1;
    for (qint64 i = 1, k = -1; i <= n; ++i) {
        while (k >= 0 && needle[k] != needle[i - 1])
            k = fail[size_t(k)];
        fail[size_t(i)] = ++k;
    }
    int result = 0;
    {
        HourGlass hourGlass;
        QByteArray buffer(1 << 16, Qt::Uninitialized);
        qint64 offset = 0; // of buffer[0] in the file
        qint64 matched = 0;
        qint64 found = -1;
        while (found < 0) {
            const qint64 got = file.read(buffer.data(), buffer.size());
            if (got <= 0)
                break;
            for (qint64 i = 0; i < got; ++i) {
                const char c = buffer[i] == '\0' ? '\1' : buffer[i];
                while (matched >= 0 && needle[matched] != c)
                    matched = fail[size_t(matched)];
                if (++matched == n) {
                    found = offset + i + 1 - n;
                    break;
                }
            }
            offset += got;
        }
        if (found >= 0) {
            const qint64 step = kBlock - n;
            const qint64 block = std::max<qint64>(0, (found + n - kBlock + step - 1) / step);
            result = int(found - block * step + 1);
        }
    }
    Screen()->SetCursor(crDefault);
    return result;
}

QString jxtGetFileString(const QString &fileName)
{
    QFile file;
    if (!platform::FileExists(fileName) || !OpenRegularFile(fileName, file))
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
