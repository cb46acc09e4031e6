// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace forms
{

// Gives the controls of this layer their own accessible interfaces, one class for each role: the
// form is a window, a text box gives assistive technology no more of a hidden text than the eye
// gets, a combo box keeps its name, and the form's announcer is a status bar holding its
// notifications.
// Installed once, before the first control is built; later calls do nothing.
void installAccessibility();

} // namespace forms
