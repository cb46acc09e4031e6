// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appicon.h"

#include <QImage>
#include <QPixmap>

// The hand-drawn images themselves, compiled in: reading them needs no image plugin, which keeps
// the icon off the start-up path.
#include "icon/tavrin-16.xpm"
#include "icon/tavrin-32.xpm"

namespace tavrin
{

QIcon appIcon()
{
    QIcon icon;
    const QImage small(tavrin_16);
    const QImage large(tavrin_32);
    icon.addPixmap(QPixmap::fromImage(small));
    icon.addPixmap(QPixmap::fromImage(large));
    // Larger sizes are the 32-pixel image with every pixel doubled, as the theme icons are.
    for (int size : {64, 128})
        icon.addPixmap(QPixmap::fromImage(
            large.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    return icon;
}

} // namespace tavrin
