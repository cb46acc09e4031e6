// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "latetextevents.h"

#include "hiddentext.h"
#include "textbox.h"

#include <optional>
#include <QAccessible>
#include <QHash>

namespace forms
{

#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)

namespace
{

// For each box that has changed unannounced: the text that change left, or nothing once an
// announced change followed. A box's entry goes with the box.
QHash<const TextBox *, std::optional<QString>> s_leftUnannounced;

bool textUnannounced(const TextBox &box)
{
    const auto left = s_leftUnannounced.constFind(&box);
    return left != s_leftUnannounced.constEnd() && left->has_value() && **left == box.text();
}

bool silenced(const QAccessibleEvent &event)
{
    const QAccessible::Event type = event.type();
    if (type != QAccessible::TextInserted && type != QAccessible::TextRemoved &&
        type != QAccessible::TextUpdated)
        return false;
    const auto *box = dynamic_cast<const TextBox *>(event.object());
    return box && (TextBox::changesUnannounced() || textUnannounced(*box) ||
                   !HiddenText::passesTextEvents(*box));
}

QAccessible::UpdateHandler s_platformUpdate = nullptr;

// Qt hands every event to the installed handler instead of the platform's accessibility, and
// offers no public call that reaches the platform with a handler in place: an event that passes
// goes on with the handler taken away for that one call.
void filterUpdate(QAccessibleEvent *event)
{
    if (silenced(*event))
        return;
    QAccessible::installUpdateHandler(s_platformUpdate);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(filterUpdate);
}

} // namespace

void LateTextEvents::install()
{
    static const bool installed = [] {
        s_platformUpdate = QAccessible::installUpdateHandler(filterUpdate);
        return true;
    }();
    Q_UNUSED(installed);
}

void LateTextEvents::noteChange(const TextBox &box)
{
    const auto left = s_leftUnannounced.find(&box);
    if (left == s_leftUnannounced.end()) {
        if (!TextBox::changesUnannounced())
            return;
        QObject::connect(&box, &QObject::destroyed, [&box] { s_leftUnannounced.remove(&box); });
        s_leftUnannounced.insert(&box, box.text());
        return;
    }
    if (TextBox::changesUnannounced())
        *left = box.text();
    else
        left->reset();
}

#else

void LateTextEvents::install() {}
void LateTextEvents::noteChange(const TextBox &) {}

#endif

} // namespace forms
