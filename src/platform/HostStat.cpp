// SPDX-License-Identifier: MIT
// Attribute mapping from POSIX file status.
#include "platform/HostStat.h"

#include "platform/Find.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <vector>

namespace jxt::platform {

namespace {

/// Counts the readings of the time zone: the offsets remembered below hold for one reading.
std::atomic<unsigned> g_zoneReading{0};

bool ZoneOffset(time_t seconds, long &offset)
{
    struct tm parts;
    if (!::localtime_r(&seconds, &parts))
        return false;
    offset = parts.tm_gmtoff;
    return true;
}

/// The offset from UTC that applies at the instant `seconds`. localtime_r takes a lock and
/// works through the zone's rules for every call, which for a listing of thousands of files
/// costs as much as the stat of each. The offset changes a few times a year, so each quarter
/// hour whose first and last second have the same offset is remembered as a whole (a zone
/// never changes its offset twice within one); a quarter hour with a change in it is looked
/// up second by second.
bool UtcOffset(time_t seconds, long &offset)
{
    constexpr time_t kPiece = 900;
    constexpr time_t kReach = time_t(1) << 40; // far beyond any file time; no overflow below
    constexpr std::size_t kSlots = 64;
    struct TCache
    {
        unsigned reading = ~0u;
        time_t piece[kSlots];
        long offset[kSlots];
        bool known[kSlots];
    };
    thread_local TCache cache;
    if (seconds < -kReach || seconds > kReach)
        return ZoneOffset(seconds, offset);
    const unsigned reading = g_zoneReading.load(std::memory_order_relaxed);
    if (cache.reading != reading) {
        std::fill(std::begin(cache.known), std::end(cache.known), false);
        cache.reading = reading;
    }
    const time_t piece = seconds >= 0 ? seconds / kPiece : (seconds - (kPiece - 1)) / kPiece;
    const std::size_t slot = std::size_t(piece) % kSlots;
    if (cache.known[slot] && cache.piece[slot] == piece) {
        offset = cache.offset[slot];
        return true;
    }
    long first = 0;
    long last = 0;
    if (!ZoneOffset(piece * kPiece, first) || !ZoneOffset(piece * kPiece + kPiece - 1, last) ||
        first != last)
        return ZoneOffset(seconds, offset);
    cache.piece[slot] = piece;
    cache.offset[slot] = first;
    cache.known[slot] = true;
    offset = first;
    return true;
}

// Local time, as the offset from UTC that applies at that instant. QDateTime's own local-time
// conversion reads the time zone again for every value (a stat of the zone file each time),
// which for a listing of thousands of files costs as much as the listing itself; the zone is
// read once per call instead (RefreshTimeZone) and each value's offset found as above.
QDateTime ModificationTime(const struct stat &st)
{
    const time_t seconds = st.st_mtim.tv_sec;
    const qint64 ms = qint64(seconds) * 1000 + st.st_mtim.tv_nsec / 1000000;
    long offset = 0;
    if (!UtcOffset(seconds, offset))
        return QDateTime::fromMSecsSinceEpoch(ms);
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, int(offset));
}

} // namespace

THostIdentity::THostIdentity() : m_uid(::geteuid()) {}

bool THostIdentity::Writable(unsigned mode, unsigned uid, unsigned gid) const
{
    if (m_uid == 0)
        return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    if (uid == m_uid)
        return (mode & S_IWUSR) != 0;
    if (!m_groupsRead) {
        m_groupsRead = true;
        m_gid = ::getegid();
        const int count = ::getgroups(0, nullptr);
        if (count > 0) {
            std::vector<gid_t> groups(static_cast<size_t>(count));
            const int got = ::getgroups(count, groups.data());
            for (int i = 0; i < got; ++i)
                m_groups.push_back(groups[static_cast<size_t>(i)]);
        }
    }
    const bool ours =
        gid == m_gid || std::find(m_groups.begin(), m_groups.end(), gid) != m_groups.end();
    if (ours)
        return (mode & S_IWGRP) != 0;
    return (mode & S_IWOTH) != 0;
}

bool HostModeWritable(unsigned mode, unsigned uid, unsigned gid)
{
    return THostIdentity().Writable(mode, uid, gid);
}

bool IsHiddenName(const QString &name)
{
    return name.startsWith(QLatin1Char('.')) && name != QLatin1String(".") &&
           name != QLatin1String("..");
}

namespace {

// The entry from its lstat result `st` and, for a link, `follow` that stats the target.
template <typename Follow>
THostEntry EntryFromStat(struct stat st, const QString &name, const THostIdentity &identity,
                         bool withTime, Follow follow)
{
    THostEntry entry;
    entry.Exists = true;
    if (S_ISLNK(st.st_mode)) {
        entry.IsSymLink = true;
        struct stat target;
        if (follow(target)) {
            st = target;
        } else {
            // A dangling link: a plain, empty file.
            entry.Dangling = true;
            entry.Attr = faArchive;
            if (withTime)
                entry.Time = ModificationTime(st);
            if (name.startsWith(QLatin1Char('.')))
                entry.Attr |= faHidden;
            return entry;
        }
    }

    if (S_ISDIR(st.st_mode)) {
        entry.Attr = faDirectory;
    } else if (S_ISREG(st.st_mode)) {
        entry.Attr = faArchive;
        entry.Size = st.st_size;
        if (!identity.Writable(st.st_mode, st.st_uid, st.st_gid))
            entry.Attr |= faReadOnly;
    } else {
        entry.Attr = faSysFile;
    }
    if (IsHiddenName(name))
        entry.Attr |= faHidden;
    if (withTime)
        entry.Time = ModificationTime(st);
    return entry;
}

} // namespace

void RefreshTimeZone()
{
    ::tzset();
    g_zoneReading.fetch_add(1, std::memory_order_relaxed);
}

THostEntry StatHostEntry(const QString &hostPath, const QString &name)
{
    RefreshTimeZone();
    const QByteArray native = QFile::encodeName(hostPath);
    struct stat st;
    if (::lstat(native.constData(), &st) != 0)
        return {};
    return EntryFromStat(st, name, THostIdentity(), true, [&](struct stat &target) {
        return ::stat(native.constData(), &target) == 0;
    });
}

THostEntry StatHostEntryAt(int dirFd, const char *nativeName, const QString &name,
                           const THostIdentity &identity, bool withTime)
{
    struct stat st;
    if (::fstatat(dirFd, nativeName, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return {};
    return EntryFromStat(st, name, identity, withTime, [&](struct stat &target) {
        return ::fstatat(dirFd, nativeName, &target, 0) == 0;
    });
}

} // namespace jxt::platform
