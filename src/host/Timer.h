// SPDX-License-Identifier: MIT
// TTimer: calls OnTimer every Interval milliseconds on the user-interface thread while
// Enabled; an interval of 0 never fires.
#pragma once

#include "host/Component.h"

class QTimer;

namespace jxt {

class TTimer : public TComponent
{
    Q_OBJECT

public:
    explicit TTimer(TComponent *owner = nullptr);
    ~TTimer() override;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    int Interval() const { return m_interval; }
    /// Milliseconds between calls; 0 (or less) stops the timer.
    void SetInterval(int ms);
    /// Whether the timer is really counting (enabled and a positive interval).
    bool Active() const;
    /// Runs the handler once now, as a tick does.
    void Tick();

    TNotifyEvent OnTimer;

private:
    void UpdateTimer();
    QTimer *m_timer;
    bool m_enabled = true;
    int m_interval = 1000;
};

} // namespace jxt
