// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

namespace forms
{

class Form;

// What assistive technology reads of a form: a window named by its caption (a plain top-level
// widget would be a filler, which a screen reader does not name), whose children are its
// controls and, last, its announcer.
class AccessibleForm : public QAccessibleWidget
{
public:
    explicit AccessibleForm(Form *form);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    // The caption, on every Qt: Qt 6.11 no longer names a window by its title by itself.
    QString text(QAccessible::Text t) const override;

private:
    QAccessibleInterface *announcer() const;
};

} // namespace forms
