// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <map>
#include <memory>
#include <QElapsedTimer>
#include <QObject>
#include <QtGlobal>

class QTimer;

namespace forms
{

class IntervalTimer;

// The time base that interval timers keep their schedules on. Deadlines are absolute, in
// nanoseconds of this clock, so a timer's schedule never drifts.
class TimerClock
{
public:
    virtual ~TimerClock() = default;
    virtual qint64 nowNs() const = 0;
    // Calls timer.elapse() once the clock reaches deadlineNs; replaces an earlier arming.
    virtual void arm(IntervalTimer &timer, qint64 deadlineNs) = 0;
    virtual void disarm(IntervalTimer &timer) = 0;
    // The timer is going away: nothing of it may stay behind.
    virtual void release(IntervalTimer &timer) { disarm(timer); }
};

// The clock of a running window: the monotonic clock, with ticks delivered as events of the
// user-interface thread's event loop.
class SteadyTimerClock : public QObject, public TimerClock
{
public:
    SteadyTimerClock();
    ~SteadyTimerClock() override;

    qint64 nowNs() const override;
    void arm(IntervalTimer &timer, qint64 deadlineNs) override;
    void disarm(IntervalTimer &timer) override;
    void release(IntervalTimer &timer) override;

private:
    struct Armed {
        QTimer *qtimer = nullptr;
        qint64 deadlineNs = 0;
    };
    void wait(Armed &armed);
    void timeout(IntervalTimer &timer);

    QElapsedTimer m_elapsed;
    std::map<IntervalTimer *, Armed> m_timers;
};

// A clock that stands still until a test advances it, so a whole drill runs without waiting.
class ManualTimerClock : public TimerClock
{
public:
    qint64 nowNs() const override { return m_nowNs; }
    void arm(IntervalTimer &timer, qint64 deadlineNs) override;
    void disarm(IntervalTimer &timer) override;

    // Moves time on by ms milliseconds, running every tick that falls due on the way, in order.
    void advanceMs(qint64 ms);
    // Moves time on to the next armed deadline and runs that tick; false when none is armed.
    bool fireNext();
    bool isArmed(const IntervalTimer &timer) const;
    qint64 nowMs() const { return m_nowNs / 1000000; }

private:
    IntervalTimer *earliest(qint64 *deadlineNs) const;

    qint64 m_nowNs = 0;
    std::map<IntervalTimer *, qint64> m_deadlines;
};

} // namespace forms
