// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace forms
{

class TextBox;

// Text events that Qt raises late, for changes that were to tell nothing. A box changed inside a
// TextBox::Unannounced scope (a new drill emptying up to 400 boxes) offers no text interface
// meanwhile (accessibletextbox.cpp). Qt 6.4 then tells of the change at once and its bridges drop
// the event; Qt 6.8 tells of it only when the box offers its text interface again, after the
// scope: without this, Esc after a check of 200 handed Orca 455 events and drowned item 1.
// Met on Qt 6.8 and 6.11; guarded from 6.5, the first Qt after 6.4 (6.5 to 6.7 untried).
// Before Qt 6.5 both calls do nothing.
class LateTextEvents
{
public:
    // Puts a filter in front of the platform's accessibility: text events of a box that must
    // tell nothing (changed unannounced and unchanged since, or hidden) stop there. Once.
    static void install();
    // Every change of a box's text passes here: one made unannounced is remembered, so that its
    // late event is known as such.
    static void noteChange(const TextBox &box);
};

} // namespace forms
