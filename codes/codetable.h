// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// The number-code table: a picturable word for every number from 1 to 100 ("07 key",
// "42 rhino"), a hint for turning a two-digit number into an image. Slot 0 is empty.
class CodeTable
{
public:
    // An empty table; build() fills it.
    CodeTable() = default;

    // Splits the built-in code string at every "_": 101 slots.
    void build();

    int size() const { return int(m_slots.size()); }

    // The entry of slot k; outside 0..100 throws SubscriptOutOfRange.
    QString operator()(int k) const;
    // The entry of the slot a text names ("07" gives slot 7); a text that is not a number throws
    // TypeMismatch, a number outside the table SubscriptOutOfRange.
    QString operator()(const QString &k) const;

    // The 802-character source string.
    static QString source();

private:
    QStringList m_slots;
};
