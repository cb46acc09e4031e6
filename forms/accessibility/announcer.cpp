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

void Announcer::setShown(std::size_t k, bool shown)
{
    m_shown[k] = shown;
    QAccessibleEvent event(&m_notifications[k],
                           shown ? QAccessible::ObjectShow : QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&event);
}

void Announcer::announce(const QString &message, const QString &detail)
{
    m_latest = (m_latest + 1) % Notifications;
    // A notification used again goes first, so that every announcement is a notification that
    // appears: no reader has to take a second show of a shown one for news.
    if (m_shown[m_latest])
        setShown(m_latest, false);
    setTexts(m_latest, message, detail);
    // A notification that shows is what a screen reader speaks whatever has the focus.
    setShown(m_latest, true);
}

void Announcer::clear()
{
    for (std::size_t k = 0; k < Notifications; ++k) {
        if (!m_shown[k])
            continue;
        setTexts(k, QString(), QString());
        setShown(k, false);
    }
}

} // namespace forms
