// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control.h"
#include "event.h"

#include <QPushButton>

namespace forms
{

// A command button; Click comes when it is pressed, by mouse or keyboard.
class CommandButton : public Control<QPushButton>
{
public:
    explicit CommandButton(QWidget *parent);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    Event Click;
};

} // namespace forms
