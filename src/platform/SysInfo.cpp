// SPDX-License-Identifier: MIT
// /proc parsing for processor load and memory status.
#include "platform/SysInfo.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <sys/resource.h>

#include <limits>
#include <mutex>

namespace jxt::platform {

namespace {

constexpr qint64 kMaxProcFileBytes = 1024 * 1024;
constexpr qint64 kMaxStatLineBytes = 4096;
// The user part of the x86-64 and AArch64 address spaces (47 bits).
constexpr quint64 kUserAddressSpace = quint64(1) << 47;

QByteArray ReadBounded(const QString &path, qint64 limit, bool *ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? file.read(limit) : QByteArray();
}

quint64 KiloBytes(quint64 kb)
{
    const quint64 max = std::numeric_limits<quint64>::max() / 1024;
    return kb > max ? std::numeric_limits<quint64>::max() : kb * 1024;
}

// "Key:   1234 kB" lines; returns false when the key is absent.
bool MemInfoValue(const QList<QByteArray> &lines, const char *key, quint64 &bytes)
{
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : lines) {
        if (!line.startsWith(prefix))
            continue;
        const QList<QByteArray> fields = line.mid(prefix.size()).simplified().split(' ');
        bool ok = false;
        const quint64 value = fields.value(0).toULongLong(&ok);
        if (!ok)
            return false;
        const QByteArray unit = fields.value(1).toLower();
        bytes = unit == "kb" ? KiloBytes(value) : value;
        return true;
    }
    return false;
}

quint64 AddClamped(quint64 a, quint64 b)
{
    return a > std::numeric_limits<quint64>::max() - b ? std::numeric_limits<quint64>::max()
                                                       : a + b;
}

} // namespace

bool GetMemoryStatus(TMemoryStatus &status, const QString &memInfoPath,
                     const QString &processStatusPath)
{
    status = TMemoryStatus();
    bool ok = false;
    const QList<QByteArray> lines = ReadBounded(memInfoPath, kMaxProcFileBytes, &ok).split('\n');
    if (!ok)
        return false;

    quint64 total = 0;
    if (!MemInfoValue(lines, "MemTotal", total) || total == 0)
        return false;
    quint64 available = 0;
    if (!MemInfoValue(lines, "MemAvailable", available)) {
        quint64 free = 0, buffers = 0, cached = 0;
        MemInfoValue(lines, "MemFree", free);
        MemInfoValue(lines, "Buffers", buffers);
        MemInfoValue(lines, "Cached", cached);
        available = AddClamped(AddClamped(free, buffers), cached);
    }
    available = std::min(available, total);
    quint64 swapTotal = 0, swapFree = 0;
    MemInfoValue(lines, "SwapTotal", swapTotal);
    MemInfoValue(lines, "SwapFree", swapFree);
    swapFree = std::min(swapFree, swapTotal);

    status.TotalPhys = total;
    status.AvailPhys = available;
    // Rounded to the nearest percent; (total - available) <= total keeps this in 0..100.
    status.MemoryLoad = int(((long double)(total - available) * 100 + total / 2) / total);
    status.TotalSwap = swapTotal;
    status.AvailSwap = swapFree;
    status.TotalPageFile = AddClamped(total, swapTotal);
    status.AvailPageFile = AddClamped(available, swapFree);

    struct rlimit limit;
    status.TotalVirtual = kUserAddressSpace;
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        status.TotalVirtual = std::min<quint64>(limit.rlim_cur, kUserAddressSpace);
    status.AvailVirtual = status.TotalVirtual;
    bool statusOk = false;
    const QList<QByteArray> processLines =
        ReadBounded(processStatusPath, kMaxProcFileBytes, &statusOk).split('\n');
    quint64 used = 0;
    if (statusOk && MemInfoValue(processLines, "VmSize", used))
        status.AvailVirtual = used >= status.TotalVirtual ? 0 : status.TotalVirtual - used;
    return true;
}

TProcessorLoad::TProcessorLoad(const QString &statPath) : m_statPath(statPath) {}

int TProcessorLoad::Sample()
{
    QFile file(m_statPath);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = file.readLine(kMaxStatLineBytes).simplified();
    // cpu user nice system idle iowait irq softirq steal [guest guest_nice]
    const QList<QByteArray> fields = line.split(' ');
    if (fields.size() < 5 || fields.at(0) != "cpu")
        return -1;
    quint64 values[8] = {};
    const int count = std::min<int>(8, fields.size() - 1);
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        values[i] = fields.at(i + 1).toULongLong(&ok);
        if (!ok)
            return -1;
    }
    // Guest time is already part of user and nice, so only the first eight fields count.
    quint64 total = 0;
    for (quint64 v : values)
        total = AddClamped(total, v);
    const quint64 idle = AddClamped(values[3], values[4]);

    if (total < m_lastTotal || idle < m_lastIdle)
        m_lastTotal = m_lastIdle = 0;
    const quint64 deltaTotal = total - m_lastTotal;
    const quint64 deltaIdle = std::min(idle - m_lastIdle, deltaTotal);
    m_lastTotal = total;
    m_lastIdle = idle;
    if (deltaTotal == 0)
        return m_lastLoad;
    m_lastLoad = int(((long double)(deltaTotal - deltaIdle) * 100 + deltaTotal / 2) / deltaTotal);
    return m_lastLoad;
}

int ProcessorLoad()
{
    static std::mutex lock;
    static TProcessorLoad meter;
    const std::lock_guard<std::mutex> guard(lock);
    return meter.Sample();
}

} // namespace jxt::platform
