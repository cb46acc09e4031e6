// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answercheck.h"

#include "colors.h"
#include "drillcycle.h"
#include "drillsurface.h"
#include "spoken.h"

void AnswerCheck::check()
{
    const int boxes = m_cycle.boxesOfDrill();
    int rightCount = 0;
    QString focusedVerdict;
    for (int i = 1; i <= boxes; ++i) {
        m_surface.Txtsc(i).setForeColor(forms::Colors::Black);
        const QString answer = m_surface.Txtjc(i).Text().toLower();
        const QString item = m_surface.Txtsc(i).Text();
        const bool right = answer == item;
        m_surface.Txtjc(i).setForeColor(right ? forms::Colors::Green : forms::Colors::Red);
        const QString verdict = Spoken::verdict(right);
        // The focused answer's verdict comes with the summary below; told by the box as well,
        // Orca 48 would say it twice (Orca 43 cannot read the box's event from Qt 6.4).
        const bool focused = m_surface.Txtjc(i).hasFocus();
        m_surface.Txtjc(i).setDescription(verdict, focused);
        rightCount += right ? 1 : 0;
        if (focused)
            focusedVerdict = m_surface.Txtjc(i).accessibleName() + QLatin1Char(' ') + verdict;
    }
    // A listener hears how it went, then the verdict of the answer the cursor is in.
    m_surface.announcer.announce(Spoken::summary(rightCount, boxes), focusedVerdict);
}
