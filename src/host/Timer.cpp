// SPDX-License-Identifier: MIT
#include "host/Timer.h"

#include <QTimer>

namespace jxt {

TTimer::TTimer(TComponent *owner)
    : TComponent(owner), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, [this] { Tick(); });
    UpdateTimer();
}

TTimer::~TTimer()
{
    m_timer->stop();
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
    return m_timer->isActive();
}

void TTimer::Tick()
{
    if (OnTimer)
        OnTimer(this);
}

void TTimer::UpdateTimer()
{
    if (m_enabled && m_interval > 0) {
        // Restarting on every change keeps the phase as Windows timers do, where
        // changing the interval or re-enabling starts a new period.
        m_timer->start(m_interval);
    } else {
        m_timer->stop();
    }
}

} // namespace jxt
