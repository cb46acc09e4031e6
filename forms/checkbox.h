// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control.h"
#include "event.h"

#include <QCheckBox>

namespace forms
{

// A check box. Value is 0 (unticked) or 1 (ticked). Click comes when the user toggles it and
// when code assigns a Value that differs from the present one.
class CheckBox : public Control<QCheckBox>
{
public:
    explicit CheckBox(QWidget *parent);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    qint16 Value() const { return isChecked() ? 1 : 0; }
    // 0 or 1; any other value throws InvalidPropertyValue.
    void setValue(qint16 value);

    Event Click;
};

} // namespace forms
