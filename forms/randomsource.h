// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <random>

namespace forms
{

// The pseudo-random generator the item generator draws from.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Reseeds from the clock; the sequence then differs from run to run.
    virtual void randomize() = 0;
    // A single-precision draw in [0, 1).
    virtual float next() = 0;
};

// The generator of a running window: a Mersenne twister whose draws take its top 24 bits, so
// every one of the 2^24 representable steps of [0, 1) is equally likely.
class TwisterRandom : public RandomSource
{
public:
    explicit TwisterRandom(quint32 seed = 5489u) : m_engine(seed) {}

    void randomize() override;
    float next() override;
    // A fixed seed, for a repeatable sequence.
    void seed(quint32 value) { m_engine.seed(value); }

private:
    std::mt19937 m_engine;
};

} // namespace forms
