// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "checkbox.h"
#include "combobox.h"
#include "commandbutton.h"
#include "controlarray.h"
#include "frame.h"
#include "intervaltimer.h"
#include "label.h"
#include "line.h"
#include "optionbutton.h"
#include "textbox.h"

#include <memory>

namespace forms
{
class Form;
}

// The controls of the main window with their design-time values: the item and answer boxes 1,
// the settings frame, the two command buttons, the status box and the two timers. Building
// them is kept apart from what they do.
class Form1Design
{
public:
    // Item boxes and answer boxes; start-up adds elements 2..200.
    forms::ControlArray<forms::TextBox> Txtsc;
    forms::ControlArray<forms::TextBox> Txtjc;

    forms::Frame *Fr1 = nullptr;
    forms::ControlArray<forms::Label> Label1;
    forms::ControlArray<forms::OptionButton> Op1;
    forms::ComboBox *Cb1 = nullptr; // seconds between items
    forms::ComboBox *Cb2 = nullptr; // items in a drill
    forms::ComboBox *Cb3 = nullptr; // seconds of study time
    forms::CheckBox *ckdm = nullptr;
    forms::CheckBox *Check1 = nullptr;
    forms::CheckBox *Check4 = nullptr;
    forms::ControlArray<forms::Line> Line1;
    forms::ControlArray<forms::Line> Line2;
    forms::ControlArray<forms::Line> Line3;

    forms::CommandButton *cmdsc = nullptr; // generate
    forms::CommandButton *cmdjc = nullptr; // check

    forms::Label *Label2 = nullptr; // credit line
    forms::Label *Label3 = nullptr;
    forms::Label *Label4 = nullptr; // contact line
    forms::Label *lbldm = nullptr;  // code word

    std::unique_ptr<forms::IntervalTimer> Timer1; // presents the next item
    std::unique_ptr<forms::IntervalTimer> Timer2; // ends the study time

    // Builds the design-time controls on form.
    explicit Form1Design(forms::Form *form);

    // The window's caption, exactly as designed.
    static QString caption();

private:
    void setupUi(forms::Form *form);
    void setupWindow(forms::Form *form);
    void setupBoxes(forms::Form *form);
    void setupCommandButtons(forms::Form *form);
    void setupSettingsFrame(forms::Form *form);
    void setupStatusBox(forms::Form *form);
    void setupTimers(forms::Form *form);
    void setupTabOrder();
    void setupFocusPlaces(forms::Form *form);
    void setupAccessibleNames();
};
