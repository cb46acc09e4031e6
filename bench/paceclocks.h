// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "timerclock.h"

#include <map>
#include <QObject>

class QTimer;

namespace bench
{

// Clocks that keep the same absolute schedule as the window's own but wait for a deadline in
// other ways, to compare against it on the same drill.
class WaitingClock : public QObject, public forms::TimerClock
{
public:
    enum class Wait {
        // Qt timer for the wait rounded up to whole ms (what the window's clock does).
        RoundUp,
        // Qt timer for the wait rounded to the nearest ms: may run up to 0.5 ms early.
        Nearest,
        // Qt timer set about a millisecond short, then the rest slept on the monotonic clock
        // with nanosecond resolution.
        ShortThenSleep,
        // The same short Qt timer, then zero-time Qt timers (event-loop passes) until the
        // deadline: the loop stays responsive, at the cost of a millisecond or two of spinning.
        ShortThenSpin,
    };

    explicit WaitingClock(Wait wait) : m_wait(wait) {}

    qint64 nowNs() const override;
    void arm(forms::IntervalTimer &timer, qint64 deadlineNs) override;
    void disarm(forms::IntervalTimer &timer) override;

private:
    struct Armed {
        QTimer *qtimer = nullptr;
        qint64 deadlineNs = 0;
    };
    void fire(forms::IntervalTimer &timer);

    Wait m_wait;
    std::map<forms::IntervalTimer *, Armed> m_armed;
};

} // namespace bench
