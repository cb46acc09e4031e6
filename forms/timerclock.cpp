// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timerclock.h"

#include "intervaltimer.h"

#include <chrono>
#include <QTimer>

namespace forms
{

SteadyTimerClock::SteadyTimerClock()
{
    m_elapsed.start();
}

SteadyTimerClock::~SteadyTimerClock() = default;

qint64 SteadyTimerClock::nowNs() const
{
    return m_elapsed.nsecsElapsed();
}

void SteadyTimerClock::arm(IntervalTimer &timer, qint64 deadlineNs)
{
    Armed &armed = m_timers[&timer];
    if (!armed.qtimer) {
        armed.qtimer = new QTimer(this);
        armed.qtimer->setSingleShot(true);
        armed.qtimer->setTimerType(Qt::PreciseTimer);
        QObject::connect(armed.qtimer, &QTimer::timeout, this, [this, &timer] { timeout(timer); });
    }
    armed.deadlineNs = deadlineNs;
    wait(armed);
}

void SteadyTimerClock::wait(Armed &armed)
{
    // Qt waits in whole milliseconds and may round each wait up once more: wake a millisecond
    // early and let the event loop run out the rest, so that the tick comes on its deadline
    // rather than up to two milliseconds after it.
    const qint64 waitNs = armed.deadlineNs - nowNs();
    armed.qtimer->start(std::chrono::milliseconds(std::max<qint64>(0, waitNs / 1000000 - 1)));
}

void SteadyTimerClock::timeout(IntervalTimer &timer)
{
    auto found = m_timers.find(&timer);
    if (found == m_timers.end())
        return;
    if (nowNs() < found->second.deadlineNs) {
        found->second.qtimer->start(0);
        return;
    }
    timer.elapse();
}

void SteadyTimerClock::disarm(IntervalTimer &timer)
{
    // Only stopped: a handler may disarm the very timer whose tick it runs.
    auto found = m_timers.find(&timer);
    if (found != m_timers.end())
        found->second.qtimer->stop();
}

void SteadyTimerClock::release(IntervalTimer &timer)
{
    auto found = m_timers.find(&timer);
    if (found == m_timers.end())
        return;
    found->second.qtimer->stop();
    found->second.qtimer->deleteLater();
    m_timers.erase(found);
}

void ManualTimerClock::arm(IntervalTimer &timer, qint64 deadlineNs)
{
    m_deadlines[&timer] = deadlineNs;
}

void ManualTimerClock::disarm(IntervalTimer &timer)
{
    m_deadlines.erase(&timer);
}

bool ManualTimerClock::isArmed(const IntervalTimer &timer) const
{
    return m_deadlines.count(const_cast<IntervalTimer *>(&timer)) != 0;
}

IntervalTimer *ManualTimerClock::earliest(qint64 *deadlineNs) const
{
    IntervalTimer *first = nullptr;
    for (const auto &[timer, deadline] : m_deadlines) {
        if (!first || deadline < *deadlineNs) {
            first = timer;
            *deadlineNs = deadline;
        }
    }
    return first;
}

void ManualTimerClock::advanceMs(qint64 ms)
{
    const qint64 target = m_nowNs + ms * 1000000;
    qint64 deadline = 0;
    while (IntervalTimer *timer = earliest(&deadline)) {
        if (deadline > target)
            break;
        m_nowNs = std::max(m_nowNs, deadline);
        m_deadlines.erase(timer);
        timer->elapse();
    }
    m_nowNs = target;
}

bool ManualTimerClock::fireNext()
{
    qint64 deadline = 0;
    IntervalTimer *timer = earliest(&deadline);
    if (!timer)
        return false;
    m_nowNs = std::max(m_nowNs, deadline);
    m_deadlines.erase(timer);
    timer->elapse();
    return true;
}

} // namespace forms
