// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"
#include "form1.h"

#include <cstdio>
#include <QApplication>

namespace
{

// Without a display Qt would print a page about platform plugins; say it in one line instead.
bool displayMissing()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
           qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    if (displayMissing()) {
        std::fprintf(stderr,
                     "tavrin: no graphical display found (DISPLAY is not set); on a machine "
                     "without one, run it as: xvfb-run -a %s\n",
                     argc > 0 ? argv[0] : "tavrin");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    QApplication::setApplicationVersion(QStringLiteral(TAVRIN_VERSION));
    forms::setUpApplication();

    Form1 window;
    window.centerOnScreen();
    window.show();
    return app.exec();
}
