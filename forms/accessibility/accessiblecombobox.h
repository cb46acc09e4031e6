// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace forms
{

// What assistive technology reads of a combo box: its own name (Qt on Linux would give the
// current text as the name), the text as its value, and the list and the text field as its
// children, which open the list and take a new text.
class AccessibleComboBox : public QAccessibleWidget
{
public:
    explicit AccessibleComboBox(QComboBox *box);

    QString text(QAccessible::Text kind) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    QComboBox *comboBox() const;
};

} // namespace forms
