// SPDX-License-Identifier: MIT
#include "host/core/Timer.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace jxt {

namespace {

// Every living timer in creation order, and the manual clock if one exists. Timers live on
// the user-interface thread only, so no lock is needed.
std::vector<TTimer *> &AllTimers()
{
    static std::vector<TTimer *> timers;
    return timers;
}
TManualTimerClock *g_clock = nullptr;

} // namespace

TTimer::TTimer(TComponent *owner) : TComponent(owner), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, [this] { Tick(); });
    AllTimers().push_back(this);
    UpdateTimer();
}

TTimer::~TTimer()
{
    m_timer->stop();
    auto &timers = AllTimers();
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void TTimer::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(int ms)
{
    m_interval = ms < 0 ? 0 : ms;
    UpdateTimer();
}

bool TTimer::Active() const
{
    return g_clock ? m_due >= 0 : m_timer->isActive();
}

void TTimer::Tick()
{
    // The handler is copied first: it may free the timer (or the component that owns it),
    // which destroys OnTimer while it runs.
    if (OnTimer) {
        const TNotifyEvent handler = OnTimer;
        handler(this);
    }
}

qint64 TTimer::ClockMs()
{
    if (g_clock)
        return g_clock->Now();
    static QElapsedTimer monotonic;
    if (!monotonic.isValid())
        monotonic.start();
    return monotonic.elapsed();
}

void TTimer::UpdateTimer()
{
    const bool counting = m_enabled && m_interval > 0;
    if (g_clock) {
        m_timer->stop();
        m_due = counting ? g_clock->Now() + m_interval : -1;
        return;
    }
    m_due = -1;
    if (counting) {
        // Restarting on every change keeps the phase as Windows timers do, where
        // changing the interval or re-enabling starts a new period.
        m_timer->start(m_interval);
    } else {
        m_timer->stop();
    }
}

// TManualTimerClock

TManualTimerClock::TManualTimerClock()
{
    Q_ASSERT(!g_clock);
    g_clock = this;
    for (TTimer *timer : AllTimers())
        timer->UpdateTimer();
}

TManualTimerClock::~TManualTimerClock()
{
    g_clock = nullptr;
    for (TTimer *timer : AllTimers())
        timer->UpdateTimer();
}

void TManualTimerClock::Advance(int ms)
{
    const qint64 end = m_now + std::max(0, ms);
    for (;;) {
        // The list is searched afresh after every tick: a handler may start, stop, create or
        // free timers.
        TTimer *next = nullptr;
        for (TTimer *timer : AllTimers()) {
            if (timer->m_due >= 0 && timer->m_due <= end && (!next || timer->m_due < next->m_due))
                next = timer;
        }
        if (!next)
            break;
        m_now = next->m_due;
        next->m_due += next->m_interval;
        next->Tick();
    }
    m_now = end;
}

} // namespace jxt
