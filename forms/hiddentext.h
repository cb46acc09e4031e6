// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace forms
{

class TextBox;

// A hidden item leaks nothing.
//
// A text box whose text is drawn in its background colour (an item while the user answers)
// holds a text that nobody may learn until it is shown again. This is the one place that
// decides what such a box gives away; the text box, its accessible interface and whoever
// speaks through the form's announcer ask here:
// - the eye: nothing. Focus that comes by the keyboard selects nothing by itself in any box,
//   since a selection is painted in the highlight colours. A selection the user makes with the
//   mouse still shows, as on the original platform.
// - the clipboard: nothing. Copy and cut do nothing and there is no context menu; a box never
//   starts a drag (Qt's default, which no box changes).
// - assistive technology: no text, caret or selection; and a text replaced while hidden raises
//   no text or caret event, since those events carry the old and the new text.
// - the announcer: nothing is said of it.
namespace HiddenText
{

// The text cannot be read: it is drawn in the colour of the background.
bool isHidden(const TextBox &box);

// What assistive technology may read of the text, caret and selection: nothing while hidden.
QString readableText(const TextBox &box);
int readableCursorPosition(const TextBox &box);
bool readableSelection(const TextBox &box);

// Whether the text's change events may reach assistive technology: not once the text changed
// while hidden, until it shows again.
bool passesTextEvents(const TextBox &box);

// Whether the text may go to the clipboard.
bool mayCopy(const TextBox &box);

// Whether the text of box may be said aloud.
bool mayAnnounce(const TextBox &box);

} // namespace HiddenText

} // namespace forms
