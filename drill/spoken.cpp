// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "spoken.h"

#include <QStringList>

namespace Spoken
{

QString item(const QString &item)
{
    if (item.isEmpty() || item.front().isDigit())
        return item;
    return item.split(QString(), Qt::SkipEmptyParts).join(QLatin1Char(' '));
}

QString verdict(bool right)
{
    return right ? QStringLiteral("对") : QStringLiteral("错");
}

QString summary(int right, int count)
{
    return QStringLiteral("对 %1 个，共 %2 个").arg(right).arg(count);
}

} // namespace Spoken
