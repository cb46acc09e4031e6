// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

namespace forms
{

// Runs one event handler. A run-time error that the handler did not handle ends that handler
// only: the window goes on and the user sees nothing.
void dispatch(const std::function<void()> &handler);

// An event of a control. Raising it runs its handler at once, nested inside whatever raised it.
class Event
{
public:
    using Handler = std::function<void()>;

    void connect(Handler handler) { m_handler = std::move(handler); }
    void raise() const
    {
        if (m_handler)
            dispatch(m_handler);
    }

private:
    Handler m_handler;
};

} // namespace forms
