// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drillcycle.h"

#include "colors.h"
#include "conversions.h"
#include "drillsurface.h"
#include "itemgenerator.h"
#include "runtimeerror.h"

#include <algorithm>
#include <cmath>

using forms::Colors::Black;
using forms::Colors::ButtonFace;
using forms::Colors::ScrollBar;
using forms::Colors::White;

namespace
{
constexpr int BoxCount = DrillSurface::BoxCount;
}

void DrillCycle::reset()
{
    try {
        m_nextItem = 1;
        m_surface.Timer1.setEnabled(false);
        m_surface.Timer2.setEnabled(false);
        m_surface.ckdm.setEnabled(true);
        m_surface.announcer.clear();
        // Up to 400 boxes empty at once: a screen reader hears none of it, and so still hears
        // the first item of the next drill.
        const forms::TextBox::Unannounced quiet;
        for (int i = 1; i <= BoxCount; ++i) {
            m_surface.Txtsc(i).setText(QString());
            m_surface.Txtsc(i).setForeColor(Black);
            forms::TextBox &answer = m_surface.Txtjc(i);
            answer.setForeColor(Black);
            answer.setDescription(QString()); // the last check's verdict goes too
            answer.setBackColor(ButtonFace);
            // Clearing a box that held text raises its change handling, which paints it white;
            // the grey is set again after it.
            answer.setText(QString());
            answer.setBackColor(ButtonFace);
            answer.setLocked(true);
        }
    } catch (const forms::RuntimeError &) {
        // What was done stays done.
    }
}

void DrillCycle::generate()
{
    reset();
    m_generator.sc(1);
    m_nextItem = 2;
    m_surface.Timer1.setEnabled(true);
}

void DrillCycle::presentNext()
{
    try {
        m_generator.sc(m_nextItem);
        const double count = forms::textToDouble(m_surface.Cb2.Text());
        if (count == m_nextItem) {
            m_surface.Timer2.setEnabled(true);
            m_surface.Timer1.setEnabled(false);
        }
        // The counter is a 16-bit integer: the increment overflows (and abandons the drill)
        // past 32767, as the counter's own arithmetic would; box 201 fails long before that.
        m_nextItem = forms::roundToInt16(double(m_nextItem) + 1);
    } catch (const forms::RuntimeError &) {
        reset();
    }
}

int DrillCycle::boxesOfDrill() const
{
    try {
        const double count = forms::textToDouble(m_surface.Cb2.Text());
        // The loop runs while i is not above the count: 10.5 covers 1..10.
        return int(std::clamp(std::floor(count), 0.0, double(BoxCount)));
    } catch (const forms::RuntimeError &) {
        return std::clamp(m_nextItem - 1, 0, BoxCount);
    }
}

void DrillCycle::endStudy()
{
    // Whatever the count reads now, the tick always completes the change to answering.
    const int boxes = boxesOfDrill();
    for (int i = 1; i <= boxes; ++i) {
        m_surface.Txtsc(i).setForeColor(ScrollBar); // the box's own background: unreadable
        m_surface.Txtjc(i).setBackColor(White);
        m_surface.Txtjc(i).setLocked(false);
    }
    // The last item said is hidden now too, and a hidden item leaks nothing (hiddentext.h):
    // nothing of it is left to read.
    m_surface.announcer.clear();
    try {
        m_surface.Txtjc(1).SetFocus();
    } catch (const forms::RuntimeError &) {
        // A window that cannot take the focus now (hidden) still opens its answers.
    }
    m_surface.ckdm.setValue(0);
    m_surface.lbldm.setVisible(false);
    m_surface.ckdm.setEnabled(false);
    m_surface.Timer2.setEnabled(false);
}
