// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include <QAccessible>
#include <QWidget>

namespace forms
{

Announcer::Announcer(QWidget *form) : QObject(form)
{
    for (QObject &notification : m_notifications)
        notification.setParent(this);
}

void Announcer::setTexts(std::size_t k, const QString &message, const QString &detail)
{
    // Only a text that changes raises its event.
    if (message != m_messages[k]) {
        m_messages[k] = message;
        QAccessibleEvent changed(&m_notifications[k], QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
    if (detail != m_details[k]) {
        m_details[k] = detail;
        QAccessibleEvent changed(&m_notifications[k], QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

void Announcer::announce(const QString &message, const QString &detail)
{
    m_latest = (m_latest + 1) % Notifications;
    setTexts(m_latest, message, detail);
    // A notification that shows is what a screen reader speaks whatever has the focus.
    QAccessibleEvent shown(&m_notifications[m_latest], QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void Announcer::clear()
{
    for (std::size_t k = 0; k < Notifications; ++k) {
        if (m_messages[k].isEmpty() && m_details[k].isEmpty())
            continue;
        setTexts(k, QString(), QString());
        QAccessibleEvent hidden(&m_notifications[k], QAccessible::ObjectHide);
        QAccessible::updateAccessibility(&hidden);
    }
}

} // namespace forms
