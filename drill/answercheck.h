// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class DrillCycle;
struct DrillSurface;

// The check command: shows the items of the drill again and colours each answer green when it
// matches its item, forgiving only the letter case of the answer, and red otherwise; a listener
// hears how many were right and the verdict of the focused answer.
class AnswerCheck
{
public:
    AnswerCheck(DrillSurface &surface, const DrillCycle &cycle) : m_surface(surface), m_cycle(cycle)
    {
    }

    void check();

private:
    DrillSurface &m_surface;
    const DrillCycle &m_cycle;
};
