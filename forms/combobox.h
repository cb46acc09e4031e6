// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control.h"
#include "event.h"

#include <QComboBox>

namespace forms
{

// A drop-down combo box with an editable text field: the user types a value or picks one from
// the list. Change comes with every edit of the text, by the user or by code; Click when the
// user picks an item, with Text already holding it.
class ComboBox : public Control<QComboBox>
{
public:
    explicit ComboBox(QWidget *parent);

    QString Text() const { return currentText(); }
    // A new text raises Change, nested inside the assignment; the same text raises nothing.
    void setText(const QString &text);

    // Appends an item to the list. Raises nothing and never changes Text.
    void AddItem(const QString &item);
    int ListCount() const { return count(); }
    QString List(int index) const { return itemText(index); }

    // The list opens on the item picked last, or on the first item when none was picked, and
    // Enter picks it, on every Qt. Whether that row shows highlighted before a key moves is Qt's
    // own (6.8 does, 6.4 does not).
    void showPopup() override;

    Event Change;
    Event Click;

protected:
    // Qt asks the combo box, which has the focus for its text field.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
};

} // namespace forms
