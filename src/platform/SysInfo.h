// SPDX-License-Identifier: MIT
// Processor load and memory status of the host, read from /proc.
#pragma once

#include "base/Export.h"

#include <QString>

namespace jxt::platform {

/// The memory figures of the Windows memory status query, in bytes.
struct JXT_EXPORT TMemoryStatus
{
    int MemoryLoad = 0;        ///< percent of physical memory in use, 0..100
    quint64 TotalPhys = 0;     ///< MemTotal
    quint64 AvailPhys = 0;     ///< MemAvailable (MemFree + Buffers + Cached on old kernels)
    quint64 TotalPageFile = 0; ///< what may be committed: physical memory plus swap
    quint64 AvailPageFile = 0; ///< available physical memory plus free swap
    quint64 TotalSwap = 0;     ///< SwapTotal
    quint64 AvailSwap = 0;     ///< SwapFree
    quint64 TotalVirtual = 0;  ///< the process's address-space limit (or the user space size)
    quint64 AvailVirtual = 0;  ///< TotalVirtual less the process's VmSize
};

/// Fills `status` from a meminfo file and the process status file (for VmSize). False when
/// the meminfo file cannot be read or has no usable MemTotal; a missing status file leaves
/// AvailVirtual equal to TotalVirtual. Only the first MiB of each file is read.
JXT_EXPORT bool
GetMemoryStatus(TMemoryStatus &status, const QString &memInfoPath = QStringLiteral("/proc/meminfo"),
                const QString &processStatusPath = QStringLiteral("/proc/self/status"));

/// Processor load in percent between two samples of the "cpu" line of /proc/stat.
class JXT_EXPORT TProcessorLoad
{
public:
    /// A meter reading statPath (the kernel's /proc/stat, or a file of its form in tests).
    explicit TProcessorLoad(const QString &statPath = QStringLiteral("/proc/stat"));

    /// The load in percent (0..100) since the previous call. The first call measures since the
    /// counters started (boot time for the real file). When no time has passed the previous
    /// value is returned; when the counters went backwards the current ones count as a new
    /// start. -1 when the file cannot be read or has no "cpu" line.
    int Sample();

private:
    QString m_statPath;
    quint64 m_lastTotal = 0;
    quint64 m_lastIdle = 0;
    int m_lastLoad = 0;
};

/// The load of all processors since the previous call of this function (process-wide meter;
/// call it regularly, e.g. once a second, as a load display does). Thread-safe.
JXT_EXPORT int ProcessorLoad();

} // namespace jxt::platform
