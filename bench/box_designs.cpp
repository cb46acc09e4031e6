// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Two designs of the window's 398 boxes, built alone on the main window's geometry: QLineEdits
// that inherit one font and palette from their layer, as the window builds them now, and boxes
// that paint themselves and borrow one real editor while they have the focus. Each run builds
// one design, shows it and reports construction, first frame and memory.
#include "paintedbox.h"
#include "probe.h"
#include "songfont.h"

#include <cstdio>
#include <cstring>
#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <vector>

namespace
{

constexpr int BoxCount = 200;

QRect boxRect(int index, int gridTop)
{
    // Boxes of 25 x 27 px at a 24 px pitch, 20 to a row, as the window lays them out.
    return QRect(index % 20 * 24, gridTop + index / 20 * 24, 25, 27);
}

QWidget *makeLayer(QWidget *window)
{
    auto *layer = new QWidget(window);
    layer->setGeometry(0, 0, 481, 547);
    layer->setFont(songFont(14.25));
    QPalette boxes = window->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        boxes.setColor(group, QPalette::Base, QColor(200, 200, 200));
        boxes.setColor(group, QPalette::Text, Qt::black);
    }
    layer->setPalette(boxes);
    return layer;
}

int changes = 0;

QWidget *buildLineEdits(QWidget *layer)
{
    QWidget *first = nullptr;
    for (int grid = 0; grid < 2; ++grid) {
        for (int i = 0; i < BoxCount; ++i) {
            auto *box = new QLineEdit(layer);
            box->setTextMargins(-1, 0, -1, 0);
            QObject::connect(box, &QLineEdit::textChanged, box, [] { ++changes; });
            box->setGeometry(boxRect(i, grid * 304));
            box->setMaxLength(2);
            box->setReadOnly(true);
            box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            box->setAccessibleName(QStringLiteral("box %1").arg(i + 1));
            if (!first)
                first = box;
        }
    }
    return first;
}

QWidget *buildPainted(QWidget *layer)
{
    auto *editor = new bench::LentEditor(layer);
    editor->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    bench::report("editor_ns", bench::monotonicNs());
    QWidget *first = nullptr;
    for (int grid = 0; grid < 2; ++grid) {
        for (int i = 0; i < BoxCount; ++i) {
            auto *box = new bench::PaintedBox(layer, editor);
            QObject::connect(box, &bench::PaintedBox::textChanged, box, [] { ++changes; });
            box->setGeometry(boxRect(i, grid * 304));
            box->setMaxLength(2);
            box->setReadOnly(true);
            box->setAccessibleName(QStringLiteral("box %1").arg(i + 1));
            if (!first)
                first = box;
        }
    }
    return first;
}

} // namespace

int main(int argc, char *argv[])
{
    const qint64 entryNs = bench::monotonicNs();
    const bool painted = argc > 1 && std::strcmp(argv[1], "--painted") == 0;
    if (argc > 1 && !painted && std::strcmp(argv[1], "--lineedit") != 0) {
        std::fputs("usage: bench_boxes [--lineedit | --painted]\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    const qint64 appNs = bench::monotonicNs();

    QWidget window;
    window.setFixedSize(615, 554);
    window.setFont(songFont(9));
    window.setAutoFillBackground(true);
    QWidget *layer = makeLayer(&window);
    const qint64 layerNs = bench::monotonicNs();
    // Resolving the box font costs the same in both designs (the first box or the editor would
    // pay it); done here, construction measures the boxes alone.
    const int fontHeight = QFontMetrics(layer->font()).height();
    const qint64 fontNs = bench::monotonicNs();
    QWidget *first = painted ? buildPainted(layer) : buildLineEdits(layer);
    const qint64 builtNs = bench::monotonicNs();

    bench::FirstFrameWatcher watcher(&window, bench::finishStartup);
    window.show();
    // The window gives its first box the focus as it is shown.
    first->setFocus(Qt::OtherFocusReason);
    const qint64 shownNs = bench::monotonicNs();

    bench::report("main_ns", entryNs);
    bench::report("app_ns", appNs);
    bench::report("layer_ns", layerNs);
    bench::report("font_ns", fontNs);
    bench::report("font_px", qint64(fontHeight));
    bench::report("built_ns", builtNs);
    bench::report("shown_ns", shownNs);
    return app.exec();
}
