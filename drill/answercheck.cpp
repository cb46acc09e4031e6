// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answercheck.h"

#include "colors.h"
#include "drillcycle.h"
#include "drillsurface.h"

void AnswerCheck::check()
{
    const int boxes = m_cycle.boxesOfDrill();
    for (int i = 1; i <= boxes; ++i) {
        m_surface.Txtsc(i).setForeColor(forms::Colors::Black);
        const QString answer = m_surface.Txtjc(i).Text().toLower();
        const QString item = m_surface.Txtsc(i).Text();
        const bool right = answer == item;
        m_surface.Txtjc(i).setForeColor(right ? forms::Colors::Green : forms::Colors::Red);
        // The verdict in words as well, for those who cannot tell the colours.
        m_surface.Txtjc(i).setAccessibleDescription(right ? QStringLiteral("对")
                                                          : QStringLiteral("错"));
    }
}
