// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control.h"
#include "event.h"

#include <QLineEdit>

namespace forms
{

// A text box: one line of text, a maximum length, a lock, and the window's colour values for
// its text and background. Qt's own setters are the setters here: every way of changing the text
// (QLineEdit::setText, typing, paste, assistive technology) raises Change, nested inside the
// change, and the same text raises nothing. What a hidden text may give away is decided in
// hiddentext.h.
class TextBox : public Control<QLineEdit>
{
public:
    explicit TextBox(QWidget *parent);

    QString Text() const { return text(); }

    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 color);
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 color);
    // The text changed while hidden and is hidden still.
    bool changedWhileHidden() const { return m_changedWhileHidden; }

    // A locked box refuses the user's edits; code may still set its text.
    bool Locked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }

    int MaxLength() const { return maxLength(); }

    int SelStart() const;
    // Puts the caret at start and selects nothing.
    void setSelStart(int start);
    int SelLength() const { return int(selectedText().size()); }
    // Selects length characters from SelStart.
    void setSelLength(int length);

    // What assistive technology reads besides the name and the text (the check's verdict). It is
    // read when asked: a new description is told at once only while the box has the focus, and
    // otherwise just before the focus reaches it, so that a check of 200 answers tells one box
    // and not 200 (a flood that makes a screen reader throw away what it was to say next).
    // A listener who has just heard the description another way (the announcement of a check)
    // is not told it again: alreadyHeard.
    QString description() const { return m_description; }
    void setDescription(const QString &description, bool alreadyHeard = false);

    // While one lives, changes of any box's text raise Change as ever but tell assistive
    // technology nothing: for a new drill, which empties up to 400 boxes at once.
    class Unannounced
    {
    public:
        Unannounced() { ++s_unannounced; }
        ~Unannounced() { --s_unannounced; }
        Unannounced(const Unannounced &) = delete;
        Unannounced &operator=(const Unannounced &) = delete;
    };
    // Newer Qt tells of such a change late, after the scope: latetextevents.h.
    static bool changesUnannounced() { return s_unannounced > 0; }

    // Moves the keyboard focus here and raises GotFocus, also when the window is not active.
    void SetFocus();

    // Moves the keyboard focus as the form does for Tab, F6 and SetFocus. A text box that gets it
    // raises GotFocus inside this call, but only after Qt has told assistive technology of the
    // new focus.
    static void moveFocus(QWidget *control, Qt::FocusReason reason);

    // A copy of this box's design-time properties on the same parent, hidden, at the end of
    // the tab order, for a new element of a control array.
    TextBox *clone() const;

    Event Change;
    Event Click;
    Event GotFocus;

protected:
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void textChangedByAnyone();
    void applyColors();
    void raiseGotFocus();

    void tellDescription();

    static bool s_formMovingFocus;
    static int s_unannounced;

    quint32 m_foreColor;
    quint32 m_backColor;
    bool m_gotFocusRaised = false;
    bool m_gotFocusPending = false;
    bool m_changedWhileHidden = false;
    QString m_description;
    bool m_descriptionUntold = false;
};

} // namespace forms
