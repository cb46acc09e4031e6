// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "line.h"

#include "colors.h"
#include "twips.h"

#include <QPainter>

namespace forms
{

Line::Line(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Line::setEnds(float x1, float y1, float x2, float y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    // One logical pixel of room on every side: at a fractional scale the device pixel a twip
    // position rounds to may lie just outside the line's own logical pixel.
    const QPoint a(twipsToPixels(x1), twipsToPixels(y1));
    const QPoint b(twipsToPixels(x2), twipsToPixels(y2));
    setGeometry(QRect(a, b).normalized().adjusted(-1, -1, 1, 1));
    lower();
}

void Line::setBorderColor(quint32 color)
{
    m_color = color;
    update();
}

// The line is laid in device pixels: each end on the device pixel its position in twips rounds
// to, one device pixel wide, so that no scale lets it fall between two rows or columns.
void Line::paintEvent(QPaintEvent *)
{
    const double scale = devicePixelRatioF();
    const QPointF origin = mapTo(window(), QPoint(0, 0));
    const QPointF container = parentWidget()->mapTo(window(), QPoint(0, 0));
    const auto devicePoint = [&](float x, float y) {
        return QPointF(std::lround((container.x() * TwipsPerPixel + x) * scale / TwipsPerPixel),
                       std::lround((container.y() * TwipsPerPixel + y) * scale / TwipsPerPixel));
    };
    const QPointF a = devicePoint(m_x1, m_y1);
    const QPointF b = devicePoint(m_x2, m_y2);
    // Both ends are drawn, as a one-pixel pen draws them.
    const QRectF pixels = QRectF(a, b).normalized().adjusted(0, 0, 1, 1);
    const QRectF local(pixels.topLeft() / scale - origin, pixels.size() / scale);
    QPainter painter(this);
    painter.fillRect(local, colorFromValue(m_color));
}

} // namespace forms
