// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form.h"

#include "control.h"
#include "textbox.h"
#include "timerclock.h"
#include "twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace forms
{

TabOrder *tabOrderOf(QWidget *widget)
{
    auto *form = qobject_cast<Form *>(widget->window());
    return form ? &form->tabOrder() : nullptr;
}

Form::Form(TimerClock *clock)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_ownClock(clock ? nullptr : std::make_unique<SteadyTimerClock>()),
      m_clock(clock ? clock : m_ownClock.get()), m_announcer(this)
{
}

Form::~Form()
{
    // Controls leave the tab order as they go; let them go while the form is still whole.
    destroyControls();
}

void Form::destroyControls()
{
    const auto children = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    qDeleteAll(children);
}

void Form::setClientSize(float widthTwips, float heightTwips)
{
    setFixedSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
}

void Form::centerOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    setGeometry(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

bool Form::focusNextPrevChild(bool next)
{
    QWidget *target = m_tabOrder.next(focusWidget(), next);
    if (!target)
        return false;
    TextBox::moveFocus(target, next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void Form::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // On first display the focus goes to the first control of the tab order that takes it.
    if (QWidget *first = m_tabOrder.first())
        first->setFocus(Qt::OtherFocusReason);
}

bool Form::takeFormKey(const QKeyEvent &key)
{
    if (key.key() == Qt::Key_F6 && !(key.modifiers() & ~Qt::ShiftModifier) &&
        !m_focusPlaces.empty()) {
        moveToPlace(!(key.modifiers() & Qt::ShiftModifier));
        return true;
    }
    if (key.modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pressDefault();
        return true;
    case Qt::Key_Escape:
        pressCancel();
        return true;
    default:
        return false;
    }
}

void Form::setFocusPlaces(std::vector<std::vector<QWidget *>> places)
{
    m_focusPlaces = std::move(places);
}

int Form::placeOfFocus() const
{
    // The nearest parent of the focus that is the parent of a place; none: before the first.
    for (const QWidget *around = focusWidget(); around; around = around->parentWidget()) {
        for (std::size_t k = 0; k < m_focusPlaces.size(); ++k) {
            const auto &place = m_focusPlaces[k];
            if (!place.empty() && place.front()->parentWidget() == around)
                return int(k);
        }
    }
    return -1;
}

void Form::moveToPlace(bool forward)
{
    const int n = int(m_focusPlaces.size());
    int k = placeOfFocus();
    if (k < 0)
        k = forward ? n - 1 : 0;
    // A place none of whose controls can take the focus now is passed over.
    for (int step = 1; step <= n; ++step) {
        const int next = forward ? (k + step) % n : (k - step + n) % n;
        for (QWidget *control : m_focusPlaces[std::size_t(next)]) {
            if (TabOrder::canTakeFocus(control)) {
                TextBox::moveFocus(control, Qt::ShortcutFocusReason);
                return;
            }
        }
    }
}

void Form::pressCancel()
{
    if (m_cancelButton && m_cancelButton->isEnabled())
        m_cancelButton->click();
}

void Form::pressDefault()
{
    auto *focused = qobject_cast<QPushButton *>(focusWidget());
    QPushButton *button = focused ? focused : m_defaultButton;
    if (button && button->isEnabled())
        button->click();
}

} // namespace forms
