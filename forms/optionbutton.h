// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control.h"
#include "event.h"

#include <QRadioButton>

namespace forms
{

// An option button. The option buttons on one container form an exclusive group: selecting one
// clears the others. Click comes when the button becomes selected, by the user or by code.
class OptionButton : public Control<QRadioButton>
{
public:
    explicit OptionButton(QWidget *parent);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    bool Value() const { return isChecked(); }
    void setValue(bool selected);

    Event Click;
};

} // namespace forms
