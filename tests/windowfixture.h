// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "application.h"
#include "scriptedrandom.h"
#include "timerclock.h"

#include <memory>
#include <QString>
#include <QTest>
#include <type_traits>

// What every window suite makes afresh for each test function: a clock and a random source the
// test drives, and the window on them. Window is a bare forms::Form or the main window Form1.
// The suite's init() calls createWindow() and its cleanup() destroyWindow(), so no window (and
// no focus or timer of one) outlives its test.
template <typename Window> class WindowFixture
{
protected:
    // As main() does, before the window: the application's set-up, and so the design's look
    // again over whatever a test's stand-in desktop set.
    void createWindow()
    {
        forms::setUpApplication();
        m_clock = std::make_unique<forms::ManualTimerClock>();
        m_random = std::make_unique<ScriptedRandom>();
        if constexpr (std::is_constructible_v<Window, forms::TimerClock *>)
            m_form = std::make_unique<Window>(m_clock.get());
        else
            m_form =
                std::make_unique<Window>(typename Window::Services{m_clock.get(), m_random.get()});
    }

    // The window goes first: its timers still hold the clock.
    void destroyWindow()
    {
        m_form.reset();
        m_random.reset();
        m_clock.reset();
    }

    // Shown and active, so focus changes and keystrokes arrive as a user's would.
    void showActive()
    {
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    void tick(int ms) { m_clock->advanceMs(ms); }

    // Form1 only: a drill of count items at the design's pace and study time (one second each),
    // generated and run until its answer boxes are open.
    void runDrillToAnswering(int count)
    {
        m_form->Cb2->setText(QString::number(count));
        m_form->cmdsc->click();
        tick(1000 * (count - 1));
        QVERIFY(m_form->Timer2->Enabled()); // the last item is shown: the study time runs
        tick(1000);
        QVERIFY(!m_form->Timer2->Enabled());
        QVERIFY(!m_form->Txtjc(1).Locked());
    }

    std::unique_ptr<forms::ManualTimerClock> m_clock;
    std::unique_ptr<ScriptedRandom> m_random;
    std::unique_ptr<Window> m_form;
};
