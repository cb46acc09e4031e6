// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace forms
{

// A line, solid and one pixel wide, between two end points in twips on its container. It is
// drawn beneath the controls and takes no input.
class Line : public QWidget
{
public:
    explicit Line(QWidget *parent);

    float X1() const { return m_x1; }
    float Y1() const { return m_y1; }
    float X2() const { return m_x2; }
    float Y2() const { return m_y2; }
    void setEnds(float x1, float y1, float x2, float y2);

    quint32 BorderColor() const { return m_color; }
    void setBorderColor(quint32 color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    float m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    quint32 m_color = 0;
};

} // namespace forms
