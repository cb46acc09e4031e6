// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility.h"

#include "accessiblecombobox.h"
#include "accessibleform.h"
#include "accessiblenotification.h"
#include "accessiblestatusbar.h"
#include "accessibletextbox.h"
#include "announcer.h"
#include "combobox.h"
#include "form.h"
#include "latetextevents.h"
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
    if (auto *form = qobject_cast<Form *>(object))
        return new AccessibleForm(form);
    if (auto *announcer = dynamic_cast<Announcer *>(object))
        return new AccessibleStatusBar(announcer);
    if (auto *announcer = dynamic_cast<Announcer *>(object->parent())) {
        for (int k = 0; k < Announcer::Notifications; ++k) {
            if (object == &announcer->notification(k))
                return new AccessibleNotification(announcer, k);
        }
    }
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleControl);
        LateTextEvents::install();
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace forms
