// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cmath>

// Positions and sizes are kept in twips, 15 to the logical pixel; Qt's device-pixel ratio takes
// a logical pixel to the screen at any scale.
namespace forms
{

inline constexpr double TwipsPerPixel = 15.0;

inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline double pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

} // namespace forms
