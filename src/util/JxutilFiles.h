// SPDX-License-Identifier: MIT
// Jxutil: file and directory helpers. Paths are Windows paths ("C:\dir\file.txt", both slash
// kinds accepted) that the platform layer maps to host paths; a path with a trailing
// backslash is the directory form that jxtCheckPath produces.
#pragma once

#include "base/Export.h"

#include "platform/Find.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>

namespace jxt {

class TObject;
class TStrings;

/// The search record of the find functions (Name, Size, Attr, Time).
using TSearchRec = platform::TSearchRec;

/// A folder a walk could not open or read, so that it is left out of the walk: its path (in
/// the form the walk reports paths, with a trailing backslash) and the system's error number
/// (EACCES for a folder the user may not read, ELOOP or ENOTDIR for one replaced by a link
/// or a file since it was listed, ESTALE for a folder moved away under the walk).
using TScanErrorEvent = std::function<void(TObject *sender, const QString &path, int error)>;

// Path forms

/// The empty string stays empty, as does a path ending in "\" or "/"; otherwise a separator
/// is appended: "/" when the path is written with "/" only ("/tmp/x" -> "/tmp/x/", "C:/x" ->
/// "C:/x/"), else "\" ("C:\x" -> "C:\x\").
JXT_EXPORT QString jxtCheckPath(const QString &path);
/// As jxtCheckPath with "/".
JXT_EXPORT QString jxtCheckUnixPath(const QString &path);
/// The text before the nearest "\" or "/" left of the last character: 'C:\a\b', 'C:\a\b\'
/// and 'C:\a\bb' give 'C:\a', '/tmp/x/' gives '/tmp'; 'C:\a' gives 'C:'. Without such a
/// separator, the empty string.
JXT_EXPORT QString jxtParentDir(const QString &dir);
/// The text between the last separator ("\" or "/") and the one before it
/// ('C:\a\b\file.txt', 'C:\a\b\' and '/tmp/b/file.txt' give 'b'); the empty string with
/// fewer than two separators.
JXT_EXPORT QString jxtDirName(const QString &path);
/// Directory part with its trailing backslash, name before the first "." and the rest from
/// that "." on ('C:\x\a.b.txt' gives 'C:\x\', 'a', '.b.txt'). A name without "." leaves name
/// and ext empty.
JXT_EXPORT void jxtSplitFileName(const QString &fileName, QString &path, QString &name,
                                 QString &ext);
/// The short form of a path (on this platform: the path itself when it exists, else empty;
/// empty too when it is longer than 255 characters).
JXT_EXPORT QString jxtGetShortFileName(const QString &fileName);
/// The path with every component in the spelling stored on disk ('c:\WINDOWS\win.INI' may give
/// 'C:\windows\win.ini'); the input unchanged when a component does not exist.
JXT_EXPORT QString jxtGetLongFileName(const QString &fileName);

// Moving and deleting

/// Renames source to dest; across file systems copies and deletes. True when the file is at
/// dest and gone from source.
JXT_EXPORT bool jxtMoveFile(const QString &source, const QString &dest);
/// Renames a directory; where that fails, moves its files (not its subdirectories) one by one
/// and removes the source when it is empty. Drive roots are never moved.
JXT_EXPORT bool jxtMoveDir(const QString &source, const QString &dest);
/// Deletes a directory tree, showing a message for everything that cannot be deleted. Drive
/// roots are refused. Symbolic links are deleted themselves, never followed.
JXT_EXPORT bool jxtKillPath(const QString &path);

// Volumes

/// The volume label of drive's first letter, upper case; its serial number when it has none.
JXT_EXPORT QString jxtVolumeName(const QString &drive);
/// The network share behind the drive, or jxtVolumeName.
JXT_EXPORT QString jxtNetworkVolumeName(const QString &drive);
/// The serial number as signed decimal text; the upper-case label when the serial is 0.
JXT_EXPORT QString jxtVolumeSerNum(const QString &drive);
/// The serial number as signed decimal text; the upper-case label for a network drive.
JXT_EXPORT QString jxtVolumeSerNum2(const QString &drive);

// Small file queries

/// Modification time (invalid when the file does not exist).
JXT_EXPORT QDateTime jxtFileDateTime(const QString &fileName);
/// True if all bits of attr are set in the file's attributes (false for a missing file).
JXT_EXPORT bool jxtHasAttr(const QString &fileName, std::uint16_t attr);
JXT_EXPORT bool jxtIsDirectory(const TSearchRec &rec);
JXT_EXPORT bool jxtIsFile(const TSearchRec &rec);
JXT_EXPORT bool jxtIsCompressed(const TSearchRec &rec);
/// Size of a file (0 for a directory), or with "*" or "?" the summed size of the matching
/// files; -1 when there is none. (64-bit: files beyond 2 GiB are reported correctly.)
JXT_EXPORT qint64 jxtGetFileSize(const QString &fileName);
/// The first of 'c:…' to 'z:…' that exists as a file (a leading ":" is read as "C:"), else
/// path unchanged.
JXT_EXPORT QString jxtFindDrive(const QString &path);
/// The first CD-ROM drive letter from startDrive to 'Z', or a null character.
JXT_EXPORT QChar jxtFindCDROM(QChar startDrive);

// Searching and counting (depth first, subdirectories before the files of a directory)

/// Whether a file whose upper-case name matches mask (upper case, jxtIsMatch) exists.
JXT_EXPORT bool jxtFilesExists(const QString &path, const QString &mask, bool recursive);
/// Clears list, then adds the full path of every matching file.
JXT_EXPORT void jxtGetFiles(TStrings *list, const QString &path, const QString &mask,
                            bool recursive);
/// Number of matching files; the mask "*.*" counts every file.
JXT_EXPORT int jxtFileCount(const QString &path, const QString &mask, bool recursive);
/// As jxtFileCount; with minKB other than 0 only files of at least minKB (size div 1000).
JXT_EXPORT int jxtFileCount2(const QString &path, const QString &mask, bool recursive, int minKB);
/// As jxtFileCount; with minKB or maxKB other than 0 only files with minKB <= size div 1000
/// <= maxKB.
JXT_EXPORT int jxtFileCount3(const QString &path, const QString &mask, bool recursive, int minKB,
                             int maxKB);

// Names and contents

/// The next name of a numbered series: 'C:\pic\bild007.bmp' gives 'C:\pic\bild008.bmp',
/// 'a9.txt' gives 'a10.txt'. Throws EConvertError when the digits are not one run.
JXT_EXPORT QString jxtGetNextFileName(const QString &fileName);
/// Decompresses an SZDD-compressed file (a file that is not compressed is copied) and returns
/// the bytes written. Throws EInOutError when source cannot be opened or dest not created,
/// Exception("Error using LZCopy") when the data is damaged.
JXT_EXPORT int jxtLZCopyFile(const QString &source, const QString &dest);
/// Position (from 1) of text within the 2048-byte block of the file where it is first found
/// (zero bytes read as byte 1), or 0.
JXT_EXPORT int jxtFindFileString(const QString &fileName, const QString &text);
/// A small fingerprint: B1 + B2 - B3 of the three bytes at the middle of the file, as text;
/// the empty string on any error.
JXT_EXPORT QString jxtGetFileString(const QString &fileName);
/// The path with directories after the third backslash replaced by "...\" until it is at
/// most maxLen characters long (the head and the file name always stay).
JXT_EXPORT QString jxtZeigeGekuerztenPfad(const QString &path, int maxLen);
/// '1.2.3.4' gives '0001000200030004' (also with ","); empty when a field is not a number.
JXT_EXPORT QString jxtGetHexFileVersion(const QString &version);

// Standard directories (each with a trailing backslash)

JXT_EXPORT QString jxtAppDir();
JXT_EXPORT QString jxtWinDir();
JXT_EXPORT QString jxtSysDir();
JXT_EXPORT QString jxtTMPDir();

} // namespace jxt
