// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look.h"

#include <QApplication>
#include <QStyle>
#include <QStyleHints>

namespace forms
{

QString designStyle()
{
#ifdef Q_OS_WIN
    return QStringLiteral("windowsvista");
#else
    return QStringLiteral("Fusion");
#endif
}

void keepDesignLook()
{
    // Setting a style repolishes every widget: only when another one is in place.
    if (QApplication::style()->name().compare(designStyle(), Qt::CaseInsensitive) != 0)
        QApplication::setStyle(designStyle());
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt 6.8 follows a desktop's dark colour scheme, and is the first that can be asked not to.
    QGuiApplication::styleHints()->setColorScheme(Qt::ColorScheme::Light);
#endif
}

QPalette designPalette()
{
#ifdef Q_OS_WIN
    return QApplication::palette();
#else
    return QApplication::style()->standardPalette();
#endif
}

} // namespace forms
