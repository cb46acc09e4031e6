// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control.h"

#include <QLabel>

namespace forms
{

// A label. Sized to text, it takes the size of its caption, one line high; an empty caption is
// one half-width character wide. It can grow to the left, keeping its right edge.
class Label : public Control<QLabel>
{
public:
    explicit Label(QWidget *parent);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption);

    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    // When sized to text, keep the right edge and move the left one.
    void setGrowsLeft(bool growsLeft) { m_growsLeft = growsLeft; }

    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 color);
    quint32 BackColor() const { return m_backColor; }
    // Paints the background in this colour (an opaque label).
    void setBackColor(quint32 color);

private:
    void fitToText();
    void applyColors();

    bool m_autoSize = false;
    bool m_growsLeft = false;
    bool m_opaque = false;
    quint32 m_foreColor;
    quint32 m_backColor;
};

} // namespace forms
