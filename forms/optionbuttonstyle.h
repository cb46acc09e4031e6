// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProxyStyle>

namespace forms
{

// The design style with an option button's caption where Qt 6.4 to 6.8 put it: the width of the
// label spacing after the circle. Qt 6.9 and later start it one pixel nearer the circle, which
// moves the captions of the design's option buttons.
class OptionButtonStyle : public QProxyStyle
{
public:
    // The style for option buttons on the running Qt: none where Qt places the caption as
    // designed, else one shared by the application's option buttons and owned by it.
    static QStyle *forThisQt();

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    OptionButtonStyle();
};

} // namespace forms
