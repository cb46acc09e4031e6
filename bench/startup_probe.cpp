// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up of the real window, started as the program starts it: QApplication, Form1, centred,
// shown, until the first frame is painted. With --breakdown it also marks the phases inside the
// window's constructor, from the outside: the design-time controls, the box pass and the list
// pass of Form_Load; --trace adds a line for each design-time control. With --warm-first it
// resolves the window's fonts and loads its icon before the window, so that each shows as a
// phase of its own instead of inside the design.
#include "application.h"
#include "form1.h"
#include "probe.h"
#include "songfont.h"
#if __has_include("appicon.h")
#include "appicon.h"
#endif

#include <cstdio>
#include <cstring>
#include <optional>
#include <QAbstractItemModel>
#include <QApplication>
#include <QChildEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>

namespace
{

// The window's own generator, wrapped: reseeding is the first thing Form_Load does, so the call
// marks where the design-time controls are done and Form_Load begins.
class MarkingRandom : public forms::RandomSource
{
public:
    std::function<void()> onRandomize;

    void randomize() override
    {
        if (onRandomize)
            onRandomize();
        m_inner.randomize();
    }
    float next() override { return m_inner.next(); }

private:
    forms::TwisterRandom m_inner;
};

// Sees every box that is added to the box layer. With trace on, it also prints each widget
// that joins the window, so the time between two lines is what the earlier one cost to build
// and set up.
class BoxWatch : public QObject
{
public:
    int boxes = 0;
    qint64 lastBoxNs = 0;
    bool trace = false;

    void flush()
    {
        if (m_last)
            std::printf("trace %.3f ms %s\n", (bench::monotonicNs() - m_lastNs) / 1e6,
                        m_last->metaObject()->className());
        m_last = nullptr;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ChildAdded)
            return false;
        if (watched->objectName() == u"boxLayer") {
            ++boxes;
            lastBoxNs = bench::monotonicNs();
        }
        auto *child = static_cast<QChildEvent *>(event)->child();
        if (trace && child->isWidgetType() && watched->isWidgetType() && boxes <= 2) {
            flush();
            m_last = child;
            m_lastNs = bench::monotonicNs();
        }
        return false;
    }

private:
    QObject *m_last = nullptr;
    qint64 m_lastNs = 0;
};

struct Marks {
    qint64 loadNs = 0;
    qint64 firstListItemNs = 0;
};

// At the start of Form_Load the combo boxes exist: the first item entering any of their lists
// starts the list pass.
void watchLists(Marks &marks)
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() != u"Form1")
            continue;
        for (QComboBox *combo : top->findChildren<QComboBox *>()) {
            QObject::connect(combo->model(), &QAbstractItemModel::rowsAboutToBeInserted, combo,
                             [&marks] {
                                 if (marks.firstListItemNs == 0)
                                     marks.firstListItemNs = bench::monotonicNs();
                             });
        }
    }
}

bool hasArg(int argc, char *argv[], const char *arg)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], arg) == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    const qint64 entryNs = bench::monotonicNs();
    const bool breakdown = hasArg(argc, argv, "--breakdown");
    const bool warmFirst = hasArg(argc, argv, "--warm-first");
    const bool trace = hasArg(argc, argv, "--trace");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    forms::setUpApplication();
    const qint64 appNs = bench::monotonicNs();

    if (warmFirst) {
        // The font database, then the window's four sizes of the Song chain one by one, then
        // its Chinese captions, which need the chain's engines for Han script.
        bench::report("families", qint64(QFontDatabase::families().size()));
        bench::report("font_db_ns", bench::monotonicNs());
        int width = 0;
        for (qreal points : {9.0, 10.5, 12.0, 14.25}) {
            width += QFontMetrics(songFont(points)).height();
            if (points == 9.0)
                bench::report("first_font_ns", bench::monotonicNs());
        }
        bench::report("sizes_ns", bench::monotonicNs());
        for (qreal points : {9.0, 10.5})
            width += QFontMetrics(songFont(points)).horizontalAdvance(QStringLiteral("设置内容"));
        bench::report("cjk_ns", bench::monotonicNs());
        bench::report("font_px", qint64(width));
#if __has_include("appicon.h")
        width += tavrin::appIcon().availableSizes().size();
        bench::report("icon_ns", bench::monotonicNs());
#endif
    }
    const qint64 warmedNs = bench::monotonicNs();

    Marks marks;
    MarkingRandom random;
    BoxWatch boxWatch;
    std::optional<Form1> window;
    if (breakdown) {
        boxWatch.trace = trace;
        random.onRandomize = [&marks, &boxWatch] {
            boxWatch.flush();
            marks.loadNs = bench::monotonicNs();
            watchLists(marks);
        };
        app.installEventFilter(&boxWatch);
        Form1::Services services;
        services.random = &random;
        window.emplace(services);
        app.removeEventFilter(&boxWatch);
    } else {
        window.emplace();
    }
    const qint64 builtNs = bench::monotonicNs();

    bench::FirstFrameWatcher watcher(&*window, bench::finishStartup);
    window->centerOnScreen();
    window->show();
    const qint64 shownNs = bench::monotonicNs();

    bench::report("main_ns", entryNs);
    bench::report("app_ns", appNs);
    bench::report("warmed_ns", warmedNs);
    if (breakdown) {
        bench::report("load_ns", marks.loadNs);
        bench::report("boxes_added", qint64(boxWatch.boxes));
        bench::report("last_box_ns", boxWatch.lastBoxNs);
        bench::report("lists_ns", marks.firstListItemNs);
    }
    bench::report("built_ns", builtNs);
    bench::report("shown_ns", shownNs);
    const int code = app.exec();
    window.reset();
    return code;
}
