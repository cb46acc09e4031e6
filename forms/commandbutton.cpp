// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandbutton.h"

namespace forms
{

CommandButton::CommandButton(QWidget *parent) : Control<QPushButton>(parent)
{
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { Click.raise(); });
}

} // namespace forms
