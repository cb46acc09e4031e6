// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "announcer.h"
#include "taborder.h"

#include <memory>
#include <QWidget>
#include <vector>

class QKeyEvent;
class QPushButton;

namespace forms
{

class TimerClock;

// A window of fixed size that holds controls laid out in twips. It keeps the tab order of its
// controls, a default button for Enter and a cancel button for Esc, and the clock its timers
// run on.
class Form : public QWidget
{
    Q_OBJECT

public:
    // Timers run on clock when one is given (tests drive it), else on the steady clock.
    explicit Form(TimerClock *clock = nullptr);
    ~Form() override;

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // The client area, in twips; the window cannot be resized.
    void setClientSize(float widthTwips, float heightTwips);
    void centerOnScreen();

    TabOrder &tabOrder() { return m_tabOrder; }
    // What the form says to a listener whatever has the focus.
    Announcer &announcer() { return m_announcer; }
    TimerClock &clock() { return *m_clock; }

    // Enter presses the default button (or the command button that has the focus); Esc presses
    // the cancel button.
    void setDefaultButton(QPushButton *button) { m_defaultButton = button; }
    void setCancelButton(QPushButton *button) { m_cancelButton = button; }

    // The places that F6 (forward) and Shift+F6 (backward) move the focus between, in a ring.
    // A place is a list of controls on one parent, of which the first that can take the focus
    // now takes it; the focus is in the place whose parent holds it most closely.
    void setFocusPlaces(std::vector<std::vector<QWidget *>> places);

    // A key pressed in a control of this form, before the control sees it (the application's
    // key filter, application.h, hands it over): Enter, Esc and F6 are the form's. True when the
    // form took it.
    bool takeFormKey(const QKeyEvent &key);

protected:
    // Deletes every control now. A derived form whose handlers use its own members calls this
    // from its destructor, so that no event of a dying control reaches a handler whose members
    // are already gone.
    void destroyControls();

    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent *event) override;

private:
    void pressDefault();
    void pressCancel();
    void moveToPlace(bool forward);
    int placeOfFocus() const;

    TabOrder m_tabOrder;
    std::unique_ptr<TimerClock> m_ownClock;
    TimerClock *m_clock;
    QPushButton *m_defaultButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    bool m_shown = false;
    std::vector<std::vector<QWidget *>> m_focusPlaces;
    Announcer m_announcer;
};

} // namespace forms
