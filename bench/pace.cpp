// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Pace accuracy on real time: the window with its own clock, a real event loop, the settings put
// into the combo boxes through the controls and the generate button pressed. Records when each
// item box receives its item, and when it is next painted, against the ideal schedule (item 1 at
// 0, item n at (n - 1) x pace), and when the study time ends against (count - 1) x pace + study
// time. Beside it, a thread measures how late the operating system wakes a plain sleeper at the
// same pace: the floor of any timer here.
#include "application.h"
#include "drillsurface.h"
#include "form1.h"
#include "probe.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <thread>
#include <vector>

namespace
{

struct Options {
    int items = DrillSurface::BoxCount;
    double pace = 0.5;
    double study = 1;
    bool trace = false;
};

bool parse(int argc, char *argv[], Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(arg, "--items") == 0 && hasValue)
            options.items = std::atoi(argv[++i]);
        else if (std::strcmp(arg, "--pace") == 0 && hasValue)
            options.pace = std::atof(argv[++i]);
        else if (std::strcmp(arg, "--study") == 0 && hasValue)
            options.study = std::atof(argv[++i]);
        else if (std::strcmp(arg, "--trace") == 0)
            options.trace = true;
        else
            return false;
    }
    return options.items >= 1 && options.items <= DrillSurface::BoxCount && options.pace > 0 &&
           options.study > 0;
}

// Times of the drill as it runs.
class DrillWatch : public QObject
{
public:
    DrillWatch(Form1 &window, int items)
        : shownNs(std::size_t(items) + 1), paintedNs(std::size_t(items) + 1), m_window(window)
    {
        for (int n = 1; n <= items; ++n) {
            forms::TextBox &box = window.Txtsc(n);
            // The drill clears every box first; an item is the first non-empty text.
            QObject::connect(&box, &QLineEdit::textChanged, this, [this, n](const QString &text) {
                if (!text.isEmpty() && shownNs[n] == 0)
                    shownNs[n] = bench::monotonicNs();
            });
            box.installEventFilter(this);
            m_boxes.push_back(&box);
        }
        window.Txtjc(1).installEventFilter(this);
    }

    std::vector<qint64> shownNs;
    std::vector<qint64> paintedNs;
    qint64 studyEndNs = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            for (std::size_t n = 1; n < shownNs.size(); ++n) {
                if (m_boxes[n - 1] == watched && shownNs[n] != 0 && paintedNs[n] == 0)
                    paintedNs[n] = bench::monotonicNs();
            }
        } else if (event->type() == QEvent::ReadOnlyChange && watched == &m_window.Txtjc(1) &&
                   !m_window.Txtjc(1).Locked() && studyEndNs == 0) {
            // The study time ends by opening the answer boxes, box 1 first.
            studyEndNs = bench::monotonicNs();
            QTimer::singleShot(100, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    Form1 &m_window;
    std::vector<QObject *> m_boxes;
};

struct Errors {
    double mean = 0;
    double meanAbs = 0;
    double maxAbs = 0;
    double min = 0;
    double last = 0;
};

// Errors in ms of times[from..n] against start + (i - 1) x pace.
Errors errorsOf(const std::vector<qint64> &times, qint64 startNs, double paceNs, int from)
{
    Errors errors;
    const int n = int(times.size()) - 1;
    if (n < from)
        return errors;
    const double count = n - from + 1;
    errors.min = 1e9;
    for (int i = from; i <= n; ++i) {
        const double error = (double(times[i] - startNs) - (i - 1) * paceNs) / 1e6;
        errors.mean += error / count;
        errors.meanAbs += std::abs(error) / count;
        errors.maxAbs = std::max(errors.maxAbs, std::abs(error));
        errors.min = std::min(errors.min, error);
        errors.last = error;
    }
    return errors;
}

// The floor that any timer of this process could reach on this machine at this time: a thread
// that sleeps on the monotonic clock to absolute deadlines at the same pace, half a pace out of
// step with the drill so that the two never wake together, and records how late it wakes.
class OsFloor
{
public:
    OsFloor(int ticks, double paceNs) : m_lateNs(std::size_t(ticks), 0)
    {
        m_thread = std::thread([this, paceNs] {
            const qint64 startNs = bench::monotonicNs() + qint64(paceNs / 2);
            for (std::size_t k = 0; k < m_lateNs.size() && !m_stop; ++k) {
                const qint64 deadlineNs = startNs + qint64(double(k) * paceNs);
                const timespec until{time_t(deadlineNs / 1000000000),
                                     long(deadlineNs % 1000000000)};
                while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) != 0) {
                }
                m_lateNs[k] = bench::monotonicNs() - deadlineNs;
                m_done = k + 1;
            }
        });
    }
    ~OsFloor()
    {
        m_stop = true;
        m_thread.join();
    }

    // Mean and max lateness in ms of the ticks done so far.
    std::pair<double, double> lateness() const
    {
        const std::size_t n = m_done;
        double sum = 0;
        double max = 0;
        for (std::size_t k = 0; k < n; ++k) {
            sum += double(m_lateNs[k]) / 1e6;
            max = std::max(max, double(m_lateNs[k]) / 1e6);
        }
        return {n ? sum / double(n) : NAN, max};
    }

private:
    std::vector<qint64> m_lateNs;
    std::atomic<std::size_t> m_done = 0;
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

} // namespace

int main(int argc, char *argv[])
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: bench_pace [--items 1..%d] [--pace seconds] [--study seconds]"
                     " [--trace]\n",
                     DrillSurface::BoxCount);
        return 2;
    }
    QApplication app(argc, argv);
    forms::setUpApplication();
    Form1 window;
    window.centerOnScreen();
    window.show();
    DrillWatch watch(window, options.items);

    std::unique_ptr<OsFloor> floor;
    const auto start = [&] {
        floor = std::make_unique<OsFloor>(options.items, options.pace * 1e9);
        window.Cb1->setText(QString::number(options.pace));
        window.Cb2->setText(QString::number(options.items));
        window.Cb3->setText(QString::number(options.study));
        window.cmdsc->click();
    };
    // Let the window settle after its first frame before the drill starts.
    QTimer::singleShot(300, &window, start);
    const double seconds = (options.items - 1) * options.pace + options.study + 10;
    QTimer::singleShot(int(seconds * 1000), &app, [] {
        std::fputs("bench_pace: the drill did not finish in time\n", stderr);
        QCoreApplication::exit(1);
    });
    if (app.exec() != 0)
        return 1;

    const qint64 startNs = watch.shownNs[1];
    for (int n = 1; n <= options.items; ++n) {
        if (watch.shownNs[n] == 0 || watch.paintedNs[n] == 0) {
            std::fprintf(stderr, "bench_pace: item %d was not shown\n", n);
            return 1;
        }
    }
    const double paceNs = options.pace * 1e9;
    // Item 1 is the zero of the schedule: the shown errors are those of the ticks, items 2..n.
    const Errors shown = errorsOf(watch.shownNs, startNs, paceNs, 2);
    const Errors painted = errorsOf(watch.paintedNs, startNs, paceNs, 1);
    const double studyEndIdealNs = (options.items - 1) * paceNs + options.study * 1e9;
    const double studyEndError = (double(watch.studyEndNs - startNs) - studyEndIdealNs) / 1e6;

    bench::report("items", qint64(options.items));
    bench::report("interval_ms", qint64(window.Timer1->Interval()));
    bench::report("mean_error_ms", shown.mean);
    bench::report("mean_abs_error_ms", shown.meanAbs);
    bench::report("max_error_ms", shown.maxAbs);
    bench::report("min_error_ms", shown.min);
    bench::report("last_error_ms", shown.last);
    bench::report("paint_mean_error_ms", painted.mean);
    bench::report("paint_max_error_ms", painted.maxAbs);
    bench::report("study_end_error_ms", studyEndError);
    const auto [floorMean, floorMax] = floor->lateness();
    bench::report("floor_mean_ms", floorMean);
    bench::report("floor_max_ms", floorMax);
    if (options.trace) {
        for (int n = 1; n <= options.items; ++n) {
            std::printf("item %d %.3f %.3f\n", n,
                        (double(watch.shownNs[n] - startNs) - (n - 1) * paceNs) / 1e6,
                        (double(watch.paintedNs[n] - startNs) - (n - 1) * paceNs) / 1e6);
        }
    }
    return 0;
}
