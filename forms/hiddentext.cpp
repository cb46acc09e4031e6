// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hiddentext.h"

#include "colors.h"
#include "textbox.h"

namespace forms::HiddenText
{

bool isHidden(const TextBox &box)
{
    return colorFromValue(box.ForeColor()) == colorFromValue(box.BackColor());
}

QString readableText(const TextBox &box)
{
    return isHidden(box) ? QString() : box.Text();
}

int readableCursorPosition(const TextBox &box)
{
    return isHidden(box) ? 0 : box.cursorPosition();
}

bool readableSelection(const TextBox &box)
{
    return box.hasSelectedText() && !isHidden(box);
}

bool passesTextEvents(const TextBox &box)
{
    return !(isHidden(box) && box.changedWhileHidden());
}

bool mayCopy(const TextBox &box)
{
    return !isHidden(box);
}

bool mayAnnounce(const TextBox &box)
{
    return !isHidden(box);
}

} // namespace forms::HiddenText
