// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPalette>
#include <QString>

namespace forms
{

// The window looks as designed whatever the desktop around it prefers: the classic controls and
// the design's light colours. Newer Qt follows the desktop further than Qt 6.4 did (the flat
// "windows11" style on Windows 11 from Qt 6.7, a desktop's dark colour scheme from Qt 6.8).

// The style the controls are drawn in: "windowsvista" on Windows, Fusion elsewhere.
QString designStyle();

// Puts the application in the design style and, where Qt can ask the platform for a colour
// scheme, asks for the light one. setUpApplication() does this before the first form is made.
void keepDesignLook();

// What a form's palette starts from before it sets its own colours: on Windows the desktop's
// system colours, which the design names; elsewhere the style's own light palette, never a
// desktop's dark one.
QPalette designPalette();

} // namespace forms
