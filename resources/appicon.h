// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>

namespace tavrin
{

// The program's icon, 16x16 and 32x32 as drawn (resources/icon), with 64x64 and 128x128
// enlargements of the 32x32 image for large views. Compiled into the program from the XPM
// sources, so no image plugin or resource file is needed at run time.
QIcon appIcon();

} // namespace tavrin
