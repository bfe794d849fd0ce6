// SPDX-License-Identifier: MIT
// The folders of a recursive walk, held open by descriptor.
//
// A walk reaches every folder from the open folder above it, by the name on disk and never
// through a link (openat with O_NOFOLLOW), so no name and no rename during the walk can lead
// it outside the tree. Holding one descriptor per level would end a deep tree at the limit of
// open files, so a walk deeper than kOpenLevels parks the folders above: it closes them and,
// coming back up, opens each again as ".." of the folder below, checked by device and inode.
// A folder that was moved away meanwhile is then another folder; Resume says so (ESTALE)
// and the walk leaves the rest of that folder out.
#pragma once

#include <QByteArray>

#include <sys/types.h>

namespace jxt::platform {

class TWalkDir
{
public:
    /// Below this many levels every folder of a walk stays open.
    static constexpr int kOpenLevels = 32;

    TWalkDir() = default;
    ~TWalkDir();
    TWalkDir(TWalkDir &&other) noexcept;
    TWalkDir &operator=(TWalkDir &&other) noexcept;
    TWalkDir(const TWalkDir &) = delete;
    TWalkDir &operator=(const TWalkDir &) = delete;

    /// Opens the folder at a host path where a walk starts (links in the path are followed:
    /// a caller may name a folder through a link).
    static TWalkDir OpenPath(const QByteArray &hostPath);
    /// Opens the subfolder `name` of this folder, never through a link: a link, or a file
    /// swapped in for the folder, fails (ELOOP, ENOTDIR).
    TWalkDir OpenChild(const QByteArray &name) const { return OpenAt(m_fd, name); }
    /// The same for the entry `name` of any open folder.
    static TWalkDir OpenAt(int parentFd, const QByteArray &name);

    bool IsOpen() const { return m_fd >= 0; }
    /// The descriptor while open, else -1.
    int Fd() const { return m_fd; }
    /// errno of the failed open or resume, else 0.
    int Error() const { return m_error; }

    /// Closes the descriptor while the walk is below; the folder's identity is kept.
    void Park();
    /// Opens a parked folder again as ".." of `child` (open, and one of this folder's
    /// subfolders when it was opened). False (Error() ESTALE) when that is no longer this
    /// folder.
    bool Resume(const TWalkDir &child);
    /// Parks this folder when a walk at `depth` (0 at its start) goes down into a subfolder
    /// and is deep enough for it.
    void ParkAtDepth(int depth)
    {
        if (depth >= kOpenLevels)
            Park();
    }
    /// After the walk came back up from `child`: the folder is open again (resumed if it was
    /// parked), or false.
    bool Reopen(const TWalkDir &child) { return IsOpen() || Resume(child); }

private:
    bool Identify();
    void Close();

    int m_fd = -1;
    int m_error = 0;
    dev_t m_dev = 0;
    ino_t m_ino = 0;
};

} // namespace jxt::platform
