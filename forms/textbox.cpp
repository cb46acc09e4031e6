// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "textbox.h"

#include "colors.h"
#include "hiddentext.h"
#include "latetextevents.h"
#include "runtimeerror.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <type_traits>

namespace forms
{

// Whoever holds a TextBox as a QLineEdit reaches the same code as through the TextBox: the box
// adds no setter of its own over Qt's, so none can be skipped.
static_assert(std::is_same_v<decltype(&TextBox::setText), void (QLineEdit::*)(const QString &)>);
static_assert(std::is_same_v<decltype(&TextBox::clear), void (QLineEdit::*)()>);
static_assert(std::is_same_v<decltype(&TextBox::insert), void (QLineEdit::*)(const QString &)>);
static_assert(std::is_same_v<decltype(&TextBox::setMaxLength), void (QLineEdit::*)(int)>);
static_assert(std::is_same_v<decltype(&TextBox::setReadOnly), void (QLineEdit::*)(bool)>);

bool TextBox::s_formMovingFocus = false;
int TextBox::s_unannounced = 0;

#ifdef Q_OS_WIN
constexpr bool PaletteAlwaysOwn = true;
#else
constexpr bool PaletteAlwaysOwn = false;
#endif

TextBox::TextBox(QWidget *parent)
    : Control<QLineEdit>(parent), m_foreColor(Colors::WindowText), m_backColor(Colors::Window)
{
    // The whole box is for text: two characters of the box font fit without scrolling.
    setTextMargins(-1, 0, -1, 0);
    connect(this, &QLineEdit::textChanged, this, &TextBox::textChangedByAnyone);
    applyColors();
}

void TextBox::textChangedByAnyone()
{
    // Qt emits this before it tells assistive technology of the change, whoever made it: the
    // hidden-text rule is in force for those events already.
    if (HiddenText::isHidden(*this))
        m_changedWhileHidden = true;
    LateTextEvents::noteChange(*this);
    Change.raise();
}

void TextBox::setDescription(const QString &description, bool alreadyHeard)
{
    if (description == m_description)
        return;
    m_description = description;
    m_descriptionUntold = !alreadyHeard;
    if (hasFocus())
        tellDescription();
}

void TextBox::tellDescription()
{
    if (!m_descriptionUntold)
        return;
    m_descriptionUntold = false;
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // Answers are two letters or digits typed key by key. An input method, which Chinese users
    // mostly leave on, would compose the letters into a character and take Enter for itself:
    // refusing it sends the keys straight here (on Windows Qt takes the window's IME context).
    if (query == Qt::ImEnabled)
        return false;
    return QLineEdit::inputMethodQuery(query);
}

void TextBox::setForeColor(quint32 color)
{
    if (color == m_foreColor)
        return;
    m_foreColor = color;
    applyColors();
}

void TextBox::setBackColor(quint32 color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    applyColors();
}

void TextBox::applyColors()
{
    if (!HiddenText::isHidden(*this))
        m_changedWhileHidden = false;
    const QColor fore = colorFromValue(m_foreColor);
    const QColor back = colorFromValue(m_backColor);
    // A box in the colours its parent gives all boxes keeps no palette of its own: hundreds of
    // boxes then share one. Not on Windows, whose style paints a box in the theme's colour
    // unless the box's own palette sets the background.
    const QPalette inherited = parentWidget() ? parentWidget()->palette() : QPalette();
    if (!PaletteAlwaysOwn && inherited.color(QPalette::Text) == fore &&
        inherited.color(QPalette::Base) == back) {
        if (testAttribute(Qt::WA_SetPalette))
            setPalette(QPalette());
        return;
    }
    QPalette own = inherited;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        own.setColor(group, QPalette::Text, fore);
        own.setColor(group, QPalette::Base, back);
    }
    setPalette(own);
}

int TextBox::SelStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TextBox::setSelStart(int start)
{
    deselect();
    setCursorPosition(std::clamp(start, 0, int(text().size())));
}

void TextBox::setSelLength(int length)
{
    const int start = SelStart();
    const int available = int(text().size()) - start;
    setSelection(start, std::clamp(length, 0, available));
}

void TextBox::SetFocus()
{
    if (!isVisibleTo(window()) || !isEnabled())
        throw RuntimeError(RuntimeError::Code::InvalidCall, "control cannot take the focus");
    if (hasFocus())
        return;
    m_gotFocusRaised = false;
    moveFocus(this, Qt::OtherFocusReason);
    // In an inactive window Qt only remembers the focus; the got-focus event is still due now.
    if (!m_gotFocusRaised)
        GotFocus.raise();
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    // Focus that comes by the keyboard selects nothing by itself: only a handler selects. A
    // selection painted in the highlight colours would make a hidden item readable again.
    const bool byKeyboard = event->reason() == Qt::TabFocusReason ||
                            event->reason() == Qt::BacktabFocusReason ||
                            event->reason() == Qt::ShortcutFocusReason;
    QFocusEvent plain(event->type(), byKeyboard ? Qt::OtherFocusReason : event->reason());
    QLineEdit::focusInEvent(&plain);
    // Qt tells of the focus after this event: the reader then reads the description it has.
    tellDescription();
    // Coming back to the window or from a popup is not a new focus.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    // Qt tells assistive technology of the new focus only after this event, and a screen reader
    // that hears of a selection in a box before its focus takes the box for focused without
    // presenting it. When the form moves the focus, the got-focus handler (which selects) runs
    // once Qt has told of the focus, still inside the move.
    if (s_formMovingFocus) {
        m_gotFocusPending = true;
        return;
    }
    raiseGotFocus();
}

void TextBox::focusOutEvent(QFocusEvent *event)
{
    m_gotFocusPending = false;
    QLineEdit::focusOutEvent(event);
}

void TextBox::raiseGotFocus()
{
    m_gotFocusPending = false;
    m_gotFocusRaised = true;
    GotFocus.raise();
}

void TextBox::moveFocus(QWidget *control, Qt::FocusReason reason)
{
    {
        const QScopedValueRollback moving(s_formMovingFocus, true);
        control->setFocus(reason);
    }
    auto *box = dynamic_cast<TextBox *>(QApplication::focusWidget());
    if (box && box->m_gotFocusPending)
        box->raiseGotFocus();
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    const bool copying = event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut);
    if (copying && !HiddenText::mayCopy(*this)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent *event)
{
    // Qt copies a mouse selection to the X11 selection as the button goes up.
    if (HiddenText::mayCopy(*this))
        QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Click.raise();
}

void TextBox::contextMenuEvent(QContextMenuEvent *event)
{
    // Its first entries copy.
    if (HiddenText::mayCopy(*this))
        QLineEdit::contextMenuEvent(event);
    else
        event->accept();
}

TextBox *TextBox::clone() const
{
    auto *copy = new TextBox(parentWidget());
    copy->setVisible(false);
    copy->copyGeometryFrom(*this);
    copy->setMaxLength(maxLength());
    copy->setAlignment(alignment());
    copy->setFrame(hasFrame());
    copy->setLocked(Locked());
    copy->m_foreColor = m_foreColor;
    copy->m_backColor = m_backColor;
    copy->applyColors();
    if (testAttribute(Qt::WA_SetFont))
        copy->setFont(font());
    copy->setToolTip(toolTip());
    copy->setFocusPolicy(focusPolicy());
    {
        // The copy's text is a design-time value, not an edit: no change event.
        const QSignalBlocker quiet(copy);
        copy->QLineEdit::setText(text());
    }
    return copy;
}

} // namespace forms
