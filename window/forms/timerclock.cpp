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
    QTimer *&qtimer = m_timers[&timer];
    if (!qtimer) {
        qtimer = new QTimer(this);
        qtimer->setSingleShot(true);
        qtimer->setTimerType(Qt::PreciseTimer);
        QObject::connect(qtimer, &QTimer::timeout, this, [&timer] { timer.elapse(); });
    }
    // Qt counts whole milliseconds; rounding the wait up never fires before the deadline, and
    // the next deadline is reckoned from this one, not from when the tick ran.
    const qint64 waitNs = std::max<qint64>(0, deadlineNs - nowNs());
    qtimer->start(std::chrono::milliseconds((waitNs + 999999) / 1000000));
}

void SteadyTimerClock::disarm(IntervalTimer &timer)
{
    auto found = m_timers.find(&timer);
    if (found == m_timers.end())
        return;
    delete found->second;
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
