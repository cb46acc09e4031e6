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
#include "hiddentext.h"
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

// A text event of a box that must tell nothing: one a new drill raises as it empties its boxes,
// or one of a hidden item.
bool silenced(const QAccessibleEvent &event)
{
    const QAccessible::Event type = event.type();
    if (type != QAccessible::TextInserted && type != QAccessible::TextRemoved &&
        type != QAccessible::TextUpdated)
        return false;
    const auto *box = dynamic_cast<const TextBox *>(event.object());
    return box && (TextBox::changesUnannounced() || box->textUnannounced() ||
                   !HiddenText::passesTextEvents(*box));
}

QAccessible::UpdateHandler s_platformUpdate = nullptr;

// Every event passes here before it reaches the platform. Qt 6.4 tells of a box's text change at
// once, and its AT-SPI bridge dropped the event while the box offered no text interface
// (accessibletextbox.cpp); Qt 6.8 tells of it later, when the box offers one again: 400 events
// for a new drill after a check. Such events stop here.
void filterUpdate(QAccessibleEvent *event)
{
    if (silenced(*event))
        return;
    QAccessible::installUpdateHandler(s_platformUpdate);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(filterUpdate);
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleControl);
        s_platformUpdate = QAccessible::installUpdateHandler(filterUpdate);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace forms
