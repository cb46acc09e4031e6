// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "announcer.h"
#include "checkbox.h"
#include "combobox.h"
#include "controlarray.h"
#include "intervaltimer.h"
#include "label.h"
#include "optionbutton.h"
#include "randomsource.h"
#include "textbox.h"

class CodeTable;

// The controls of the window that a drill reads and writes. The drill keeps no settings of its
// own: the mode, the count and the pace are read from these controls when they are needed.
struct DrillSurface {
    // A drill's capacity: the item and answer boxes 1..BoxCount that start-up creates.
    static constexpr int BoxCount = 200;

    forms::ControlArray<forms::TextBox> &Txtsc;    // item boxes 1..BoxCount
    forms::ControlArray<forms::TextBox> &Txtjc;    // answer boxes 1..BoxCount
    forms::ControlArray<forms::OptionButton> &Op1; // 0 digits, 1 letters
    forms::ComboBox &Cb2;                          // the count
    forms::CheckBox &ckdm;                         // show the code word
    forms::Label &lbldm;                           // the code word
    forms::IntervalTimer &Timer1;                  // presents the next item
    forms::IntervalTimer &Timer2;                  // ends the study time
    const CodeTable &codes;
    forms::RandomSource &random;
    forms::Announcer &announcer; // what a listener hears whatever has the focus
};
