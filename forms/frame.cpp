// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame.h"

#include "colors.h"

#include <QPainter>

namespace forms
{

Frame::Frame(QWidget *parent) : Control<QFrame>(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void Frame::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void Frame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int top = metrics.height() / 2;
    const QRect border(0, top, width() - 2, height() - top - 2);
    // The etched look: a shadow line with a highlight one pixel below and to the right.
    painter.setPen(colorFromValue(Colors::ButtonShadow));
    painter.drawRect(border);
    painter.setPen(colorFromValue(Colors::ButtonHighlight));
    painter.drawRect(border.translated(1, 1));
    if (m_caption.isEmpty())
        return;
    const int textLeft = 8;
    const QRect textRect(textLeft, 0, metrics.horizontalAdvance(m_caption) + 2, metrics.height());
    painter.fillRect(textRect, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, m_caption);
}

} // namespace forms
