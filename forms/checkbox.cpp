// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkbox.h"

#include "runtimeerror.h"

namespace forms
{

CheckBox::CheckBox(QWidget *parent) : Control<QCheckBox>(parent)
{
    // Qt's own setter tells of every change, by the user or by code: the one place Click comes
    // from, whoever holds the box.
    connect(this, &QCheckBox::toggled, this, [this] { Click.raise(); });
}

void CheckBox::setValue(qint16 value)
{
    if (value != 0 && value != 1)
        throw RuntimeError(RuntimeError::Code::InvalidPropertyValue, "check box value not 0 or 1");
    setChecked(value == 1);
}

} // namespace forms
