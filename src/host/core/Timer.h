// SPDX-License-Identifier: MIT
// TTimer: calls OnTimer every Interval milliseconds on the user-interface thread while
// Enabled; an interval of 0 never fires. TManualTimerClock replaces real time for every timer
// while it exists, so tests run timer-driven behaviour step by step without waiting.
#pragma once

#include "base/Export.h"

#include "host/core/Component.h"

class QTimer;

namespace jxt {

/// Calls OnTimer every Interval milliseconds while Enabled, on the user-interface thread.
class JXT_EXPORT TTimer : public TComponent
{
    Q_OBJECT

public:
    explicit TTimer(TComponent *owner = nullptr);
    ~TTimer() override;

    /// Whether the timer runs; default true.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    /// Milliseconds between calls; default 1000.
    int Interval() const { return m_interval; }
    /// Milliseconds between calls; 0 (or less) stops the timer.
    void SetInterval(int ms);
    /// Whether the timer is really counting (enabled and a positive interval).
    bool Active() const;
    /// Runs the handler once now, as a tick does.
    void Tick();
    /// Milliseconds on the clock that timers count: the manual clock's while one exists,
    /// else a monotonic clock. Only differences between two readings mean anything.
    static qint64 ClockMs();

    /// The timer ticked.
    TNotifyEvent OnTimer;

private:
    friend class TManualTimerClock;
    void UpdateTimer();
    QTimer *m_timer;
    bool m_enabled = true;
    int m_interval = 1000;
    /// The manual clock's time of the next tick; -1 when not counting on it.
    qint64 m_due = -1;
};

/// A clock that drives every TTimer in place of real time while it exists (one at a time):
/// timers count its milliseconds, and Advance runs the ticks that fall due. Timers that are
/// counting when it is created start a new period on it; when it goes, they go back to real
/// time, again with a new period.
class JXT_EXPORT TManualTimerClock
{
public:
    TManualTimerClock();
    ~TManualTimerClock();
    TManualTimerClock(const TManualTimerClock &) = delete;
    TManualTimerClock &operator=(const TManualTimerClock &) = delete;

    /// Moves the clock on by ms, running every tick that falls due on the way in time order
    /// (ticks due at the same moment in the order the timers were created). A handler may
    /// change or free timers; a timer changed in its handler counts its new period from the
    /// moment of that tick.
    void Advance(int ms);
    /// Milliseconds since the clock was created.
    qint64 Now() const { return m_now; }

private:
    qint64 m_now = 0;
};

} // namespace jxt
