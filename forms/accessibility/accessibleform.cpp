// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibleform.h"

#include "form.h"

namespace forms
{

AccessibleForm::AccessibleForm(Form *form) : QAccessibleWidget(form, QAccessible::Window) {}

QAccessibleInterface *AccessibleForm::announcer() const
{
    return QAccessible::queryAccessibleInterface(&static_cast<Form *>(widget())->announcer());
}

int AccessibleForm::childCount() const
{
    return QAccessibleWidget::childCount() + 1;
}

QAccessibleInterface *AccessibleForm::child(int index) const
{
    if (index == QAccessibleWidget::childCount())
        return announcer();
    return QAccessibleWidget::child(index);
}

int AccessibleForm::indexOfChild(const QAccessibleInterface *child) const
{
    if (child && child == announcer())
        return QAccessibleWidget::childCount();
    return QAccessibleWidget::indexOfChild(child);
}

QString AccessibleForm::text(QAccessible::Text t) const
{
    QString text = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && text.isEmpty())
        text = widget()->windowTitle();
    return text;
}

} // namespace forms
