// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "answercheck.h"
#include "codetable.h"
#include "drillcycle.h"
#include "drillsurface.h"
#include "form.h"
#include "form1design.h"
#include "itemgenerator.h"
#include "randomsource.h"

#include <memory>

// The trainer's one window. Its behaviour is a set of event handlers, each named after its
// control and event; the drill itself is run by the drill engine on the window's controls.
class Form1 : public forms::Form, public Form1Design
{
    Q_OBJECT

public:
    // What a test may put in place of the real clock and random generator.
    struct Services {
        forms::TimerClock *clock = nullptr;
        forms::RandomSource *random = nullptr;
    };

    Form1();
    explicit Form1(const Services &services);
    ~Form1() override;

    // The code table, built at start-up.
    CodeTable codes;

    // The number of the next item to present (0 before the first drill, 1 after reset).
    qint16 nextItem() const { return m_cycle.nextItem(); }
    // Draws a new item into item box i.
    void sc(qint16 i) { m_generator.sc(i); }
    forms::RandomSource &random() { return *m_random; }

    // Start-up: reseeds the random generator, creates and lays out boxes 2..200, builds the
    // code table and fills the three lists. Runs once, from the constructor, before the window
    // is shown; raises no handler.
    void Form_Load();

    // Event handlers.
    void cmdsc_Click();
    void cmdjc_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Cb1_Change();
    void Cb1_Click();
    void Cb2_Change();
    void Cb3_Change();
    void Cb3_Click();
    void Op1_Click(qint16 index);
    void ckdm_Click();
    void Txtjc_Change(qint16 index);
    void Txtjc_GotFocus(qint16 index);
    void Txtsc_Click(qint16 index);

private:
    void connectEvents();
    void reset() { m_cycle.reset(); }
    void createBoxes();
    void fillLists();

    std::unique_ptr<forms::RandomSource> m_ownRandom;
    forms::RandomSource *m_random;
    DrillSurface m_surface;
    ItemGenerator m_generator;
    DrillCycle m_cycle;
    AnswerCheck m_check;
};
