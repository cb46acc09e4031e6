// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessiblecombobox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace forms
{

AccessibleComboBox::AccessibleComboBox(QComboBox *box)
    : QAccessibleWidget(box, QAccessible::ComboBox)
{
}

QComboBox *AccessibleComboBox::comboBox() const
{
    return static_cast<QComboBox *>(widget());
}

QString AccessibleComboBox::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return comboBox()->currentText();
    return QAccessibleWidget::text(kind);
}

int AccessibleComboBox::childCount() const
{
    return comboBox()->lineEdit() ? 2 : 1;
}

QAccessibleInterface *AccessibleComboBox::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(comboBox()->view());
    if (index == 1 && comboBox()->lineEdit())
        return QAccessible::queryAccessibleInterface(comboBox()->lineEdit());
    return nullptr;
}

int AccessibleComboBox::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    if (child->object() == comboBox()->view())
        return 0;
    if (comboBox()->lineEdit() && child->object() == comboBox()->lineEdit())
        return 1;
    return -1;
}

QStringList AccessibleComboBox::actionNames() const
{
    return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
}

void AccessibleComboBox::doAction(const QString &actionName)
{
    if (actionName != showMenuAction() && actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    if (comboBox()->view()->isVisible())
        comboBox()->hidePopup();
    else
        comboBox()->showPopup();
}

} // namespace forms
