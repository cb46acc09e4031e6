// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "intervaltimer.h"

#include "runtimeerror.h"
#include "timerclock.h"

namespace forms
{

namespace
{
constexpr qint64 NsPerMs = 1000000;
}

IntervalTimer::~IntervalTimer()
{
    m_clock.release(*this);
}

void IntervalTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled)
        armFromNow();
    else
        m_clock.disarm(*this);
}

void IntervalTimer::setInterval(qint32 ms)
{
    if (ms < 0 || ms > 65535)
        throw RuntimeError(RuntimeError::Code::InvalidPropertyValue, "interval outside 0..65535");
    if (ms == m_interval)
        return;
    m_interval = ms;
    if (m_enabled)
        armFromNow();
}

void IntervalTimer::armFromNow()
{
    if (m_interval == 0) {
        m_clock.disarm(*this);
        return;
    }
    m_deadlineNs = m_clock.nowNs() + m_interval * NsPerMs;
    m_clock.arm(*this, m_deadlineNs);
}

void IntervalTimer::elapse()
{
    if (!m_enabled || m_interval == 0)
        return;
    // The next deadline follows from this one; deadlines missed while the program could not run
    // are skipped rather than delivered in a burst.
    const qint64 step = m_interval * NsPerMs;
    const qint64 now = m_clock.nowNs();
    m_deadlineNs += step;
    if (m_deadlineNs <= now)
        m_deadlineNs += ((now - m_deadlineNs) / step + 1) * step;
    m_clock.arm(*this, m_deadlineNs);
    Timer.raise();
}

} // namespace forms
