// SPDX-License-Identifier: MIT
// Directory search with the find-first/find-next rules of Windows: attribute bits
// mapped from POSIX, its wildcard dialect and a stable case-insensitive order.
#pragma once

#include "base/Export.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

namespace jxt::platform {

/// File attribute bits, with their Windows values.
enum : int {
    faReadOnly = 0x01,  ///< we may not write the file (directories never carry it)
    faHidden = 0x02,    ///< the name starts with a dot
    faSysFile = 0x04,   ///< device, FIFO or socket: neither a regular file nor a directory
    faVolumeID = 0x08,  ///< the volume label (only ever alone, see FindFirst)
    faDirectory = 0x10, ///< a directory, or a symbolic link to one
    faArchive = 0x20,   ///< a regular file
    faAnyFile = 0x3F,
    faCompressed = 0x800, ///< never set by this platform; defined for callers that test it
};

/// Result codes of FindFirst/FindNext (0 is success), as Windows reports them.
enum : int {
    kErrorFileNotFound = 2, ///< the directory exists but no entry has a matching name
    kErrorPathNotFound = 3, ///< the directory of the pattern does not exist
    kErrorNoMoreFiles = 18, ///< all matching entries were returned (or all were filtered)
};

struct TFindState;

/// One found entry and the state of the search that found it.
struct JXT_EXPORT TSearchRec
{
    QString Name;           ///< entry name as stored on disk
    qint64 Size = 0;        ///< size in bytes of a regular file (of a link's target); 0 otherwise
    int Attr = 0;           ///< fa* bits
    QDateTime Time;         ///< last modification time, local time
    bool IsSymLink = false; ///< the entry is a symbolic link; Attr, Size and Time are the target's
                            ///< (a dangling link is a plain file of size 0). Recursive walkers and
                            ///< deletions must not descend into a directory reached this way.
    QString HostPath;       ///< full host path of the entry
    int ExcludeAttr = 0;    ///< special bits (hidden, system, directory) not asked for
    std::shared_ptr<TFindState> FindHandle; ///< open search; released by FindClose
};

/// Starts a search. `pattern` is a path whose last component may hold wildcards
/// (`C:\dir\*.txt`, `*.*`, `/tmp/a?c`); `attr` selects entries as on Windows:
/// normal files (read-only and archive count as normal) always match; hidden, system and
/// directory entries only when their bit is in `attr`. `attr == faVolumeID` alone returns the
/// volume label of the pattern's drive as the one entry (kErrorFileNotFound if it has none).
///
/// The directory is read at once; entries come in case-insensitive name order (ties in
/// binary order), with "." and ".." first. "." and ".." are listed in every directory except
/// a drive's root or the host root. An entry whose name cannot be written as a path of this
/// system (a backslash, or bytes that are not UTF-8; see IsSpellableName in Transfer.h) is
/// left out: its path would name another file or none. Returns 0 and fills `rec` with the
/// first entry, or an error code (kErrorPathNotFound, kErrorFileNotFound, kErrorNoMoreFiles).
JXT_EXPORT int FindFirst(const QString &pattern, int attr, TSearchRec &rec);

/// As FindFirst for the entries matching `mask` (a name pattern, no path) of the open
/// directory `dirFd` (which stays open and owned by the caller), for walkers that reach each
/// directory from the one above it. `hostDir` is the directory's host path: it fills
/// TSearchRec::HostPath and tells a drive's root (without "." and ".."). Never the volume
/// label. kErrorPathNotFound when the directory cannot be read.
JXT_EXPORT int FindFirstAt(int dirFd, const QString &hostDir, const QString &mask, int attr,
                           TSearchRec &rec);

/// The next entry of the search; 0, or kErrorNoMoreFiles at the end.
JXT_EXPORT int FindNext(TSearchRec &rec);

/// Ends the search and frees its state. Safe to call twice or after a failed FindFirst.
JXT_EXPORT void FindClose(TSearchRec &rec);

/// One entry of a directory listing (see ListDirectory).
struct JXT_EXPORT TDirEntry
{
    QString Name;           ///< entry name as stored on disk (decoded for display and matching)
    QByteArray NativeName;  ///< its bytes on disk, the only safe way to act on the entry;
                            ///< filled for directories (to descend), for every entry with
                            ///< `allNames`
    int Attr = 0;           ///< fa* bits as FindFirst gives them (but see TListDetail::Kinds)
    qint64 Size = 0;        ///< as TSearchRec::Size with TListDetail::Full, else 0
    bool IsSymLink = false; ///< whether the entry is a symbolic link
    bool Spellable = true;  ///< Name can be written in a path (see IsSpellableName)
};

/// How much a directory listing finds out about each entry.
enum class TListDetail {
    /// Directory, file, system and hidden bits and whether the entry is a link: what a walk
    /// needs to descend and to tell files from directories. The type the directory itself
    /// records is used; only links and entries of unknown type are looked at. faReadOnly is
    /// never set and Size is 0.
    Kinds,
    /// As Kinds, but only the entries that are directories and not links: what a walk needs
    /// to descend when it reads the files another way. Entries whose recorded type says
    /// otherwise are passed over unread.
    Directories,
    /// Everything FindFirst reports, sizes and the read-only bit included (but no times).
    Full,
};

/// Reads every entry of the host directory `hostDir` (an absolute host path, no case
/// resolution) except "." and "..", in the order FindFirst returns them. `trustTypes` false
/// ignores the types recorded in the directory and looks at every entry, as on file systems
/// that do not record them. `allNames` fills NativeName for every entry. Returns false, with
/// `entries` empty, when `hostDir` is not a readable directory.
JXT_EXPORT bool ListDirectory(const QByteArray &hostDir, TListDetail detail,
                              std::vector<TDirEntry> &entries, bool trustTypes = true,
                              bool allNames = false);

/// As ListDirectory for the open directory `dirFd` (which stays open and owned by the
/// caller): walkers open each subdirectory relative to its parent, so a name on disk is never
/// parsed as a path and a directory renamed during the walk cannot lead outside the tree.
/// `allNames` fills NativeName for every entry, not only for directories.
bool ListDirectoryAt(int dirFd, TListDetail detail, std::vector<TDirEntry> &entries,
                     bool trustTypes = true, bool allNames = false);

/// The wildcard rules of the search, case-insensitive: "*" is any run of characters, "?" one
/// character other than a dot, or nothing at a dot or at the end of the name; "*" and "*.*"
/// match every name; a pattern ending in ".*" also matches the name without extension
/// ("x.*" matches "x"); a pattern ending in "." matches names without extension ("*." matches
/// names without a dot, "x." matches "x").
JXT_EXPORT bool MatchesFileMask(const QString &name, const QString &pattern);

} // namespace jxt::platform
