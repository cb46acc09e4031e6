// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <QObject>
#include <QString>

class QWidget;

namespace forms
{

// What a form says to a listener by itself, whatever control has the focus: a message and an
// optional detail, which assistive technology presents as a notification the moment it is
// given. Nothing of it is drawn and it never takes the focus.
//
// It exists because Qt 6.4 has no way to say something to a screen reader that is not the text
// of a control (the announcement event came with Qt 6.8): a notification that shows is what
// screen readers speak whatever has the focus.
class Announcer : public QObject
{
public:
    // Each announcement goes out on the next of a few notifications in turn, which keeps its
    // text while the next ones are said: a screen reader that falls behind reads each one late,
    // but as it was, and does not drop it as a repeat of a later one on the same notification.
    static constexpr int Notifications = 4;

    explicit Announcer(QWidget *form);

    // The last announcement.
    QString message() const { return m_messages[m_latest]; }
    QString detail() const { return m_details[m_latest]; }

    // Says message, then detail. They stay readable on their notification until clear() or
    // until that notification is used again, Notifications announcements later.
    void announce(const QString &message, const QString &detail = QString());
    // Nothing is left to read; says nothing.
    void clear();

    // What assistive technology hears the announcements from; their events are raised on them.
    QObject &notification(int k) { return m_notifications[std::size_t(k)]; }
    QString message(int k) const { return m_messages[std::size_t(k)]; }
    QString detail(int k) const { return m_details[std::size_t(k)]; }
    bool shown(int k) const { return m_shown[std::size_t(k)]; }

private:
    void setTexts(std::size_t k, const QString &message, const QString &detail);
    void setShown(std::size_t k, bool shown);

    std::array<QObject, Notifications> m_notifications;
    std::array<QString, Notifications> m_messages;
    std::array<QString, Notifications> m_details;
    std::array<bool, Notifications> m_shown{};
    std::size_t m_latest = 0;
};

} // namespace forms
