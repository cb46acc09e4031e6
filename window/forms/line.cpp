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
    const QPoint a(twipsToPixels(x1), twipsToPixels(y1));
    const QPoint b(twipsToPixels(x2), twipsToPixels(y2));
    setGeometry(QRect(a, b).normalized());
    lower();
}

void Line::setBorderColor(quint32 color)
{
    m_color = color;
    update();
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPoint a(twipsToPixels(m_x1), twipsToPixels(m_y1));
    const QPoint b(twipsToPixels(m_x2), twipsToPixels(m_y2));
    painter.setPen(QPen(colorFromValue(m_color), 0));
    painter.drawLine(a - pos(), b - pos());
}

} // namespace forms
