// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "taborder.h"

#include <algorithm>
#include <QRadioButton>
#include <QWidget>

namespace forms
{

void TabOrder::append(QWidget *control)
{
    remove(control);
    m_order.push_back(control);
}

void TabOrder::remove(QWidget *control)
{
    std::erase(m_order, control);
}

void TabOrder::place(QWidget *control, int index)
{
    remove(control);
    const auto at = std::min<std::size_t>(std::size_t(std::max(index, 0)), m_order.size());
    m_order.insert(m_order.begin() + std::ptrdiff_t(at), control);
}

int TabOrder::indexOf(const QWidget *control) const
{
    const auto found = std::find(m_order.begin(), m_order.end(), control);
    return found == m_order.end() ? -1 : int(found - m_order.begin());
}

bool TabOrder::canTakeFocus(const QWidget *control)
{
    if (!control->isVisibleTo(control->window()) || !control->isEnabled() ||
        !(control->focusPolicy() & Qt::TabFocus))
        return false;
    // Of a group of option buttons only the selected one is a tab stop; arrows move within.
    if (const auto *option = qobject_cast<const QRadioButton *>(control)) {
        if (option->isChecked() || !option->autoExclusive())
            return true;
        const auto siblings =
            option->parentWidget()->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly);
        return std::none_of(siblings.begin(), siblings.end(),
                            [](const QRadioButton *b) { return b->isChecked(); });
    }
    return true;
}

QWidget *TabOrder::next(const QWidget *from, bool forward) const
{
    const int n = size();
    if (n == 0)
        return nullptr;
    int start = indexOf(from);
    if (start < 0)
        start = forward ? n - 1 : 0;
    for (int step = 1; step <= n; ++step) {
        const int i = forward ? (start + step) % n : (start - step + n) % n;
        if (canTakeFocus(m_order[std::size_t(i)]))
            return m_order[std::size_t(i)];
    }
    return nullptr;
}

QWidget *TabOrder::first() const
{
    for (QWidget *control : m_order) {
        if (canTakeFocus(control))
            return control;
    }
    return nullptr;
}

} // namespace forms
