// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form.h"

#include "accessibility.h"
#include "control.h"
#include "timerclock.h"
#include "twips.h"

#include <QApplication>
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
      m_clock(clock ? clock : m_ownClock.get())
{
    // Enter and Esc belong to the form's buttons whichever control has the focus, as in a
    // dialog. They are taken before the control sees them, but not from an open drop-down list,
    // which is a window of its own and needs them to pick or to close.
    QCoreApplication::instance()->installEventFilter(this);
    installAccessibility();
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
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
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

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget *>(watched)->window() != this || QApplication::activePopupWidget())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (key->key()) {
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
