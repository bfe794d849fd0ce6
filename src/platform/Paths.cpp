// SPDX-License-Identifier: MIT
// Drive mapping, Windows-to-host path translation and the path string functions.
#include "platform/Paths.h"

#include "platform/Mounts.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

namespace jxt::platform {

namespace {

const QLatin1Char kBackslash('\\');
const QLatin1Char kSlash('/');

bool IsDriveLetter(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

bool HasDrivePrefix(const QString &path)
{
    return path.size() >= 2 && IsDriveLetter(path.at(0)) && path.at(1) == QLatin1Char(':');
}

bool IsUncPath(const QString &path)
{
    return path.size() >= 2 && IsPathDelimiter(path.at(0)) && IsPathDelimiter(path.at(1));
}

// The separators of the Windows path functions: both slashes and the drive colon.
int LastPathDelimiter(const QString &s)
{
    for (int i = s.size() - 1; i >= 0; --i) {
        const QChar c = s.at(i);
        if (IsPathDelimiter(c) || c == QLatin1Char(':'))
            return i;
    }
    return -1;
}

QStringList SplitComponents(const QString &path)
{
    QStringList parts;
    int start = 0;
    for (int i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsPathDelimiter(path.at(i))) {
            if (i > start)
                parts.append(path.mid(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// Folds "." and ".." the way Windows does: textually, never above the root.
QStringList FoldDots(const QStringList &parts)
{
    QStringList out;
    for (const QString &p : parts) {
        if (p == QLatin1String("."))
            continue;
        if (p == QLatin1String("..")) {
            if (!out.isEmpty())
                out.removeLast();
            continue;
        }
        out.append(p);
    }
    return out;
}

QString JoinHost(const QString &root, const QStringList &parts)
{
    QString out = root;
    for (const QString &p : parts) {
        if (!out.endsWith(kSlash))
            out += kSlash;
        out += p;
    }
    return out.isEmpty() ? QStringLiteral("/") : out;
}

bool HostEntryExists(const QString &hostPath)
{
    struct stat st;
    return ::lstat(QFile::encodeName(hostPath).constData(), &st) == 0;
}

// The entry of directory `dir` whose name equals `name` ignoring case; empty when none.
// When several differ only in case, the first in binary order is taken, so the choice
// does not depend on the order of the directory.
QString FindNameIgnoringCase(const QString &dir, const QString &name)
{
    DIR *d = ::opendir(QFile::encodeName(dir).constData());
    if (!d)
        return {};
    const QString folded = name.toCaseFolded();
    QString found;
    while (dirent *e = ::readdir(d)) {
        const QString entry = QFile::decodeName(e->d_name);
        if (entry.toCaseFolded() == folded && (found.isEmpty() || entry < found))
            found = entry;
    }
    ::closedir(d);
    return found;
}

// Appends `parts` to the existing host directory `root`, taking the existing spelling of each
// component that exists only in another case. Once a component is missing, the rest is kept
// as written.
QString ResolveCase(const QString &root, const QStringList &parts)
{
    QString current = root.isEmpty() ? QStringLiteral("/") : root;
    // Most paths are spelled as they are on disk: when the whole path, or its directory,
    // exists as written, every component before the last does too, and one or two lstat
    // calls give the same answer as the walk below.
    if (!parts.isEmpty()) {
        const QString whole = JoinHost(current, parts);
        if (HostEntryExists(whole))
            return whole;
        const QString dir = JoinHost(current, parts.mid(0, parts.size() - 1));
        if (HostEntryExists(dir)) {
            const QString actual = FindNameIgnoringCase(dir, parts.last());
            return actual.isEmpty() ? whole : JoinHost(dir, {actual});
        }
    }
    bool resolving = true;
    for (const QString &p : parts) {
        QString next = JoinHost(current, {p});
        if (resolving && !HostEntryExists(next)) {
            const QString actual = FindNameIgnoringCase(current, p);
            if (actual.isEmpty())
                resolving = false;
            else
                next = JoinHost(current, {actual});
        }
        current = next;
    }
    return current;
}

QString CleanRoot(const QString &root)
{
    return JoinHost(QStringLiteral("/"), FoldDots(SplitComponents(root)));
}

int ParseDriveType(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("fixed"))
        return DRIVE_FIXED;
    if (n == QLatin1String("removable"))
        return DRIVE_REMOVABLE;
    if (n == QLatin1String("remote") || n == QLatin1String("network"))
        return DRIVE_REMOTE;
    if (n == QLatin1String("cdrom"))
        return DRIVE_CDROM;
    if (n == QLatin1String("ram") || n == QLatin1String("ramdisk"))
        return DRIVE_RAMDISK;
    return -1;
}

bool IsHostPrefix(const QString &root, const QString &path)
{
    if (root == QLatin1String("/"))
        return true;
    return path == root || (path.startsWith(root) && path.at(root.size()) == kSlash);
}

// The host directory of drive `letter` and the components of a Windows path below it, for a
// path that starts with a drive prefix.
QString DriveBase(QChar letter, const QString &rest, QStringList &parts)
{
    const QString root = DriveRoot(letter);
    if (root.isEmpty())
        return {};
    if (!rest.isEmpty() && IsPathDelimiter(rest.at(0))) {
        parts = SplitComponents(rest);
        return root;
    }
    // "X:name" is relative to the current directory when that lies on drive X.
    const QString cwd = QDir::currentPath();
    QStringList base;
    if (IsHostPrefix(root, cwd))
        base = SplitComponents(cwd.mid(root == QLatin1String("/") ? 0 : root.size()));
    parts = base + SplitComponents(rest);
    return root;
}

QString UncToHost(const QString &path)
{
    const QStringList parts = SplitComponents(path);
    if (parts.size() < 2)
        return {};
    const QString server = parts.at(0);
    const QString share = parts.at(1);
    const QString cifs = QStringLiteral("//%1/%2").arg(server, share);
    const QString nfs = QStringLiteral("%1:/%2").arg(server, share);
    const QList<TMountEntry> mounts = ReadMounts();
    for (int i = mounts.size() - 1; i >= 0; --i) {
        const QString source = mounts.at(i).Source;
        if (source.compare(cifs, Qt::CaseInsensitive) == 0 ||
            source.compare(nfs, Qt::CaseInsensitive) == 0) {
            return ResolveCase(mounts.at(i).MountPoint, FoldDots(parts.mid(2)));
        }
    }
    return {};
}

} // namespace

QList<TDriveMapping> Drives()
{
    TDriveMapping table[26];
    table['C' - 'A'] = TDriveMapping{QLatin1Char('C'), QStringLiteral("/"), -1};

    const QString setting = qEnvironmentVariable("JXT_DRIVES");
    for (const QString &rawEntry : setting.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString entry = rawEntry.trimmed();
        if (entry.size() < 3 || !IsDriveLetter(entry.at(0)) || entry.at(1) != QLatin1Char('='))
            continue;
        QString root = entry.mid(2).trimmed();
        int type = -1;
        const int colon = root.lastIndexOf(QLatin1Char(':'));
        if (colon > 0) {
            const int parsed = ParseDriveType(root.mid(colon + 1));
            if (parsed >= 0) {
                type = parsed;
                root.truncate(colon);
            }
        }
        if (!root.startsWith(kSlash))
            continue;
        const QChar letter = entry.at(0).toUpper();
        table[letter.unicode() - 'A'] = TDriveMapping{letter, CleanRoot(root), type};
    }

    QList<TDriveMapping> drives;
    for (const TDriveMapping &d : table) {
        if (!d.Root.isEmpty())
            drives.append(d);
    }
    return drives;
}

QString DriveRoot(QChar letter)
{
    const QChar upper = letter.toUpper();
    for (const TDriveMapping &d : Drives()) {
        if (d.Letter == upper)
            return d.Root;
    }
    return {};
}

int DriveTypeOverride(QChar letter)
{
    const QChar upper = letter.toUpper();
    for (const TDriveMapping &d : Drives()) {
        if (d.Letter == upper)
            return d.ForcedType;
    }
    return -1;
}

QString AvailableDrives()
{
    QString letters;
    for (const TDriveMapping &d : Drives())
        letters += d.Letter;
    return letters;
}

quint32 LogicalDrivesMask()
{
    quint32 mask = 0;
    for (const TDriveMapping &d : Drives())
        mask |= 1u << (d.Letter.unicode() - 'A');
    return mask;
}

QChar PathDriveLetter(const QString &path)
{
    return HasDrivePrefix(path) ? path.at(0).toUpper() : QChar();
}

QString ToHostPath(const QString &path)
{
    if (path.isEmpty())
        return {};
    if (HasDrivePrefix(path)) {
        QStringList parts;
        const QString root = DriveBase(path.at(0), path.mid(2), parts);
        if (root.isEmpty())
            return {};
        return ResolveCase(root, FoldDots(parts));
    }
    if (IsUncPath(path))
        return UncToHost(path);
    if (IsPathDelimiter(path.at(0)))
        return ResolveCase(QStringLiteral("/"), FoldDots(SplitComponents(path)));
    return ResolveCase(QStringLiteral("/"),
                       FoldDots(SplitComponents(QDir::currentPath()) + SplitComponents(path)));
}

QString ToWindowsPath(const QString &hostPath)
{
    QStringList parts = SplitComponents(hostPath);
    if (hostPath.isEmpty() || !hostPath.startsWith(kSlash))
        parts = SplitComponents(QDir::currentPath()) + parts;
    const QString clean = JoinHost(QStringLiteral("/"), FoldDots(parts));

    const TDriveMapping *best = nullptr;
    const QList<TDriveMapping> drives = Drives();
    for (const TDriveMapping &d : drives) {
        if (IsHostPrefix(d.Root, clean) && (!best || d.Root.size() > best->Root.size()))
            best = &d;
    }
    if (!best)
        return clean;
    QString rest =
        best->Root == QLatin1String("/") ? clean.mid(1) : clean.mid(best->Root.size() + 1);
    rest.replace(kSlash, kBackslash);
    return QString(best->Letter) + QLatin1String(":\\") + rest;
}

QString GetCurrentDir()
{
    return ToWindowsPath(QDir::currentPath());
}

bool SetCurrentDir(const QString &path)
{
    const QString host = ToHostPath(path);
    return !host.isEmpty() && QDir::setCurrent(host);
}

QString ExpandFileName(const QString &fileName)
{
    if (fileName.isEmpty())
        return GetCurrentDir();

    QString prefix; // "X:" or "\\server\share", or empty outside all drives
    QString rest;   // what follows, to be split into components
    if (HasDrivePrefix(fileName)) {
        prefix = fileName.left(1).toUpper() + QLatin1Char(':');
        if (fileName.size() > 2 && IsPathDelimiter(fileName.at(2))) {
            rest = fileName.mid(2);
        } else {
            const QString cwd = GetCurrentDir();
            const QString base = PathDriveLetter(cwd) == prefix.at(0) ? cwd.mid(2) : QString();
            rest = base + kBackslash + fileName.mid(2);
        }
        // Keep the letter as written, as Windows does.
        prefix = fileName.left(2);
    } else if (IsUncPath(fileName)) {
        prefix = ExtractFileDrive(fileName);
        rest = fileName.mid(prefix.size());
        prefix.replace(kSlash, kBackslash);
    } else {
        const QString cwd = GetCurrentDir();
        prefix = ExtractFileDrive(cwd);
        if (IsPathDelimiter(fileName.at(0)))
            rest = fileName;
        else
            rest = cwd.mid(prefix.size()) + kBackslash + fileName;
    }

    const QStringList parts = FoldDots(SplitComponents(rest));
    QString result = prefix + kBackslash + parts.join(kBackslash);
    if (!parts.isEmpty() && IsPathDelimiter(fileName.back()))
        result += kBackslash;
    return result;
}

QString ExtractFilePath(const QString &fileName)
{
    return fileName.left(LastPathDelimiter(fileName) + 1);
}

QString ExtractFileDir(const QString &fileName)
{
    int i = LastPathDelimiter(fileName);
    if (i > 0 && IsPathDelimiter(fileName.at(i))) {
        const QChar before = fileName.at(i - 1);
        if (!IsPathDelimiter(before) && before != QLatin1Char(':'))
            --i;
    }
    return fileName.left(i + 1);
}

QString ExtractFileName(const QString &fileName)
{
    return fileName.mid(LastPathDelimiter(fileName) + 1);
}

QString ExtractFileExt(const QString &fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < LastPathDelimiter(fileName))
        return {};
    return fileName.mid(dot);
}

QString ExtractFileDrive(const QString &fileName)
{
    if (fileName.size() >= 2 && fileName.at(1) == QLatin1Char(':'))
        return fileName.left(2);
    if (IsUncPath(fileName)) {
        // "\\server\share": up to the separator after the share name.
        int separators = 0;
        int i = 2;
        for (; i < fileName.size(); ++i) {
            if (IsPathDelimiter(fileName.at(i)) && ++separators == 2)
                break;
        }
        return fileName.left(i);
    }
    return {};
}

QString ChangeFileExt(const QString &fileName, const QString &extension)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < LastPathDelimiter(fileName))
        return fileName + extension;
    return fileName.left(dot) + extension;
}

} // namespace jxt::platform
