// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibletextbox.h"

#include "hiddentext.h"
#include "textbox.h"

#include <QFontMetrics>

namespace forms
{

AccessibleTextBox::AccessibleTextBox(TextBox *box)
    : QAccessibleWidget(box, QAccessible::EditableText)
{
}

TextBox *AccessibleTextBox::box() const
{
    return static_cast<TextBox *>(widget());
}

QString AccessibleTextBox::readableText() const
{
    return HiddenText::readableText(*box());
}

void *AccessibleTextBox::interface_cast(QAccessible::InterfaceType type)
{
    const bool textual =
        type == QAccessible::TextInterface || type == QAccessible::EditableTextInterface;
    // Without a text interface the platform drops a change event, and with it the text it names;
    // newer Qt raises the event again later, which latetextevents.h stops.
    if (textual && (TextBox::changesUnannounced() || !HiddenText::passesTextEvents(*box())))
        return nullptr;
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleTextBox::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return readableText();
    if (kind == QAccessible::Description)
        return box()->description();
    return QAccessibleWidget::text(kind);
}

QAccessible::State AccessibleTextBox::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = box()->Locked();
    state.editable = !box()->Locked();
    state.selectableText = true;
    return state;
}

void AccessibleTextBox::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !selectionCount())
        return;
    *startOffset = box()->selectionStart();
    *endOffset = box()->selectionEnd();
}

int AccessibleTextBox::selectionCount() const
{
    return HiddenText::readableSelection(*box()) ? 1 : 0;
}

void AccessibleTextBox::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void AccessibleTextBox::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        box()->deselect();
}

void AccessibleTextBox::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        box()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleTextBox::cursorPosition() const
{
    return HiddenText::readableCursorPosition(*box());
}

void AccessibleTextBox::setCursorPosition(int position)
{
    box()->setCursorPosition(position);
}

QString AccessibleTextBox::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset)
        return QString();
    return readableText().mid(startOffset, endOffset - startOffset);
}

int AccessibleTextBox::characterCount() const
{
    return int(readableText().size());
}

QRect AccessibleTextBox::characterRect(int offset) const
{
    const QString text = readableText();
    if (offset < 0 || offset >= text.size())
        return QRect();
    // The boxes align their text left from the edge of their contents.
    const QFontMetrics metrics(box()->font());
    const QRect contents = box()->contentsRect();
    const int left = contents.left() + metrics.horizontalAdvance(text.left(offset));
    const QRect local(left, contents.top(), metrics.horizontalAdvance(text.at(offset)),
                      contents.height());
    return QRect(box()->mapToGlobal(local.topLeft()), local.size());
}

int AccessibleTextBox::offsetAtPoint(const QPoint &point) const
{
    if (HiddenText::isHidden(*box()))
        return -1;
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void AccessibleTextBox::scrollToSubstring(int startIndex, int endIndex)
{
    box()->setCursorPosition(endIndex);
    box()->setCursorPosition(startIndex);
}

QString AccessibleTextBox::attributes(int offset, int *startOffset, int *endOffset) const
{
    // The whole text is one plain run without attributes. A run of no length at the offset would
    // make a screen reader cut the text into pieces there and speak only a part of it.
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

void AccessibleTextBox::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void AccessibleTextBox::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void AccessibleTextBox::replaceText(int startOffset, int endOffset, const QString &text)
{
    // Edits from assistive technology obey the lock, as typing does.
    const int size = int(box()->text().size());
    if (box()->Locked() || HiddenText::isHidden(*box()) || startOffset < 0 ||
        endOffset < startOffset || endOffset > size)
        return;
    QString changed = box()->text();
    changed.replace(startOffset, endOffset - startOffset, text);
    box()->setText(changed);
}

} // namespace forms
