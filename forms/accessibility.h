// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace forms
{

// Gives the controls of this layer their own accessible interfaces: the form is a window, a
// text box hides a hidden text from assistive technology too, a combo box keeps its name, the
// form's announcer is a notification.
// Installed once, before the first control is built; later calls do nothing.
void installAccessibility();

} // namespace forms
