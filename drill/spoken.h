// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// What a listener hears of a drill, in the window's language.
namespace Spoken
{

// An item as it is said: a number as written ("07"), a letter pair letter by letter ("c a"), so
// that a pair such as "ca" is not read as a syllable.
QString item(const QString &item);

// The verdict of one answer in words, for those who cannot tell the colours: 对 or 错.
QString verdict(bool right);

// How the check went: "对 5 个，共 6 个" (5 right of 6).
QString summary(int right, int count);

} // namespace Spoken
