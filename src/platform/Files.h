// SPDX-License-Identifier: MIT
// File and directory operations with the rules of Windows (read-only files refuse
// deletion, moves refuse an existing destination) on Windows or host paths.
#pragma once

#include <QDateTime>
#include <QString>

namespace jxt::platform {

/// Attributes of a file or directory (fa* bits of Find.h), or -1 when it does not exist.
/// Symbolic links are followed; a dangling link reads as a plain file.
int FileGetAttr(const QString &fileName);

/// Sets the read-only state from `attr`: with faReadOnly every write permission is removed,
/// without it the owner gets write permission back (so attr 0 makes a file writable). Other
/// bits cannot be represented on the host and are ignored, and so is faReadOnly for
/// directories. Returns 0, or 2 when the file does not exist, 5 when permission is denied.
int FileSetAttr(const QString &fileName, int attr);

/// True if the name is an existing file (not a directory); links are followed.
bool FileExists(const QString &fileName);
/// True if the name is an existing directory; links are followed.
bool DirectoryExists(const QString &dirName);
/// True if the name itself is a symbolic link (dangling or not).
bool IsSymLink(const QString &fileName);

/// Size of a file in bytes, or -1 when it does not exist or is a directory.
qint64 FileSize(const QString &fileName);
/// Modification time (local), or an invalid QDateTime when the file does not exist.
QDateTime FileAge(const QString &fileName);
/// Sets the modification time; false on failure.
bool FileSetDate(const QString &fileName, const QDateTime &time);

/// Creates a directory; its parent must exist.
bool CreateDir(const QString &dirName);
/// Creates a directory and all missing parents. True when the directory exists afterwards.
bool ForceDirectories(const QString &dirName);
/// Removes an empty directory. A symbolic link is never removed this way.
bool RemoveDir(const QString &dirName);

/// Deletes a file. Fails for directories and for read-only files (clear the attribute first);
/// a symbolic link is deleted itself, never its target.
bool DeleteFile(const QString &fileName);

/// Moves or renames a file or directory. Fails when the destination exists (also when it is
/// the source itself under another name or a link to it; a change of case only is a rename).
/// A file (or link) moves to another file system by copy and delete, following the rules of
/// Transfer.h: the copy is complete and on disk before the source is deleted. A directory
/// cannot move to another file system.
bool MoveFile(const QString &source, const QString &dest);
/// The same as MoveFile.
bool RenameFile(const QString &oldName, const QString &newName);

/// Copies a regular file's content, permissions and modification time by the rules of
/// Transfer.h (no partial file under the final name, the old destination intact on failure).
/// With `failIfExists` an existing destination is an error; otherwise it is replaced unless
/// it is read-only, a directory, or the source itself (through any name or link).
bool CopyFile(const QString &source, const QString &dest, bool failIfExists);

} // namespace jxt::platform
