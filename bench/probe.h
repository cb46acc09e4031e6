// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <QObject>
#include <QtGlobal>

class QWidget;

// What every start-up program of the bench shares: one clock that the parent process reads too,
// the process's memory, a watch for the first painted frame and the report on stdout.
namespace bench
{

// CLOCK_MONOTONIC in nanoseconds: the same clock in every process, so a launcher can subtract
// its launch time from a child's reported times.
qint64 monotonicNs();

struct Memory {
    double peakRssMiB = 0; // VmHWM
    double privateMiB = 0; // Private_Clean + Private_Dirty of smaps_rollup
    double anonMiB = 0;    // RssAnon now: heap and other anonymous pages
    double fileMiB = 0;    // RssFile now: mapped libraries, fonts and other files
};
Memory readMemory();

// Calls done once the window's first frame is complete: after the first paint event of the
// window has been handled and control is back in the event loop, so every child is painted and
// the backing store flushed.
class FirstFrameWatcher : public QObject
{
public:
    using Done = std::function<void(qint64 paintBeginNs, qint64 frameNs)>;
    FirstFrameWatcher(QWidget *window, Done done);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Done m_done;
    qint64 m_paintBeginNs = 0;
};

// One "key value" line on stdout; the launcher parses these.
void report(const char *key, qint64 value);
void report(const char *key, double value);

// Reports memory and the frame times, then ends the event loop.
void finishStartup(qint64 paintBeginNs, qint64 frameNs);

} // namespace bench
