// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleObject>

namespace forms
{

class Announcer;

// One of an announcer's notifications: named by the message it said last and described by its
// detail. It shows only while it has something to say, and a screen reader speaks it the moment
// it shows.
class AccessibleNotification : public QAccessibleObject
{
public:
    AccessibleNotification(Announcer *announcer, int k);

    QAccessibleInterface *parent() const override;
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text kind) const override;
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override;

private:
    Announcer *m_announcer;
    int m_k;
};

} // namespace forms
