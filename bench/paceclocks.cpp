// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paceclocks.h"

#include "intervaltimer.h"
#include "probe.h"

#include <chrono>
#include <ctime>
#include <QTimer>

namespace bench
{

namespace
{
constexpr qint64 NsPerMs = 1000000;
}

qint64 WaitingClock::nowNs() const
{
    return monotonicNs();
}

void WaitingClock::arm(forms::IntervalTimer &timer, qint64 deadlineNs)
{
    Armed &armed = m_armed[&timer];
    if (!armed.qtimer) {
        armed.qtimer = new QTimer(this);
        armed.qtimer->setSingleShot(true);
        armed.qtimer->setTimerType(Qt::PreciseTimer);
        QObject::connect(armed.qtimer, &QTimer::timeout, this, [this, &timer] { fire(timer); });
    }
    armed.deadlineNs = deadlineNs;
    const qint64 waitNs = std::max<qint64>(0, deadlineNs - nowNs());
    qint64 waitMs = 0;
    switch (m_wait) {
    case Wait::RoundUp:
        waitMs = (waitNs + NsPerMs - 1) / NsPerMs;
        break;
    case Wait::Nearest:
        waitMs = (waitNs + NsPerMs / 2) / NsPerMs;
        break;
    case Wait::ShortThenSleep:
    case Wait::ShortThenSpin:
        waitMs = std::max<qint64>(0, waitNs / NsPerMs - 1);
        break;
    }
    armed.qtimer->start(std::chrono::milliseconds(waitMs));
}

void WaitingClock::disarm(forms::IntervalTimer &timer)
{
    auto found = m_armed.find(&timer);
    if (found != m_armed.end())
        found->second.qtimer->stop();
}

void WaitingClock::fire(forms::IntervalTimer &timer)
{
    Armed &armed = m_armed[&timer];
    const qint64 deadlineNs = armed.deadlineNs;
    if (m_wait == Wait::ShortThenSpin && nowNs() < deadlineNs) {
        armed.qtimer->start(0);
        return;
    }
    if (m_wait == Wait::ShortThenSleep && nowNs() < deadlineNs) {
        const timespec until{time_t(deadlineNs / 1000000000), long(deadlineNs % 1000000000)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) != 0) {
        }
    }
    timer.elapse();
}

} // namespace bench
