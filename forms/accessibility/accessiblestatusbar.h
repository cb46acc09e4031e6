// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleObject>

namespace forms
{

class Announcer;

// What assistive technology reads of a form's announcer: a status bar, the form's last child,
// with nothing to say of its own, holding the announcer's notifications. Inside a status bar a
// notification is read without the word "notification" before it.
class AccessibleStatusBar : public QAccessibleObject
{
public:
    explicit AccessibleStatusBar(Announcer *announcer);

    QAccessibleInterface *parent() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    Announcer *m_announcer;
};

} // namespace forms
