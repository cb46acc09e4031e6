// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

// The window's typeface, "宋体" (SimSun), at a point size. Where SimSun is missing (Linux), the
// nearest Song-style CJK fonts with half-width Latin glyphs stand in, so that any two
// characters fit an item box as they do in SimSun.
QFont songFont(qreal pointSize);
