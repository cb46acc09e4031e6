// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibleannouncer.h"

#include "announcer.h"

namespace forms
{

AccessibleAnnouncer::AccessibleAnnouncer(Announcer *announcer, Part part, int k)
    : QAccessibleObject(part == Part::StatusBar ? static_cast<QObject *>(announcer)
                                                : &announcer->notification(k)),
      m_announcer(announcer), m_part(part), m_k(k)
{
}

QAccessibleInterface *AccessibleAnnouncer::parent() const
{
    return QAccessible::queryAccessibleInterface(object()->parent());
}

int AccessibleAnnouncer::childCount() const
{
    return m_part == Part::StatusBar ? Announcer::Notifications : 0;
}

QAccessibleInterface *AccessibleAnnouncer::child(int index) const
{
    if (m_part != Part::StatusBar || index < 0 || index >= Announcer::Notifications)
        return nullptr;
    return QAccessible::queryAccessibleInterface(&m_announcer->notification(index));
}

int AccessibleAnnouncer::indexOfChild(const QAccessibleInterface *child) const
{
    for (int k = 0; child && k < childCount(); ++k) {
        if (child->object() == &m_announcer->notification(k))
            return k;
    }
    return -1;
}

QString AccessibleAnnouncer::text(QAccessible::Text kind) const
{
    if (m_part == Part::StatusBar)
        return QString();
    switch (kind) {
    case QAccessible::Name:
        return m_announcer->message(m_k);
    case QAccessible::Description:
        return m_announcer->detail(m_k);
    default:
        return QString();
    }
}

QAccessible::Role AccessibleAnnouncer::role() const
{
    return m_part == Part::StatusBar ? QAccessible::StatusBar : QAccessible::Notification;
}

QAccessible::State AccessibleAnnouncer::state() const
{
    QAccessible::State state;
    state.invisible = m_part == Part::Notification && m_announcer->message(m_k).isEmpty();
    return state;
}

} // namespace forms
