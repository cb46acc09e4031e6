// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "optionbuttonstyle.h"

#include "look.h"

#include <QApplication>
#include <QCommonStyle>
#include <QPointer>
#include <QStyleOptionButton>

namespace forms
{

namespace
{

// How many pixels nearer the circle the running Qt starts a caption than indicator width plus
// label spacing. Every style takes the caption's place from Qt's common style, so that one tells.
int captionShortfall()
{
    static const int shortfall = [] {
        QCommonStyle common;
        QStyleOptionButton option;
        option.rect = QRect(0, 0, 100, 20);
        option.direction = Qt::LeftToRight;
        const QRect circle = common.subElementRect(QStyle::SE_RadioButtonIndicator, &option);
        const QRect caption = common.subElementRect(QStyle::SE_RadioButtonContents, &option);
        const int spacing = common.pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option);
        return circle.left() + circle.width() + spacing - caption.left();
    }();
    return shortfall;
}

} // namespace

OptionButtonStyle::OptionButtonStyle() : QProxyStyle(designStyle()) {}

QStyle *OptionButtonStyle::forThisQt()
{
    // Qt 6.4 to 6.8 place the caption as designed; Qt 6.9 moved it nearer the circle (measured:
    // one pixel), and the probe tells by how much.
#if QT_VERSION >= QT_VERSION_CHECK(6, 9, 0)
    if (captionShortfall() != 0) {
        static QPointer<OptionButtonStyle> shared;
        if (!shared) {
            shared = new OptionButtonStyle;
            shared->setParent(qApp);
        }
        return shared;
    }
#endif
    return nullptr;
}

int OptionButtonStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                   const QWidget *widget) const
{
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    return metric == PM_RadioButtonLabelSpacing ? value + captionShortfall() : value;
}

} // namespace forms
