// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colors.h"

#include <array>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace forms
{

namespace
{

// The Windows defaults of the system colours, by index (COLOR_SCROLLBAR = 0 ... ).
constexpr std::array<QRgb, 31> DefaultSystemColors = {
    qRgb(200, 200, 200), // 0 scroll bar
    qRgb(0, 0, 0),       // 1 desktop
    qRgb(153, 180, 209), // 2 active caption
    qRgb(191, 205, 219), // 3 inactive caption
    qRgb(240, 240, 240), // 4 menu
    qRgb(255, 255, 255), // 5 window
    qRgb(100, 100, 100), // 6 window frame
    qRgb(0, 0, 0),       // 7 menu text
    qRgb(0, 0, 0),       // 8 window text
    qRgb(0, 0, 0),       // 9 caption text
    qRgb(180, 180, 180), // 10 active border
    qRgb(244, 247, 252), // 11 inactive border
    qRgb(171, 171, 171), // 12 application workspace
    qRgb(0, 120, 215),   // 13 highlight
    qRgb(255, 255, 255), // 14 highlight text
    qRgb(240, 240, 240), // 15 button face
    qRgb(160, 160, 160), // 16 button shadow
    qRgb(109, 109, 109), // 17 grey text
    qRgb(0, 0, 0),       // 18 button text
    qRgb(67, 78, 84),    // 19 inactive caption text
    qRgb(255, 255, 255), // 20 button highlight
    qRgb(105, 105, 105), // 21 3D dark shadow
    qRgb(227, 227, 227), // 22 3D light
    qRgb(0, 0, 0),       // 23 tooltip text
    qRgb(255, 255, 225), // 24 tooltip background
    qRgb(0, 0, 0),       // 25 (unused)
    qRgb(0, 102, 204),   // 26 hot light
    qRgb(185, 209, 234), // 27 gradient active caption
    qRgb(215, 228, 242), // 28 gradient inactive caption
    qRgb(51, 153, 255),  // 29 menu highlight
    qRgb(240, 240, 240), // 30 menu bar
};

QColor systemColor(quint32 index)
{
#ifdef Q_OS_WIN
    const DWORD bgr = GetSysColor(static_cast<int>(index));
    return QColor(GetRValue(bgr), GetGValue(bgr), GetBValue(bgr));
#else
    if (index < DefaultSystemColors.size())
        return QColor(DefaultSystemColors[index]);
    return QColor(Qt::black);
#endif
}

} // namespace

QColor colorFromValue(quint32 value)
{
    if (value & 0x80000000u)
        return systemColor(value & 0xFFu);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace forms
