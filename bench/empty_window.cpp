// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The anchor of the start-up and memory figures: an empty Qt window of the main window's size,
// shown, until its first frame is painted. With --text the window shows one line in the main
// window's Song font chain: the floor of any window that shows such text, since the font
// look-up is paid once, whatever else the window holds.
#include "probe.h"
#include "songfont.h"

#include <cstring>
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    const qint64 entryNs = bench::monotonicNs();
    QApplication app(argc, argv);
    const qint64 appNs = bench::monotonicNs();

    QWidget window;
    window.setFixedSize(615, 554);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        window.setFont(songFont(9));
        auto *label = new QLabel(QStringLiteral("生成 检查 设置"), &window);
        label->move(8, 8);
    }
    const qint64 builtNs = bench::monotonicNs();
    bench::FirstFrameWatcher watcher(&window, bench::finishStartup);
    window.show();
    const qint64 shownNs = bench::monotonicNs();

    bench::report("main_ns", entryNs);
    bench::report("app_ns", appNs);
    bench::report("built_ns", builtNs);
    bench::report("shown_ns", shownNs);
    return app.exec();
}
