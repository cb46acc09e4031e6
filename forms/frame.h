// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control.h"

#include <QFrame>

namespace forms
{

// A frame: an etched border with a caption at its top left, holding controls whose positions
// are taken from its own top-left corner.
class Frame : public Control<QFrame>
{
public:
    explicit Frame(QWidget *parent);

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
};

} // namespace forms
