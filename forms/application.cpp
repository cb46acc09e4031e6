// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"

#include "accessibility.h"
#include "form.h"
#include "look.h"

#include <QApplication>
#include <QKeyEvent>

namespace forms
{

namespace
{

// Enter and Esc belong to a form's buttons whichever control has the focus, as in a dialog, and
// F6 moves between its places. The form takes them before the control sees them, but not from
// an open drop-down list, which is a window of its own and needs them to pick or to close.
class FormKeyFilter : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
            QApplication::activePopupWidget())
            return false;
        auto *form = qobject_cast<Form *>(static_cast<QWidget *>(watched)->window());
        return form && form->takeFormKey(*static_cast<QKeyEvent *>(event));
    }
};

} // namespace

void setUpApplication()
{
    static const bool installed = [] {
        auto *keys = new FormKeyFilter;
        keys->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(keys);
        installAccessibility();
        return true;
    }();
    Q_UNUSED(installed);
    keepDesignLook();
}

} // namespace forms
