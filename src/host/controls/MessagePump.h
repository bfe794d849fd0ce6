// SPDX-License-Identifier: MIT
// TMessagePump: keeps the user interface alive during long work on its thread without paying
// for an event round after every single step.
#pragma once

#include "host/controls/Forms.h"

#include <QElapsedTimer>

namespace jxt {

/// Run() processes the pending messages when at least the interval has passed since it last
/// did (or since the pump was made). A loop calls it after every step: a walk over 100,000
/// entries then costs a few hundred event rounds instead of 100,000, and the interface still
/// answers within the interval.
class TMessagePump
{
public:
    /// A pump that processes messages at most every intervalMs milliseconds.
    explicit TMessagePump(int intervalMs = 10) : m_intervalMs(intervalMs) { m_clock.start(); }
    /// Processes the pending messages when the interval has passed.
    void Run()
    {
        if (m_clock.elapsed() >= m_intervalMs) {
            Application()->ProcessMessages();
            m_clock.restart();
        }
    }

private:
    int m_intervalMs;
    QElapsedTimer m_clock;
};

} // namespace jxt
