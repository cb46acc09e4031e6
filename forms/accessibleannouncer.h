// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleObject>

namespace forms
{

class Announcer;

// What assistive technology reads of a form's announcer: a status bar, the form's last child,
// holding its notifications, each named by the message it said and described by the detail. A
// notification shows only while it has something to say, and a screen reader speaks it the moment
// it shows; inside a status bar it is read without the word "notification" before it.
class AccessibleAnnouncer : public QAccessibleObject
{
public:
    enum class Part { StatusBar, Notification };

    // The status bar, or notification k.
    AccessibleAnnouncer(Announcer *announcer, Part part, int k = 0);

    QAccessibleInterface *parent() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    Announcer *m_announcer;
    Part m_part;
    int m_k;
};

} // namespace forms
