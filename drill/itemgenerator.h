// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

struct DrillSurface;

// Draws one random two-character item into an item box: a number 00..99 in digits mode (with
// its code word in the hint label), a pair of lowercase letters aa..zz in letters mode. Each item
// is announced to a listener as it appears.
class ItemGenerator
{
public:
    explicit ItemGenerator(DrillSurface &surface) : m_surface(surface) {}

    // Fills item box i. The draws come before the box is looked up, so a box that does not
    // exist (201) throws with the hint label untouched.
    void sc(qint16 i);

private:
    void drawNumber(qint16 i);
    void drawLetters(qint16 i);
    // Says the item now in box i.
    void announce(qint16 i);

    DrillSurface &m_surface;
};
