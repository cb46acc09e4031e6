// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <vector>

class QWidget;

namespace forms
{

// The window's tab order: every control that has a tab index holds a place, also labels and
// frames, which never take the focus. The Tab key follows the places, skipping the controls
// that cannot take the focus now.
class TabOrder
{
public:
    // A new control enters at the end of the order.
    void append(QWidget *control);
    void remove(QWidget *control);
    // Places the control at place index; the controls from that place on move one place back.
    void place(QWidget *control, int index);
    int indexOf(const QWidget *control) const;
    int size() const { return int(m_order.size()); }
    QWidget *at(int index) const { return m_order.at(std::size_t(index)); }

    // The control the Tab key (forward) or Shift+Tab (backward) moves to from `from`;
    // null when none can take the focus.
    QWidget *next(const QWidget *from, bool forward) const;
    // The first control of the order that can take the focus now.
    QWidget *first() const;

    static bool canTakeFocus(const QWidget *control);

private:
    std::vector<QWidget *> m_order;
};

} // namespace forms
