// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Interval timers on a clock the test moves: bounds, ticking, and a schedule that keeps the beat.
#include "intervaltimer.h"
#include "runtimeerror.h"
#include "timerclock.h"

#include <QTest>
#include <vector>

using forms::IntervalTimer;
using forms::ManualTimerClock;
using forms::RuntimeError;

class TestIntervalTimer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void acceptsIntervalsInRange_data();
    void acceptsIntervalsInRange();
    void refusesIntervalsOutOfRange_data();
    void refusesIntervalsOutOfRange();
    void ticksOncePerIntervalWhileEnabled();
    void intervalZeroNeverTicks();
    void disabledTimerDoesNotTick();
    void newIntervalRestartsTheWait();
    void sameIntervalKeepsTheSchedule();
    void handlerCanStopItsOwnTimer();
    void handlerErrorDoesNotStopTheTimer();
    void scheduleFollowsDeadlinesNotTickTimes();
};

namespace
{

struct TickLog {
    ManualTimerClock &clock;
    std::vector<qint64> at;
    void attach(IntervalTimer &timer)
    {
        timer.Timer.connect([this] { at.push_back(clock.nowMs()); });
    }
};

} // namespace

void TestIntervalTimer::acceptsIntervalsInRange_data()
{
    QTest::addColumn<int>("ms");
    QTest::newRow("0") << 0;
    QTest::newRow("1") << 1;
    QTest::newRow("1000") << 1000;
    QTest::newRow("65535") << 65535;
}

void TestIntervalTimer::acceptsIntervalsInRange()
{
    QFETCH(int, ms);
    ManualTimerClock clock;
    IntervalTimer timer(clock);
    timer.setInterval(ms);
    QCOMPARE(timer.Interval(), ms);
}

void TestIntervalTimer::refusesIntervalsOutOfRange_data()
{
    QTest::addColumn<int>("ms");
    QTest::newRow("65536") << 65536;
    QTest::newRow("-1") << -1;
    QTest::newRow("100000") << 100000;
    QTest::newRow("int min") << std::numeric_limits<int>::min();
}

void TestIntervalTimer::refusesIntervalsOutOfRange()
{
    QFETCH(int, ms);
    ManualTimerClock clock;
    IntervalTimer timer(clock);
    timer.setInterval(700);
    try {
        timer.setInterval(ms);
        QFAIL("interval accepted");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.code(), RuntimeError::Code::InvalidPropertyValue);
    }
    QCOMPARE(timer.Interval(), 700);
}

void TestIntervalTimer::ticksOncePerIntervalWhileEnabled()
{
    ManualTimerClock clock;
    IntervalTimer timer(clock);
    TickLog log{clock, {}};
    log.attach(timer);
    timer.setInterval(500);
    timer.setEnabled(true);
    clock.advanceMs(499);
    QVERIFY(log.at.empty());
    clock.advanceMs(1601);
    QCOMPARE(log.at, (std::vector<qint64>{500, 1000, 1500, 2000}));
}

void TestIntervalTimer::intervalZeroNeverTicks()
{
    ManualTimerClock clock;
    IntervalTimer timer(clock);
    TickLog log{clock, {}};
    log.attach(timer);
    timer.setInterval(0);
    timer.setEnabled(true);
    QVERIFY(!clock.fireNext());
    clock.advanceMs(100000);
    QVERIFY(log.at.empty());
    QVERIFY(timer.Enabled());
    // A real interval later starts the ticks from that moment.
    timer.setInterval(10);
    clock.advanceMs(10);
    QCOMPARE(log.at, (std::vector<qint64>{100010}));
}

void TestIntervalTimer::disabledTimerDoesNotTick()
{
    ManualTimerClock clock;
    IntervalTimer timer(clock);
    TickLog log{clock, {}};
    log.attach(timer);
    timer.setInterval(100);
    clock.advanceMs(1000);
    timer.setEnabled(true);
    clock.advanceMs(250);
    timer.setEnabled(false);
    clock.advanceMs(1000);
    QCOMPARE(log.at, (std::vector<qint64>{1100, 1200}));
    QVERIFY(!clock.isArmed(timer));
}

void TestIntervalTimer::newIntervalRestartsTheWait()
{
    ManualTimerClock clock;
    IntervalTimer timer(clock);
    TickLog log{clock, {}};
    log.attach(timer);
    timer.setInterval(1000);
    timer.setEnabled(true);
    clock.advanceMs(400);
    timer.setInterval(500);
    clock.advanceMs(1100);
    QCOMPARE(log.at, (std::vector<qint64>{900, 1400}));
}

void TestIntervalTimer::sameIntervalKeepsTheSchedule()
{
    ManualTimerClock clock;
    IntervalTimer timer(clock);
    TickLog log{clock, {}};
    log.attach(timer);
    timer.setInterval(1000);
    timer.setEnabled(true);
    clock.advanceMs(400);
    timer.setInterval(1000);
    timer.setEnabled(true);
    clock.advanceMs(600);
    QCOMPARE(log.at, (std::vector<qint64>{1000}));
}

void TestIntervalTimer::handlerCanStopItsOwnTimer()
{
    ManualTimerClock clock;
    IntervalTimer first(clock);
    IntervalTimer second(clock);
    std::vector<int> order;
    first.setInterval(300);
    second.setInterval(1000);
    // Like the presenting tick handing over to the study time.
    first.Timer.connect([&] {
        order.push_back(1);
        if (order.size() == 2) {
            second.setEnabled(true);
            first.setEnabled(false);
        }
    });
    second.Timer.connect([&] {
        order.push_back(2);
        second.setEnabled(false);
    });
    first.setEnabled(true);
    clock.advanceMs(10000);
    QCOMPARE(order, (std::vector<int>{1, 1, 2}));
    QVERIFY(!first.Enabled());
    QVERIFY(!second.Enabled());
}

void TestIntervalTimer::handlerErrorDoesNotStopTheTimer()
{
    ManualTimerClock clock;
    IntervalTimer timer(clock);
    int ticks = 0;
    timer.Timer.connect([&] {
        ++ticks;
        throw RuntimeError(RuntimeError::Code::NoSuchElement, "test");
    });
    timer.setInterval(100);
    timer.setEnabled(true);
    clock.advanceMs(300);
    QCOMPARE(ticks, 3);
}

void TestIntervalTimer::scheduleFollowsDeadlinesNotTickTimes()
{
    // A clock whose ticks are delivered late: the next deadline still follows the last one.
    struct LateClock : ManualTimerClock {
        qint64 lateNs = 7000000;
        void arm(IntervalTimer &timer, qint64 deadlineNs) override
        {
            deadlines.push_back(deadlineNs);
            ManualTimerClock::arm(timer, deadlineNs);
        }
        std::vector<qint64> deadlines;
    } clock;
    IntervalTimer timer(clock);
    timer.setInterval(500);
    timer.setEnabled(true);
    for (int i = 0; i < 4; ++i) {
        QVERIFY(clock.fireNext());
        clock.advanceMs(7); // the tick ran 7 ms after its deadline
    }
    QCOMPARE(clock.deadlines,
             (std::vector<qint64>{500000000, 1000000000, 1500000000, 2000000000, 2500000000}));
    // After a stall of several intervals, the missed deadlines are skipped, not delivered in a
    // burst, and the schedule stays on its grid.
    int ticks = 0;
    timer.Timer.connect([&] { ++ticks; });
    clock.ManualTimerClock::disarm(timer); // the process could not run...
    clock.advanceMs(1800);
    timer.elapse(); // ...and the due tick arrives late, once
    QCOMPARE(ticks, 1);
    QVERIFY(clock.deadlines.back() > clock.nowNs());
    QCOMPARE(clock.deadlines.back() % 500000000, 0);
    QVERIFY(clock.fireNext());
    QCOMPARE(ticks, 2);
}

QTEST_GUILESS_MAIN(TestIntervalTimer)
#include "tst_intervaltimer.moc"
