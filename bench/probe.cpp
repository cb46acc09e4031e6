// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "probe.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>

namespace bench
{

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

namespace
{

// Sums the kB values of the lines of a /proc file that start with one of the keys.
double sumKiB(const char *path, std::initializer_list<const char *> keys)
{
    std::FILE *file = std::fopen(path, "r");
    if (!file)
        return -1;
    double total = 0;
    char line[256];
    while (std::fgets(line, sizeof line, file)) {
        for (const char *key : keys) {
            const std::size_t n = std::strlen(key);
            if (std::strncmp(line, key, n) == 0 && line[n] == ':')
                total += std::atof(line + n + 1);
        }
    }
    std::fclose(file);
    return total;
}

} // namespace

Memory readMemory()
{
    Memory memory;
    memory.peakRssMiB = sumKiB("/proc/self/status", {"VmHWM"}) / 1024.0;
    memory.privateMiB =
        sumKiB("/proc/self/smaps_rollup", {"Private_Clean", "Private_Dirty"}) / 1024.0;
    memory.anonMiB = sumKiB("/proc/self/status", {"RssAnon"}) / 1024.0;
    memory.fileMiB = sumKiB("/proc/self/status", {"RssFile"}) / 1024.0;
    return memory;
}

FirstFrameWatcher::FirstFrameWatcher(QWidget *window, Done done) : m_done(std::move(done))
{
    window->installEventFilter(this);
}

bool FirstFrameWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && m_paintBeginNs == 0) {
        m_paintBeginNs = monotonicNs();
        watched->removeEventFilter(this);
        // Queued: runs once the whole paint pass (children and flush) has returned.
        QMetaObject::invokeMethod(
            this, [this] { m_done(m_paintBeginNs, monotonicNs()); }, Qt::QueuedConnection);
    }
    return false;
}

void report(const char *key, qint64 value)
{
    std::printf("%s %lld\n", key, static_cast<long long>(value));
}

void report(const char *key, double value)
{
    std::printf("%s %.4f\n", key, value);
}

void finishStartup(qint64 paintBeginNs, qint64 frameNs)
{
    const Memory memory = readMemory();
    // For a closer look at where the memory goes: the mappings at the first frame.
    if (const QByteArray path = qgetenv("TAVRIN_BENCH_SMAPS"); !path.isEmpty()) {
        QFile smaps(QStringLiteral("/proc/self/smaps"));
        QFile copy(QString::fromLocal8Bit(path));
        if (smaps.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly))
            copy.write(smaps.readAll());
    }
    report("paint_begin_ns", paintBeginNs);
    report("frame_ns", frameNs);
    report("peak_rss_mib", memory.peakRssMiB);
    report("private_mib", memory.privateMiB);
    report("anon_mib", memory.anonMiB);
    report("file_mib", memory.fileMiB);
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

} // namespace bench
