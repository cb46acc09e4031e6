// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QtGlobal>

// The window's colour values: &HBBGGRR for a colour given directly, or, with the top bit set, a
// system colour by the index in the low byte.
namespace forms
{

namespace Colors
{
inline constexpr quint32 Black = 0x000000;
inline constexpr quint32 White = 0xFFFFFF;
inline constexpr quint32 Red = 0x0000FF;
inline constexpr quint32 Green = 0x00FF00;
inline constexpr quint32 ScrollBar = 0x80000000;       // system colour 0
inline constexpr quint32 Window = 0x80000005;          // system colour 5
inline constexpr quint32 WindowText = 0x80000008;      // system colour 8
inline constexpr quint32 ButtonFace = 0x8000000F;      // system colour 15
inline constexpr quint32 ButtonShadow = 0x80000010;    // system colour 16
inline constexpr quint32 ButtonText = 0x80000012;      // system colour 18
inline constexpr quint32 ButtonHighlight = 0x80000014; // system colour 20
} // namespace Colors

// The colour a value stands for. System colours come from the desktop on Windows and from a
// fixed table of the Windows defaults elsewhere; an unknown system index gives black.
QColor colorFromValue(quint32 value);

} // namespace forms
