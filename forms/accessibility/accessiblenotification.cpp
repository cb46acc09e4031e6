// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessiblenotification.h"

#include "announcer.h"

namespace forms
{

AccessibleNotification::AccessibleNotification(Announcer *announcer, int k)
    : QAccessibleObject(&announcer->notification(k)), m_announcer(announcer), m_k(k)
{
}

QAccessibleInterface *AccessibleNotification::parent() const
{
    return QAccessible::queryAccessibleInterface(m_announcer);
}

QString AccessibleNotification::text(QAccessible::Text kind) const
{
    switch (kind) {
    case QAccessible::Name:
        return m_announcer->message(m_k);
    case QAccessible::Description:
        return m_announcer->detail(m_k);
    default:
        return QString();
    }
}

QAccessible::State AccessibleNotification::state() const
{
    QAccessible::State state;
    state.invisible = !m_announcer->shown(m_k);
    return state;
}

} // namespace forms
