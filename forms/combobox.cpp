// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "combobox.h"

#include <algorithm>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalBlocker>

namespace forms
{

ComboBox::ComboBox(QWidget *parent) : Control<QComboBox>(parent)
{
    setEditable(true);
    // Enter in the field must not grow the list, and the text is exactly what was typed:
    // no completion that would turn "2" into "20" behind the user's back.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // Qt's combo box selects the matching item when its field loses the focus or takes Enter,
    // and reports that as a pick; only a real pick from the list is a click here.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    connect(this, &QComboBox::editTextChanged, this, [this] { Change.raise(); });
    connect(this, &QComboBox::activated, this, [this] { Click.raise(); });
}

void ComboBox::setText(const QString &text)
{
    if (text != currentText())
        setEditText(text);
}

void ComboBox::AddItem(const QString &item)
{
    const QSignalBlocker quiet(this);
    const QString text = currentText();
    // Qt makes the first item of an empty list current, overwriting the text: undo that.
    addItem(item);
    if (currentIndex() != -1 || currentText() != text) {
        setCurrentIndex(-1);
        setEditText(text);
    }
}

void ComboBox::showPopup()
{
    // Qt 6.4 opens the list on the current item; Qt 6.8 (met there and on 6.11; guarded from
    // 6.5, the first Qt after 6.4, as 6.5 to 6.7 are untried) keeps the row an earlier opening
    // left, so that Enter would pick that row. The row is set while the list is still hidden and
    // without a highlight: under Wine with Qt 6.8 a list that first shows a highlighted row it did
    // not pick itself hides again at once.
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    if (count() > 0)
        view()->selectionModel()->setCurrentIndex(
            model()->index(std::max(currentIndex(), 0), modelColumn(), rootModelIndex()),
            QItemSelectionModel::Clear);
#endif
    QComboBox::showPopup();
}

QVariant ComboBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // The field holds a number: an input method in Chinese mode would make "." a full-width
    // "。". Refusing it sends the keys straight to the field, as for the text boxes.
    if (query == Qt::ImEnabled)
        return false;
    return QComboBox::inputMethodQuery(query);
}

} // namespace forms
