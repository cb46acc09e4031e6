// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>
#include <QWidget>

namespace bench
{

class PaintedBox;

// The one real editor of a grid of painted boxes: lent to the box that has the focus, so that
// typing, selection, paste and the caret are QLineEdit's own, and given back when the focus
// leaves.
class LentEditor : public QLineEdit
{
    Q_OBJECT

public:
    explicit LentEditor(QWidget *layer);

    void lendTo(PaintedBox *box, Qt::FocusReason reason);
    PaintedBox *box() const { return m_box; }

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    PaintedBox *m_box = nullptr;
};

// A text box that paints its frame and text itself: a plain widget with a string, a maximum
// length and a lock; it holds no line control, text layout or undo stack of its own.
class PaintedBox : public QWidget
{
    Q_OBJECT

public:
    PaintedBox(QWidget *layer, LentEditor *editor);

    QString text() const { return m_text; }
    void setText(const QString &text);
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length);
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);

Q_SIGNALS:
    void textChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    LentEditor *m_editor;
    QString m_text;
    int m_maxLength = 32767;
    bool m_readOnly = false;
};

} // namespace bench
