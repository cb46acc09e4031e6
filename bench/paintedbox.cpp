// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paintedbox.h"

#include <QFocusEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>

namespace bench
{

LentEditor::LentEditor(QWidget *layer) : QLineEdit(layer)
{
    setTextMargins(-1, 0, -1, 0);
    hide();
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_box)
            m_box->setText(text);
    });
}

void LentEditor::lendTo(PaintedBox *box, Qt::FocusReason reason)
{
    m_box = box;
    setGeometry(box->geometry());
    setMaxLength(box->maxLength());
    setReadOnly(box->isReadOnly());
    {
        const QSignalBlocker quiet(this);
        setText(box->text());
    }
    raise();
    show();
    setFocus(reason);
}

void LentEditor::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A popup (the context menu) takes the focus for a moment; the box keeps its editor.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    m_box = nullptr;
    hide();
}

PaintedBox::PaintedBox(QWidget *layer, LentEditor *editor) : QWidget(layer), m_editor(editor)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
}

void PaintedBox::setText(const QString &text)
{
    const QString cut = text.left(m_maxLength);
    if (cut == m_text)
        return;
    m_text = cut;
    if (m_editor->box() == this && m_editor->text() != cut) {
        const QSignalBlocker quiet(m_editor);
        m_editor->setText(cut);
    }
    update();
    Q_EMIT textChanged(m_text);
}

void PaintedBox::setMaxLength(int length)
{
    m_maxLength = length;
    setText(m_text);
}

void PaintedBox::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (m_editor->box() == this)
        m_editor->setReadOnly(readOnly);
}

void PaintedBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionFrame panel;
    panel.initFrom(this);
    panel.rect = rect();
    panel.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, this);
    panel.midLineWidth = 0;
    panel.state |= QStyle::State_Sunken;
    if (m_readOnly)
        panel.state |= QStyle::State_ReadOnly;
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    // Where QLineEdit puts its text: the contents less the text margins (-1) and its own
    // horizontal margin (2).
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(contents.adjusted(1, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, m_text);
}

void PaintedBox::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    m_editor->lendTo(this, event->reason());
}

} // namespace bench
