// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QObject;
class QString;

namespace forms
{

// Hands a form's announcements to UI Automation as notification events, which Windows screen
// readers (Narrator, NVDA, JAWS) speak whatever has the focus. Qt 6.4 passes no such event on,
// so the form raises them itself on its own window. Where Windows has no notification events
// (before Windows 10 1709, or Wine 8) nothing is raised. Windows builds only.
class UiaNotifier
{
public:
    // Raises message, then detail when there is one, on the window of form (a QWidget).
    static void announce(const QObject *form, const QString &message, const QString &detail);
};

} // namespace forms
