// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessiblestatusbar.h"

#include "announcer.h"

namespace forms
{

AccessibleStatusBar::AccessibleStatusBar(Announcer *announcer)
    : QAccessibleObject(announcer), m_announcer(announcer)
{
}

QAccessibleInterface *AccessibleStatusBar::parent() const
{
    return QAccessible::queryAccessibleInterface(object()->parent());
}

int AccessibleStatusBar::childCount() const
{
    return Announcer::Notifications;
}

QAccessibleInterface *AccessibleStatusBar::child(int index) const
{
    if (index < 0 || index >= Announcer::Notifications)
        return nullptr;
    return QAccessible::queryAccessibleInterface(&m_announcer->notification(index));
}

int AccessibleStatusBar::indexOfChild(const QAccessibleInterface *child) const
{
    for (int k = 0; child && k < Announcer::Notifications; ++k) {
        if (child->object() == &m_announcer->notification(k))
            return k;
    }
    return -1;
}

QString AccessibleStatusBar::text(QAccessible::Text) const
{
    return QString();
}

QAccessible::Role AccessibleStatusBar::role() const
{
    return QAccessible::StatusBar;
}

QAccessible::State AccessibleStatusBar::state() const
{
    return QAccessible::State();
}

} // namespace forms
