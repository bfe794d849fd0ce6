// SPDX-License-Identifier: MIT
// Copying and moving files so that no reader ever sees a half-written file under its final
// name, and the building block for that: a file written under a temporary name and put in
// place only when it is complete.
//
// The rules every copy and move of this library follows:
// * The new content is written to a temporary file in the destination's folder (a hidden
//   name starting with ".~"), every write and the close are checked, and only then is it
//   renamed to the final name. A move also flushes the data to the disk (fsync) before that
//   rename, and the folder after it, because the source is deleted right after it.
// * On any failure or cancel the temporary file is removed and an existing destination is
//   left exactly as it was. A process killed half-way can leave the hidden temporary file
//   behind, never a fragment under the final name.
// * A move deletes its source only after the destination is complete, and only while the
//   source's name still holds the very file that was copied: device, inode and change time
//   are checked, in the source's open folder, before the copy is renamed into place and
//   again before the source is deleted. A source replaced (an editor saving over it by a
//   rename) or changed during the copy is kept, and the move fails (SourceChanged). When the
//   source cannot be deleted, a destination the move created is removed again.
// * "The same file" is decided by device and inode, after following links: copying or moving
//   a file onto itself, through any spelling, hard link or symbolic link, changes nothing and
//   reports TTransferStatus::SameFile.
// * Only regular files are copied: FIFOs, sockets and devices are never opened (a FIFO would
//   block the copy for ever), so they give SourceNotRegular. A move by rename handles any
//   kind of entry; across file systems it handles regular files and symbolic links (the link
//   is recreated, never its target copied).
// * Names are used as given: the *At forms act on an entry of an open directory, so a name
//   holding "..", a backslash or bytes that are not UTF-8 is only ever that entry.
#pragma once

#include "base/Export.h"

#include <QByteArray>
#include <QString>

#include <functional>

#include <sys/stat.h>
#include <sys/types.h>

namespace jxt::platform {

/// New content for a file, written under a temporary name beside it and renamed into place
/// by Commit. Destroying the object without a successful Commit removes the temporary file.
class JXT_EXPORT TAtomicFile
{
public:
    TAtomicFile() = default;
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile &) = delete;
    TAtomicFile &operator=(const TAtomicFile &) = delete;

    /// Creates the temporary file for the entry `name` of the open directory `dirFd` (the
    /// descriptor is duplicated; the caller keeps its own), with permission bits `mode`
    /// (before the umask). False when the folder refuses the file.
    bool OpenAt(int dirFd, const QByteArray &name, mode_t mode = 0666);
    /// The same for a host path.
    bool Open(const QString &hostPath, mode_t mode = 0666);

    /// The descriptor of the temporary file (for fchmod, fchown, futimens), or -1.
    int Handle() const { return m_fd; }
    /// Writes all bytes; false (and the object failed) on any error, a full disk included.
    bool Write(const char *data, qint64 size);
    bool Write(const QByteArray &data) { return Write(data.constData(), data.size()); }

    /// Flushes the data to the disk when `sync`, closes the file (checked) and renames it to
    /// the final name. With `replace` false an existing entry of that name is never replaced
    /// (the commit fails with errno EEXIST). On failure the temporary file is removed.
    bool Commit(bool replace, bool sync);
    /// Removes the temporary file; the final name is not touched.
    void Discard();

    /// Gives the new file the permission bits (without set-user-ID and set-group-ID), owner
    /// and group of the file `old` (its status) that it is to replace, as far as the process
    /// may set them: an ordinary user cannot give a file away, so it keeps its own owner and,
    /// where that is refused too, its own group.
    void TakeOverAttributes(const struct stat &old);

    /// errno of the first failure, or 0.
    int Error() const { return m_error; }

private:
    bool Fail(int error);

    int m_dirFd = -1;
    int m_fd = -1;
    QByteArray m_name;
    QByteArray m_tempName;
    int m_error = 0;
};

/// What a copy or move did.
enum class TTransferStatus {
    Done,               ///< the destination holds the source's content (a move: source gone)
    SameFile,           ///< source and destination are one file: nothing was changed
    SourceMissing,      ///< the source does not exist (or its folder does not)
    SourceNotRegular,   ///< a directory, FIFO, socket or device where a file must be copied
    SourceUnreadable,   ///< the source cannot be opened or a read failed
    DestExists,         ///< the destination exists and replacing was not asked for
    DestNotReplaceable, ///< the destination is a directory, or read-only
    WriteFailed,        ///< the destination folder refused the file, a write or the close
                        ///< failed (a full disk), or the rename failed
    SourceNotRemoved,   ///< a move copied the file but could not delete the source
    SourceChanged,      ///< a move copied the file, but the source's name no longer held the
                        ///< file copied (replaced or written meanwhile): both were kept
    Cancelled,          ///< the progress callback asked to stop
};

enum class TTransferMode { Copy, Move };

struct TTransferOptions
{
    TTransferMode Mode = TTransferMode::Copy;
    /// Replace an existing destination (atomically, by the final rename).
    bool Replace = false;
    /// Replace a destination even when it is read-only (only with Replace).
    bool ReplaceReadOnly = false;
    /// Flush a copy to the disk before it is renamed into place (moves always do).
    bool Sync = false;
    /// Called after every block of a data copy with the bytes copied so far and the source's
    /// size; returning false cancels (the temporary file is removed, nothing else changes).
    /// Not called when a move is a plain rename.
    std::function<bool(qint64 done, qint64 total)> Progress;
};

/// Copies or moves the entry `srcName` of the open directory `srcDirFd` to the entry
/// `dstName` of `dstDirFd` by the rules at the top of this file. A copy gets the source's
/// permission bits (without set-user-ID and set-group-ID) and times. A move is a rename where
/// the file system allows it, and a copy, flush and delete across file systems.
JXT_EXPORT TTransferStatus TransferFileAt(int srcDirFd, const QByteArray &srcName, int dstDirFd,
                                          const QByteArray &dstName,
                                          const TTransferOptions &options);

/// The same for two paths (Windows or host paths, see Paths.h).
JXT_EXPORT TTransferStatus TransferFile(const QString &source, const QString &dest,
                                        const TTransferOptions &options);

/// Opens the folder that holds the host path `hostPath` and splits off the entry's name.
/// Returns the descriptor (the caller closes it) or -1 when the folder cannot be opened or
/// the path has no name part.
JXT_EXPORT int OpenParentDirectory(const QString &hostPath, QByteArray *name);

/// Where a write to the entry `name` of the open directory `dirFd` lands: a symbolic link to
/// a regular file (through any chain of links) is written through, so that the file it ends
/// in is replaced and the link stays, as a program writing through the link would; any other
/// entry (a missing one, a dangling link) is itself the target. Returns a new descriptor of
/// the folder that holds the target (the caller closes it) and the target's name there, or
/// -1 with errno set.
JXT_EXPORT int OpenWriteTarget(int dirFd, const QByteArray &name, QByteArray *targetName);

/// Writes `bytes` as the whole new content of a file (Windows or host path) by the rules at
/// the top of this file: under a temporary name beside it, every write checked, renamed into
/// place when complete (after a flush to the disk when `sync`). A file that is replaced
/// keeps its permission bits, owner and group (TakeOverAttributes); a link to a file is
/// written through (OpenWriteTarget). A directory, FIFO, socket or device of that name is
/// never replaced, nor is a read-only file. Returns 0, or the errno of the failure with the old
/// file left as it was.
JXT_EXPORT int WriteFileAtomically(const QString &fileName, const QByteArray &bytes,
                                   bool sync = false);

/// Whether the bytes `name` read from a directory can be written as a path of this system
/// and read back as the same entry: valid UTF-8 (so it survives the trip through text) and
/// free of backslashes and slashes (which would split it). Entries failing this are left out
/// of every result that reports paths.
JXT_EXPORT bool IsSpellableName(const char *name);

} // namespace jxt::platform
