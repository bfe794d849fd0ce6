// SPDX-License-Identifier: MIT
// What the search and the file operations need to know about one host file: its attribute
// bits, size and time, read with lstat/stat.
#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

namespace jxt::platform {

struct THostEntry
{
    bool Exists = false;
    int Attr = 0;
    qint64 Size = 0;
    QDateTime Time;
    bool IsSymLink = false;
    bool Dangling = false; ///< a link whose target does not exist
};

/// Reads the entry at `hostPath` (an absolute host path). `name` decides the hidden bit (a
/// leading dot; "." and ".." are not hidden). Links are followed for everything but
/// IsSymLink; a dangling link is a plain file of size 0 with the link's own time.
THostEntry StatHostEntry(const QString &hostPath, const QString &name);

/// The calling process's user and groups, read once for many write-permission checks (a
/// whole directory) instead of once per file.
class THostIdentity
{
public:
    THostIdentity();
    /// As HostModeWritable, for this identity.
    bool Writable(unsigned mode, unsigned uid, unsigned gid) const;

private:
    unsigned m_uid;
    mutable bool m_groupsRead = false; // the groups are read when a file first needs them
    mutable unsigned m_gid = 0;
    mutable std::vector<unsigned> m_groups;
};

/// As StatHostEntry for the entry `nativeName` (the name's bytes on disk) of the open
/// directory `dirFd`; saves the path lookup when a whole directory is read. `withTime` false
/// leaves Time null (converting it to local time is the costliest part for a listing that
/// does not need it).
THostEntry StatHostEntryAt(int dirFd, const char *nativeName, const QString &name,
                           const THostIdentity &identity, bool withTime = true);

/// Reads the time zone settings again (the TZ variable, the zone file). Times of entries are
/// local times with the offset from UTC that applied at that instant (Qt::OffsetFromUTC);
/// a listing calls this once, not once per entry.
void RefreshTimeZone();

/// Whether `name` gives the hidden bit: a leading dot, except for "." and "..".
bool IsHiddenName(const QString &name);

/// Whether the permission bits let the calling process write the file: the owner, group or
/// other write bit that applies to us (for the superuser, any write bit).
bool HostModeWritable(unsigned mode, unsigned uid, unsigned gid);

} // namespace jxt::platform
