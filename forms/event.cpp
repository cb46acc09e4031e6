// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "event.h"

#include <exception>

namespace forms
{

void dispatch(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const std::exception &) {
        // An error no handler armed for: abandon this handler silently, keep the window alive.
    }
}

} // namespace forms
