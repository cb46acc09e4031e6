// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility.h"

#include "accessiblecombobox.h"
#include "accessibletextbox.h"
#include "combobox.h"
#include "form.h"
#include "textbox.h"

namespace forms
{

namespace
{

QAccessibleInterface *accessibleControl(const QString &, QObject *object)
{
    if (auto *box = dynamic_cast<TextBox *>(object))
        return new AccessibleTextBox(box);
    if (auto *box = dynamic_cast<ComboBox *>(object))
        return new AccessibleComboBox(box);
    // A plain top-level widget would be a filler, and a screen reader would not name the window.
    if (auto *form = qobject_cast<Form *>(object))
        return new QAccessibleWidget(form, QAccessible::Window);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleControl);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace forms
