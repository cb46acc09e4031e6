// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

struct DrillSurface;
class ItemGenerator;

// One drill, from the generate command to the open answer boxes: item 1 at once, the next item
// at every tick of Timer1 until the item whose number is the count, then the study time on
// Timer2, then the items hidden and the answer boxes open for typing.
class DrillCycle
{
public:
    DrillCycle(DrillSurface &surface, ItemGenerator &generator)
        : m_surface(surface), m_generator(generator)
    {
    }

    // The number of the next item to present: 0 before the first drill, 1 after reset, 2 once
    // generate has shown item 1, one more after every presenting tick.
    qint16 nextItem() const { return m_nextItem; }

    // Returns every item and answer box to its idle look and stops both timers.
    void reset();
    // The generate command: starts a drill over from any state.
    void generate();
    // Timer1's tick: presents the next item; any error abandons the drill through reset.
    void presentNext();
    // Timer2's tick: hides the items and opens the answer boxes of the drill.
    void endStudy();

    // How many boxes a drill of the current count covers: 1..count for a number (at most the
    // 200 boxes there are, none below 1), the items presented so far for a count that is not a
    // number.
    int boxesOfDrill() const;

private:
    DrillSurface &m_surface;
    ItemGenerator &m_generator;
    qint16 m_nextItem = 0;
};
