// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "label.h"

#include "colors.h"

namespace forms
{

Label::Label(QWidget *parent)
    : Control<QLabel>(parent), m_foreColor(Colors::ButtonText), m_backColor(Colors::ButtonFace)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
    setMargin(0);
}

void Label::setCaption(const QString &caption)
{
    setText(caption);
    if (m_autoSize)
        fitToText();
}

void Label::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (autoSize)
        fitToText();
}

void Label::fitToText()
{
    const QFontMetrics metrics = fontMetrics();
    const int widthPx =
        text().isEmpty() ? metrics.horizontalAdvance(u'0') : metrics.horizontalAdvance(text());
    const float width = float(pixelsToTwips(widthPx));
    const float height = float(pixelsToTwips(metrics.height()));
    const float left = m_growsLeft ? Left() + Width() - width : Left();
    Move(left, Top(), width, height);
}

void Label::setForeColor(quint32 color)
{
    m_foreColor = color;
    applyColors();
}

void Label::setBackColor(quint32 color)
{
    m_backColor = color;
    m_opaque = true;
    applyColors();
}

void Label::applyColors()
{
    QPalette own = palette();
    own.setColor(QPalette::WindowText, colorFromValue(m_foreColor));
    own.setColor(QPalette::Window, colorFromValue(m_backColor));
    setPalette(own);
    setAutoFillBackground(m_opaque);
}

} // namespace forms
