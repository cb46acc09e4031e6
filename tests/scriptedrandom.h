// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "randomsource.h"

#include <deque>

// A random source that gives the draws a test lines up, then a fixed-seed sequence.
class ScriptedRandom : public forms::RandomSource
{
public:
    void randomize() override {}
    float next() override
    {
        if (m_script.empty())
            return m_fallback.next();
        const float draw = m_script.front();
        m_script.pop_front();
        return draw;
    }
    void push(std::initializer_list<float> draws) { m_script.insert(m_script.end(), draws); }
    // The draw that makes number n in digits mode.
    static float number(int n) { return (float(n) + 0.5f) / 100.0f; }
    // The draw that makes letter c ('a'..'z') in letters mode.
    static float letter(char c) { return (float(c - 'a') + 0.5f) / 26.0f; }

private:
    std::deque<float> m_script;
    forms::TwisterRandom m_fallback{12345};
};
