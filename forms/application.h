// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace forms
{

// Makes the running QApplication the one this layer's forms expect: Enter, Esc and F6 reach a
// form before its controls see them, assistive technology reads the controls through this
// layer's interfaces, and the window keeps the design's look whatever the desktop prefers.
// main() calls it once, after the QApplication is made and before the first form; the key
// filter and the interfaces are installed only once, so a later call puts back only the look
// (which a test's stand-in desktop may have changed).
void setUpApplication();

} // namespace forms
