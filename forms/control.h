// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "taborder.h"
#include "twips.h"

#include <QWidget>

namespace forms
{

// The tab order of the form a widget stands on, or null outside a form.
TabOrder *tabOrderOf(QWidget *widget);

// What every control of a form offers: position and size in twips, visibility, the enabled
// state and its place in the tab order. Positions are kept as given (single precision, like
// the design data) and turned into pixels only for Qt.
template <class Widget> class Control : public Widget
{
public:
    explicit Control(QWidget *parent) : Widget(parent)
    {
        // The runtime's controls change their look at once when the mouse comes or goes.
        // Windows' style would fade between the looks through pictures that lack a combo box's
        // frame, and on a busy machine the last of them could stay on the screen.
        this->setProperty("_q_no_animation", true);
        if (TabOrder *order = tabOrderOf(this))
            order->append(this);
    }
    ~Control() override
    {
        if (TabOrder *order = tabOrderOf(this))
            order->remove(this);
    }

    float Left() const { return m_left; }
    float Top() const { return m_top; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    void setLeft(float twips) { Move(twips, m_top, m_width, m_height); }
    void setTop(float twips) { Move(m_left, twips, m_width, m_height); }
    void setWidth(float twips) { Move(m_left, m_top, twips, m_height); }
    void setHeight(float twips) { Move(m_left, m_top, m_width, twips); }
    void Move(float left, float top, float width, float height)
    {
        m_left = left;
        m_top = top;
        m_width = width;
        m_height = height;
        // Edges are rounded, not sizes, so neighbours at equal twips meet at equal pixels.
        const int x = twipsToPixels(left);
        const int y = twipsToPixels(top);
        this->setGeometry(x, y, twipsToPixels(left + width) - x, twipsToPixels(top + height) - y);
    }

    bool Visible() const { return !this->isHidden(); }
    bool Enabled() const { return this->isEnabled(); }

    int TabIndex() const
    {
        const TabOrder *order = tabOrderOf(const_cast<Control *>(this));
        return order ? order->indexOf(this) : -1;
    }
    void setTabIndex(int index)
    {
        if (TabOrder *order = tabOrderOf(this))
            order->place(this, index);
    }

protected:
    // For a copy of a control: the same design-time position and size.
    void copyGeometryFrom(const Control &other)
    {
        Move(other.m_left, other.m_top, other.m_width, other.m_height);
    }

private:
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
};

} // namespace forms
