// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "event.h"

#include <QtGlobal>

namespace forms
{

class TimerClock;

// An interval timer: while enabled with a non-zero interval, raises Timer once per interval on
// an absolute schedule (each deadline is the last one plus the interval), so ticks keep the beat
// however late one of them ran. An interval of 0 never ticks.
class IntervalTimer
{
public:
    explicit IntervalTimer(TimerClock &clock) : m_clock(clock) {}
    ~IntervalTimer();
    IntervalTimer(const IntervalTimer &) = delete;
    IntervalTimer &operator=(const IntervalTimer &) = delete;

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    qint32 Interval() const { return m_interval; }
    // 0..65535 ms; any other value throws InvalidPropertyValue and keeps the interval. A new
    // interval on a running timer restarts the wait in progress from now; the same interval
    // leaves the schedule alone.
    void setInterval(qint32 ms);

    Event Timer;

    // Called by the clock when the deadline is reached.
    void elapse();

private:
    void armFromNow();

    TimerClock &m_clock;
    bool m_enabled = false;
    qint32 m_interval = 0;
    qint64 m_deadlineNs = 0;
};

} // namespace forms
