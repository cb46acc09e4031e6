// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "optionbutton.h"

#include "optionbuttonstyle.h"

namespace forms
{

OptionButton::OptionButton(QWidget *parent) : Control<QRadioButton>(parent)
{
    if (QStyle *style = OptionButtonStyle::forThisQt())
        setStyle(style);
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Click.raise();
    });
}

void OptionButton::setValue(bool selected)
{
    if (selected) {
        setChecked(true);
        return;
    }
    // Qt keeps one button of an exclusive group selected; clearing it is allowed here.
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(true);
}

} // namespace forms
