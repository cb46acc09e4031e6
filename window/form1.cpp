// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"

#include "appicon.h"
#include "colors.h"
#include "conversions.h"
#include "runtimeerror.h"

using forms::RuntimeError;
using forms::TextBox;

namespace
{

constexpr int BoxCount = DrillSurface::BoxCount;
constexpr qint16 LettersOption = 1; // Op1(0) is digits, Op1(1) letters
constexpr int GridColumns = 20;
constexpr float GridPitch = 360;

// Seconds typed or picked in a combo box to a timer's interval: the text as a number, times
// 1000, to the nearest millisecond (halves to even); throws when it cannot be an interval.
void secondsToInterval(const QString &seconds, forms::IntervalTimer &timer)
{
    timer.setInterval(forms::roundToInt32(forms::textToDouble(seconds) * 1000.0));
}

} // namespace

Form1::Form1() : Form1(Services()) {}

Form1::Form1(const Services &services)
    : forms::Form(services.clock), Form1Design(this),
      m_ownRandom(services.random ? nullptr : std::make_unique<forms::TwisterRandom>()),
      m_random(services.random ? services.random : m_ownRandom.get()),
      m_surface{Txtsc,   Txtjc,   Op1,   *Cb2,      *ckdm,      *lbldm,
                *Timer1, *Timer2, codes, *m_random, announcer()},
      m_generator(m_surface), m_cycle(m_surface, m_generator), m_check(m_surface, m_cycle)
{
    setWindowIcon(tavrin::appIcon());
    connectEvents();
    Form_Load();
}

Form1::~Form1()
{
    destroyControls();
}

void Form1::connectEvents()
{
    cmdsc->Click.connect([this] { cmdsc_Click(); });
    cmdjc->Click.connect([this] { cmdjc_Click(); });
    Timer1->Timer.connect([this] { Timer1_Timer(); });
    Timer2->Timer.connect([this] { Timer2_Timer(); });
    Cb1->Change.connect([this] { Cb1_Change(); });
    Cb1->Click.connect([this] { Cb1_Click(); });
    Cb2->Change.connect([this] { Cb2_Change(); });
    Cb3->Change.connect([this] { Cb3_Change(); });
    Cb3->Click.connect([this] { Cb3_Click(); });
    Op1.on(&forms::OptionButton::Click, [this](qint16 k) { Op1_Click(k); });
    ckdm->Click.connect([this] { ckdm_Click(); });
    Txtjc.on(&TextBox::Change, [this](qint16 i) { Txtjc_Change(i); });
    Txtjc.on(&TextBox::GotFocus, [this](qint16 i) { Txtjc_GotFocus(i); });
    Txtsc.on(&TextBox::Click, [this](qint16 i) { Txtsc_Click(i); });
}

// ---- Start-up ----

void Form1::Form_Load()
{
    m_random->randomize();
    createBoxes();
    codes.build();
    fillLists();
}

void Form1::createBoxes()
{
    for (int n = 2; n <= BoxCount; ++n) {
        const float column = float((n - 1) % GridColumns);
        const float row = float((n - 1) / GridColumns);
        TextBox &item = Txtsc.load(n);
        item.setLeft(column * GridPitch);
        item.setTop(row * GridPitch);
        item.setVisible(true);
        TextBox &answer = Txtjc.load(n);
        answer.setLeft(column * GridPitch);
        answer.setTop(row * GridPitch + Txtjc(1).Top());
        answer.setVisible(true);
        answer.setTabIndex(n);
    }
    for (int n = 1; n <= BoxCount; ++n) {
        Txtsc(n).setAccessibleName(QStringLiteral("项目 %1").arg(n));
        Txtjc(n).setAccessibleName(QStringLiteral("答案 %1").arg(n));
    }
}

void Form1::fillLists()
{
    for (int n = 2; n <= BoxCount; ++n) {
        if (n < 105 && n % 5 == 0)
            Cb1->AddItem(forms::numberToText(n / 10.0));
        if (n > 5)
            Cb2->AddItem(forms::numberToText(n));
        if (n < 10)
            Cb3->AddItem(forms::numberToText(n - 1));
    }
}

// ---- The drill ----

void Form1::cmdsc_Click()
{
    m_cycle.generate();
}

void Form1::Timer1_Timer()
{
    m_cycle.presentNext();
}

void Form1::Timer2_Timer()
{
    m_cycle.endStudy();
}

void Form1::cmdjc_Click()
{
    m_check.check();
}

// ---- Settings ----

void Form1::Cb1_Change()
{
    try {
        secondsToInterval(Cb1->Text(), *Timer1);
    } catch (const RuntimeError &) {
        // The field never stays invalid: back to one second. The assignment runs this handler
        // again, nested, which sets the interval; it is set once more here.
        Cb1->setText(QStringLiteral("1"));
        secondsToInterval(Cb1->Text(), *Timer1);
    }
}

void Form1::Cb1_Click()
{
    secondsToInterval(Cb1->Text(), *Timer1);
}

void Form1::Cb2_Change()
{
    // The count is read when the drill needs it.
}

void Form1::Cb3_Change()
{
    try {
        secondsToInterval(Cb3->Text(), *Timer2);
    } catch (const RuntimeError &) {
        // The nested change run that this assignment raises sets the interval of "3".
        Cb3->setText(QStringLiteral("3"));
    }
}

void Form1::Cb3_Click()
{
    Cb3_Change();
}

void Form1::Op1_Click(qint16 index)
{
    // The code hint belongs to digits: ticked, enabled and shown for them, off for letters.
    const bool digits = index != LettersOption;
    ckdm->setValue(digits ? qint16(1) : qint16(0));
    ckdm->setEnabled(digits);
    lbldm->setVisible(digits);
}

void Form1::ckdm_Click()
{
    lbldm->setVisible(ckdm->Value() != 0);
}

// ---- Answer entry ----

void Form1::Txtjc_Change(qint16 index)
{
    try {
        Txtjc(index).setBackColor(forms::Colors::White);
        // Two characters make an answer: on to the next box, whose text gets selected.
        if (Txtjc(index).Text().size() > 1)
            Txtjc(index + 1).SetFocus();
    } catch (const RuntimeError &) {
        // After box 200 there is no next box: the focus stays.
    }
}

void Form1::Txtjc_GotFocus(qint16 index)
{
    TextBox &box = Txtjc(index);
    box.setSelStart(0);
    box.setSelLength(int(box.Text().size()));
}

void Form1::Txtsc_Click(qint16 index)
{
    try {
        lbldm->setCaption(codes(Txtsc(index).Text()));
    } catch (const RuntimeError &) {
        // A letters item or an empty box has no code word: the caption stays.
    }
}
