// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "songfont.h"

#include <QStringList>

QFont songFont(qreal pointSize)
{
    static const QStringList Families = {
        QStringLiteral("SimSun"),
        QStringLiteral("宋体"),
        QStringLiteral("NSimSun"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("AR PL UMing TW"),
        QStringLiteral("Noto Sans Mono CJK SC"),
        QStringLiteral("WenQuanYi Zen Hei Mono"),
        QStringLiteral("Noto Serif CJK SC"),
    };
    QFont font;
    font.setFamilies(Families);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}
