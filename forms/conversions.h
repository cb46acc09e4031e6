// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// Conversions between texts and numbers as the window's handlers need them. They read and write
// the C locale's decimal point whatever the user's locale, so that every list item written by
// numberToText converts back to the value it came from.
namespace forms
{

// Text to double. Accepts optional surrounding blanks, an optional sign, digits with an optional
// decimal point (also "2." and ".5", the texts a person passes while typing a decimal) and an
// optional exponent. An empty text, a text without digits or anything else throws TypeMismatch;
// a value too large for a double throws Overflow.
double textToDouble(const QString &text);

// Double to 32-bit integer, to the nearest whole number with halves to the even neighbour.
// Throws Overflow outside the 32-bit range (and for NaN).
qint32 roundToInt32(double value);

// Double to 16-bit integer, rounding as roundToInt32; throws Overflow outside the 16-bit range.
qint16 roundToInt16(double value);

// A number in plain decimal notation: "0.5", "10", "-2.25"; never ".5", "0.50" or "10.0".
QString numberToText(double value);

} // namespace forms
