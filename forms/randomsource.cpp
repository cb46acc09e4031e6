// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "randomsource.h"

#include <chrono>

namespace forms
{

void TwisterRandom::randomize()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    std::seed_seq sequence{quint32(ticks), quint32(quint64(ticks) >> 32), quint32(wall),
                           quint32(quint64(wall) >> 32)};
    m_engine.seed(sequence);
}

float TwisterRandom::next()
{
    constexpr float Step = 1.0f / 16777216.0f; // 2^-24: exact in single precision
    return float(m_engine() >> 8) * Step;
}

} // namespace forms
