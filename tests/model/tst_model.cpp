// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The model test: drives the real window with mouse clicks, keys and timer ticks chosen at random
// and, after every single input, compares the window's whole observable state with the
// reference model (windowmodel.h). Any difference prints the seed, the last inputs and the first
// field that differs; the same seed replays the same run.
//
// Environment:
//   TAVRIN_MODEL_ACTIONS  inputs in all (default 100000; 50000 in a sanitizer build)
//   TAVRIN_MODEL_SEED     seed of the first run (default fixed; "random" takes the clock)
//   TAVRIN_MODEL_LOG      how many of the last inputs a report shows (default 40)
#include "application.h"
#include "badinputs.h"
#include "form1.h"
#include "randomsource.h"
#include "timerclock.h"
#include "windowmodel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <deque>
#include <memory>
#include <random>

#ifndef TAVRIN_MODEL_DEFAULT_ACTIONS
#define TAVRIN_MODEL_DEFAULT_ACTIONS 100000
#endif

using model::Control;
using model::Focus;

namespace
{

constexpr qint64 RunLength = 10000; // inputs per window; each run has a seed of its own
constexpr quint64 DefaultSeed = 20240611;
constexpr int DefaultLogLength = 40; // inputs shown in a report

// The test's own dice, for choosing inputs.
class Dice
{
public:
    explicit Dice(quint64 seed) : m_engine(seed) {}
    int below(int n) { return n <= 1 ? 0 : int(m_engine() % quint64(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(double p) { return double(m_engine() >> 11) * 0x1.0p-53 < p; }
    template <class T> const T &pick(const std::vector<T> &v)
    {
        return v[std::size_t(below(int(v.size())))];
    }
    int weighted(std::initializer_list<int> weights)
    {
        int total = 0;
        for (int w : weights)
            total += w;
        int roll = below(total);
        int index = 0;
        for (int w : weights) {
            if (roll < w)
                return index;
            roll -= w;
            ++index;
        }
        return index - 1;
    }

private:
    std::mt19937_64 m_engine;
};

// The window's random source: a seeded twister whose every draw is also kept for the model, so
// both see the same items. Now and then it gives the edge draws 0 and the largest below 1.
class RecordingRandom : public forms::RandomSource
{
public:
    explicit RecordingRandom(quint64 seed) : m_seed(seed), m_engine(seed) {}
    void randomize() override { m_engine.seed(m_seed); }
    float next() override
    {
        float draw;
        const quint32 bits = quint32(m_engine());
        if (bits % 64 == 0)
            draw = 0.0f;
        else if (bits % 64 == 1)
            draw = 1.0f - 0x1.0p-24f;
        else
            draw = float(bits >> 8) * 0x1.0p-24f;
        m_drawn.push_back(draw);
        return draw;
    }
    std::optional<float> take()
    {
        if (m_drawn.empty())
            return std::nullopt;
        const float draw = m_drawn.front();
        m_drawn.pop_front();
        return draw;
    }
    std::size_t pending() const { return m_drawn.size(); }

private:
    quint64 m_seed;
    std::mt19937 m_engine;
    std::deque<float> m_drawn;
};

QString show(const QString &s)
{
    QString out = QStringLiteral("\"");
    const qsizetype shown = std::min<qsizetype>(s.size(), 60);
    for (qsizetype i = 0; i < shown; ++i) {
        const QChar c = s[i];
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.isSurrogate() ||
            c.category() == QChar::Other_Format)
            out += QStringLiteral("\\u%1").arg(uint(c.unicode()), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    out += QLatin1Char('"');
    if (s.size() > shown)
        out += QStringLiteral("... (%1 code units)").arg(s.size());
    return out;
}
QString show(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}
QString show(int n)
{
    return QString::number(n);
}
QString colour(quint32 c)
{
    return QStringLiteral("&H%1").arg(c, 0, 16).toUpper();
}

qint64 envNumber(const char *name, qint64 fallback)
{
    bool ok = false;
    const qint64 value = qEnvironmentVariable(name).toLongLong(&ok);
    return ok ? value : fallback;
}

} // namespace

// One run: a fresh window, its model and a seed.
class ModelRun
{
public:
    explicit ModelRun(quint64 seed)
        : m_seed(seed), m_dice(seed * 2654435761u + 1), m_random(seed),
          m_model([this] { return m_random.take(); })
    {
        forms::setUpApplication();
        m_window = std::make_unique<Form1>(Form1::Services{&m_clock, &m_random});
    }

    bool start()
    {
        m_window->show();
        if (!QTest::qWaitForWindowActive(m_window.get())) {
            m_failure = QStringLiteral("the window did not become active");
            return false;
        }
        return compare(QStringLiteral("start-up"));
    }

    // Runs random inputs until `inputs` have been compared; false at the first difference.
    bool run(qint64 inputs);
    // One whole drill of count 10, typed back with some mistakes, then checked.
    bool wholeDrill();

    QString failure() const { return m_failure; }
    const model::Stats &stats() const { return m_model.stats; }
    qint64 inputs() const { return m_done; }

private:
    // ---- Inputs, each followed by the comparison ----
    bool compare(const QString &what);
    bool click(Focus target);
    bool key(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &what,
             const std::function<void()> &modelStep);
    bool typeChar(const QString &ch);
    bool paste(const QString &text);
    bool tab(bool forward);
    bool timerInput(int kind);

    // ---- Sessions of inputs a person would make ----
    bool answerSession();
    bool comboEditSession();
    bool comboPickSession();
    bool comboListSession();
    bool focusCombo(int k);
    QString settingText(int k);
    QString answerChar();
    Focus someAnswerBox();
    Focus someItemBox();

    QWidget *widgetFor(Focus f) const;
    QLineEdit *fieldWidget(Focus f) const;
    QString difference() const;

    quint64 m_seed;
    Dice m_dice;
    forms::ManualTimerClock m_clock;
    RecordingRandom m_random;
    model::WindowModel m_model;
    std::unique_ptr<Form1> m_window;
    qint64 m_done = 0;
    qint64 m_limit = 0;
    std::deque<QString> m_log;
    QString m_failure;
};

QWidget *ModelRun::widgetFor(Focus f) const
{
    Form1 &w = *m_window;
    switch (f.control) {
    case Control::None:
        return nullptr;
    case Control::Item:
        return &w.Txtsc(f.index);
    case Control::Answer:
        return &w.Txtjc(f.index);
    case Control::Cb1:
        return w.Cb1;
    case Control::Cb2:
        return w.Cb2;
    case Control::Cb3:
        return w.Cb3;
    case Control::Cmdsc:
        return w.cmdsc;
    case Control::Cmdjc:
        return w.cmdjc;
    case Control::Op0:
        return &w.Op1(0);
    case Control::Op1:
        return &w.Op1(1);
    case Control::Ckdm:
        return w.ckdm;
    case Control::Check1:
        return w.Check1;
    case Control::Check4:
        return w.Check4;
    }
    return nullptr;
}

QLineEdit *ModelRun::fieldWidget(Focus f) const
{
    switch (f.control) {
    case Control::Answer:
        return &m_window->Txtjc(f.index);
    case Control::Cb1:
        return m_window->Cb1->lineEdit();
    case Control::Cb2:
        return m_window->Cb2->lineEdit();
    case Control::Cb3:
        return m_window->Cb3->lineEdit();
    default:
        return nullptr;
    }
}

// The first field in which the window and the model differ, or an empty string.
QString ModelRun::difference() const
{
    const Form1 &w = *m_window;
    const model::WindowModel &m = m_model;
#define COMPARE(name, modelValue, windowValue, shown)                                              \
    if (!((modelValue) == (windowValue)))                                                          \
        return QStringLiteral("%1: model %2, window %3")                                           \
            .arg(name, shown(modelValue), shown(windowValue));

    if (m.drawMissing)
        return QStringLiteral("random draws: the model needed a draw the window did not make");
    if (m_random.pending())
        return QStringLiteral("random draws: the window made %1 draw(s) the model did not")
            .arg(m_random.pending());
    COMPARE(QStringLiteral("nextItem"), m.nextItem, int(w.nextItem()), show);
    // The clock jumps to the deadline it fires: a tick at another time shows here.
    COMPARE(QStringLiteral("clock (ns)"), m.nowNs, m_clock.nowNs(), QString::number);
    // Settings texts first: a wrong text explains a wrong interval.
    const forms::ComboBox *combos[3] = {w.Cb1, w.Cb2, w.Cb3};
    for (int k = 0; k < 3; ++k) {
        const QString name = QStringLiteral("Cb%1").arg(k + 1);
        COMPARE(name + QStringLiteral(".Text"), m.combos[k].field.text, combos[k]->Text(), show);
        COMPARE(name + QStringLiteral(" picked item"), m.combos[k].currentIndex,
                combos[k]->currentIndex(), show);
    }
    const forms::IntervalTimer *timers[2] = {w.Timer1.get(), w.Timer2.get()};
    for (int t = 0; t < 2; ++t) {
        const QString name = QStringLiteral("Timer%1").arg(t + 1);
        COMPARE(name + QStringLiteral(".Enabled"), m.timers[t].enabled, timers[t]->Enabled(), show);
        COMPARE(name + QStringLiteral(".Interval"), m.timers[t].interval,
                int(timers[t]->Interval()), show);
        COMPARE(name + QStringLiteral(" waiting on the clock"), m.timers[t].armed,
                m_clock.isArmed(*timers[t]), show);
    }
    COMPARE(QStringLiteral("Op1(0).Value"), m.mode == 0, w.Op1(0).Value(), show);
    COMPARE(QStringLiteral("Op1(1).Value"), m.mode == 1, w.Op1(1).Value(), show);
    COMPARE(QStringLiteral("ckdm.Value"), m.ckdmValue, int(w.ckdm->Value()), show);
    COMPARE(QStringLiteral("ckdm.Enabled"), m.ckdmEnabled, w.ckdm->Enabled(), show);
    COMPARE(QStringLiteral("Check1.Value"), m.check1, int(w.Check1->Value()), show);
    COMPARE(QStringLiteral("Check4.Value"), m.check4, int(w.Check4->Value()), show);
    COMPARE(QStringLiteral("lbldm.Visible"), m.lbldmVisible, w.lbldm->Visible(), show);
    COMPARE(QStringLiteral("lbldm.Caption"), m.lbldmCaption, w.lbldm->Caption(), show);

    for (int k = 0; k < 3; ++k) {
        const QAbstractItemView *list = combos[k]->view();
        COMPARE(QStringLiteral("Cb%1 list open").arg(k + 1), m.listOpen == k, list->isVisible(),
                show);
        if (m.listOpen == k)
            COMPARE(QStringLiteral("Cb%1 highlighted row").arg(k + 1), m.listRow,
                    list->currentIndex().row(), show);
    }
    QWidget *focused = QApplication::focusWidget();
    if (m.listOpen >= 0) {
        if (focused != combos[m.listOpen]->view())
            return QStringLiteral("focus: model the open list of Cb%1, window elsewhere")
                .arg(m.listOpen + 1);
    } else if (focused != widgetFor(m.focus)) {
        QString actual = QStringLiteral("another widget");
        if (!focused)
            actual = QStringLiteral("nothing");
        for (Focus f :
             {Focus{Control::Cb1}, Focus{Control::Cb2}, Focus{Control::Cb3}, Focus{Control::Cmdsc},
              Focus{Control::Cmdjc}, Focus{Control::Op0}, Focus{Control::Op1}, Focus{Control::Ckdm},
              Focus{Control::Check1}, Focus{Control::Check4}}) {
            if (widgetFor(f) == focused)
                actual = model::describe(f);
        }
        for (int i = 1; i <= model::Boxes; ++i) {
            if (focused == &w.Txtsc(i))
                actual = model::describe({Control::Item, i});
            if (focused == &w.Txtjc(i))
                actual = model::describe({Control::Answer, i});
        }
        return QStringLiteral("focus: model %1, window %2").arg(model::describe(m.focus), actual);
    }
    // Caret and selection matter only where the keys go: the focused field.
    if (const QLineEdit *edit = fieldWidget(m.focus)) {
        const model::Field *field = m.focus.control == Control::Answer
                                        ? &m.answers[m.focus.index].field
                                        : &m.combos[int(m.focus.control) - int(Control::Cb1)].field;
        const QString name = model::describe(m.focus);
        COMPARE(name + QStringLiteral(" caret"), field->cursor, edit->cursorPosition(), show);
        COMPARE(name + QStringLiteral(" selection start"),
                field->hasSelection() ? field->selStart : -1, edit->selectionStart(), show);
        COMPARE(name + QStringLiteral(" selection length"), field->selectionLength(),
                int(edit->selectionLength()), show);
    }
    // Box names are only built for a report: the loop runs after every input.
    for (int i = 1; i <= model::Boxes; ++i) {
        const model::ItemBox &item = m.items[std::size_t(i)];
        const forms::TextBox &itemBox = w.Txtsc(i);
        COMPARE(QStringLiteral("Txtsc(%1).Text").arg(i), item.text, itemBox.Text(), show);
        COMPARE(QStringLiteral("Txtsc(%1).ForeColor").arg(i), item.fore, itemBox.ForeColor(),
                colour);
        COMPARE(QStringLiteral("Txtsc(%1).BackColor").arg(i), item.back, itemBox.BackColor(),
                colour);
        COMPARE(QStringLiteral("Txtsc(%1).Locked").arg(i), item.locked, itemBox.Locked(), show);
        const model::AnswerBox &answer = m.answers[std::size_t(i)];
        const forms::TextBox &answerBox = w.Txtjc(i);
        COMPARE(QStringLiteral("Txtjc(%1).Text").arg(i), answer.field.text, answerBox.Text(), show);
        COMPARE(QStringLiteral("Txtjc(%1).ForeColor").arg(i), answer.fore, answerBox.ForeColor(),
                colour);
        COMPARE(QStringLiteral("Txtjc(%1).BackColor").arg(i), answer.back, answerBox.BackColor(),
                colour);
        COMPARE(QStringLiteral("Txtjc(%1).Locked").arg(i), answer.field.readOnly,
                answerBox.Locked(), show);
    }
#undef COMPARE
    return QString();
}

bool ModelRun::compare(const QString &what)
{
    ++m_done;
    m_log.push_back(QStringLiteral("#%1 %2").arg(m_done).arg(what));
    static const qint64 logLength = envNumber("TAVRIN_MODEL_LOG", DefaultLogLength);
    if (qint64(m_log.size()) > logLength)
        m_log.pop_front();
    const QString diff = difference();
    if (diff.isEmpty())
        return true;
    QString report =
        QStringLiteral(
            "The window and the model differ.\n  seed %1, input #%2\n"
            "  replay: QT_QPA_PLATFORM=offscreen TAVRIN_MODEL_SEED=%1 TAVRIN_MODEL_ACTIONS=%2 "
            "tst_model randomActions\n  first difference: %3\n"
            "  last inputs:\n")
            .arg(m_seed)
            .arg(m_done)
            .arg(diff);
    for (const QString &line : m_log)
        report += QStringLiteral("    ") + line + QLatin1Char('\n');
    const char *phases[] = {"idle", "presenting", "studying", "answering"};
    report += QStringLiteral("  model: %1, nextItem %2, Cb1 %3, Cb2 %4, Cb3 %5, clock %6 ms\n")
                  .arg(QLatin1StringView(phases[int(m_model.phase)]))
                  .arg(m_model.nextItem)
                  .arg(show(m_model.combos[0].field.text), show(m_model.combos[1].field.text),
                       show(m_model.combos[2].field.text))
                  .arg(m_model.nowNs / 1000000);
    for (int t = 0; t < 2; ++t) {
        const model::Timer &timer = m_model.timers[std::size_t(t)];
        report +=
            QStringLiteral("  model Timer%1: enabled %2, interval %3, waiting %4 until %5 ms\n")
                .arg(t + 1)
                .arg(show(timer.enabled), show(int(timer.interval)), show(timer.armed))
                .arg(timer.deadlineNs / 1000000);
    }
    report += QStringLiteral("  window clock %1 ms\n").arg(m_clock.nowMs());
    m_failure = report;
    return false;
}

bool ModelRun::click(Focus target)
{
    QWidget *widget = widgetFor(target);
    QLineEdit *field = fieldWidget(target);
    QWidget *receiver = field ? field : widget;
    QPoint at = receiver->rect().center();
    if (target.control == Control::Ckdm || target.control == Control::Check1 ||
        target.control == Control::Check4 || target.control == Control::Op0 ||
        target.control == Control::Op1)
        at = QPoint(8, receiver->height() / 2); // on the indicator
    else if (field)
        at = QPoint(m_dice.between(1, std::max(1, field->width() - 2)), field->height() / 2);
    QTest::mouseClick(receiver, Qt::LeftButton, Qt::NoModifier, at);
    // Where the click put the caret depends on the font; the model takes it from the window.
    const int caret = field ? field->cursorPosition() : 0;
    m_model.click(target, caret);
    return compare(
        QStringLiteral("click %1 at (%2,%3)").arg(model::describe(target)).arg(at.x()).arg(at.y()));
}

bool ModelRun::key(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &what,
                   const std::function<void()> &modelStep)
{
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target ? target : m_window.get(), key, modifiers);
    modelStep();
    return compare(what + QStringLiteral(" in ") + model::describe(m_model.focus));
}

bool ModelRun::typeChar(const QString &ch)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        target = m_window.get();
    const char16_t u = ch.size() == 1 ? ch[0].unicode() : 0;
    if (u >= 0x20 && u < 0x7f)
        QTest::keyClick(target, char(u));
    else
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, ch, Qt::NoModifier);
    const Focus before = m_model.focus;
    m_model.typeKey(ch);
    return compare(QStringLiteral("type %1 in %2").arg(show(ch), model::describe(before)));
}

bool ModelRun::paste(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    const Focus before = m_model.focus;
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target ? target : m_window.get(), Qt::Key_V, Qt::ControlModifier);
    m_model.paste(text);
    return compare(QStringLiteral("paste %1 in %2").arg(show(text), model::describe(before)));
}

bool ModelRun::tab(bool forward)
{
    return key(Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier,
               forward ? QStringLiteral("Tab") : QStringLiteral("Shift+Tab"),
               [&] { m_model.tab(forward); });
}

bool ModelRun::timerInput(int kind)
{
    switch (kind) {
    case 0: // the clock reaches the next deadline
        m_clock.fireNext();
        m_model.fireNext();
        return compare(QStringLiteral("clock to the next tick"));
    case 1: { // time passes
        const int ms = m_dice.chance(0.5) ? m_dice.between(0, 1500) : m_dice.between(0, 70000);
        m_clock.advanceMs(ms);
        m_model.advanceMs(ms);
        return compare(QStringLiteral("clock on %1 ms").arg(ms));
    }
    case 2: { // the timer's own deadline handling, whether it is due or not
        const int t = m_dice.below(2);
        (t == 0 ? m_window->Timer1 : m_window->Timer2)->elapse();
        m_model.elapse(t);
        return compare(QStringLiteral("Timer%1 elapse").arg(t + 1));
    }
    default: // run the drill on until no timer waits
        for (int n = 0; n < 260 && m_model.anyTimerArmed() && m_done < m_limit; ++n) {
            m_clock.fireNext();
            m_model.fireNext();
            if (!compare(QStringLiteral("clock to the next tick (running on)")))
                return false;
        }
        return true;
    }
}

Focus ModelRun::someAnswerBox()
{
    const int drill = m_model.boxesOfDrill();
    if (drill > 0 && m_dice.chance(0.8))
        return {Control::Answer, m_dice.between(1, drill)};
    if (m_dice.chance(0.3))
        return {Control::Answer, m_dice.between(model::Boxes - 3, model::Boxes)};
    return {Control::Answer, m_dice.between(1, model::Boxes)};
}

Focus ModelRun::someItemBox()
{
    const int drawn = std::clamp(m_model.nextItem - 1, 0, model::Boxes);
    if (drawn > 0 && m_dice.chance(0.8))
        return {Control::Item, m_dice.between(1, drawn)};
    return {Control::Item, m_dice.between(1, model::Boxes)};
}

QString ModelRun::answerChar()
{
    // Often the right character (in either case), so that answers are right as often as wrong.
    if (m_model.focus.control == Control::Answer && m_dice.chance(0.6)) {
        const model::AnswerBox &answer = m_model.answers[std::size_t(m_model.focus.index)];
        const QString &item = m_model.items[std::size_t(m_model.focus.index)].text;
        const int at = answer.field.hasSelection() ? 0 : answer.field.cursor;
        if (at < item.size()) {
            const QChar c = item[at];
            return QString(m_dice.chance(0.3) ? c.toUpper() : c);
        }
    }
    return m_dice.pick(badinputs::answerCharacters()).text;
}

bool ModelRun::answerSession()
{
    if (m_model.focus.control != Control::Answer || m_dice.chance(0.2)) {
        if (!click(someAnswerBox()))
            return false;
    }
    const int inputs = m_dice.between(1, 5);
    for (int n = 0; n < inputs && m_done < m_limit; ++n) {
        bool ok = true;
        switch (m_dice.weighted({70, 8, 5, 3, 3, 4, 5, 2})) {
        case 0:
            ok = typeChar(answerChar());
            break;
        case 1:
            ok = key(Qt::Key_Backspace, {}, QStringLiteral("Backspace"),
                     [&] { m_model.backspace(); });
            break;
        case 2:
            ok = key(Qt::Key_Delete, {}, QStringLiteral("Delete"), [&] { m_model.deleteKey(); });
            break;
        case 3:
            ok = key(Qt::Key_Home, {}, QStringLiteral("Home"), [&] { m_model.home(); });
            break;
        case 4:
            ok = key(Qt::Key_End, {}, QStringLiteral("End"), [&] { m_model.end(); });
            break;
        case 5:
            ok = key(Qt::Key_A, Qt::ControlModifier, QStringLiteral("Ctrl+A"),
                     [&] { m_model.selectAll(); });
            break;
        case 6:
            ok = paste(m_dice.pick(badinputs::answerPastes()).text);
            break;
        default:
            ok = tab(m_dice.chance(0.8));
            break;
        }
        if (!ok)
            return false;
    }
    return true;
}

bool ModelRun::focusCombo(int k)
{
    const Control control = Control(int(Control::Cb1) + k);
    if (m_model.focus.control == control && !m_dice.chance(0.3))
        return true;
    return click({control, 0});
}

QString ModelRun::settingText(int k)
{
    // Mostly values a drill can run with, so that every state is reached often; the rest from
    // the catalogue of bad input.
    if (m_dice.chance(k == 1 ? 0.6 : 0.45)) {
        const std::vector<badinputs::Input> &good = badinputs::goodSettings(k);
        return m_dice.pick(good).text;
    }
    return m_dice.pick(badinputs::settingTexts()).text;
}

bool ModelRun::comboEditSession()
{
    const int k = m_dice.weighted({30, 40, 30});
    if (!focusCombo(k))
        return false;
    const int inputs = m_dice.between(1, 3);
    for (int n = 0; n < inputs && m_done < m_limit; ++n) {
        bool ok = true;
        switch (m_dice.weighted({30, 30, 20, 10, 5, 3, 2})) {
        case 0:
            ok = key(Qt::Key_A, Qt::ControlModifier, QStringLiteral("Ctrl+A"),
                     [&] { m_model.selectAll(); });
            break;
        case 1: {
            // Typed one key at a time: every keystroke is an edit of its own.
            const QString text = settingText(k);
            qsizetype i = 0;
            while (ok && i < text.size() && i < 40 && m_done < m_limit) {
                const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
                ok = typeChar(text.mid(i, len));
                i += len;
            }
            break;
        }
        case 2:
            ok = paste(settingText(k));
            break;
        case 3: {
            const int times = m_dice.between(1, 3);
            for (int t = 0; ok && t < times && m_done < m_limit; ++t)
                ok = key(Qt::Key_Backspace, {}, QStringLiteral("Backspace"),
                         [&] { m_model.backspace(); });
            break;
        }
        case 4:
            ok = key(Qt::Key_Delete, {}, QStringLiteral("Delete"), [&] { m_model.deleteKey(); });
            break;
        case 5:
            ok = key(Qt::Key_Home, {}, QStringLiteral("Home"), [&] { m_model.home(); });
            break;
        default:
            ok = key(Qt::Key_End, {}, QStringLiteral("End"), [&] { m_model.end(); });
            break;
        }
        if (!ok)
            return false;
    }
    return true;
}

bool ModelRun::comboPickSession()
{
    const int k = m_dice.weighted({35, 30, 35});
    if (!focusCombo(k))
        return false;
    const int picks = m_dice.between(1, 3);
    for (int n = 0; n < picks && m_done < m_limit; ++n) {
        const bool down = m_dice.chance(0.7);
        if (!key(down ? Qt::Key_Down : Qt::Key_Up, {},
                 down ? QStringLiteral("Down") : QStringLiteral("Up"),
                 [&] { m_model.arrow(down); }))
            return false;
    }
    return true;
}

bool ModelRun::comboListSession()
{
    const int k = m_dice.weighted({35, 30, 35});
    if (!focusCombo(k))
        return false;
    QComboBox *combo = qobject_cast<QComboBox *>(widgetFor({Control(int(Control::Cb1) + k)}));
    // The list is a window of its own: its opening and closing move the activation through the
    // event loop, which runs here as it would between a person's keys.
    if (!key(Qt::Key_Down, Qt::AltModifier, QStringLiteral("Alt+Down"), [&] {
            QCoreApplication::processEvents();
            m_model.openList();
        }))
        return false;
    using ListKey = model::WindowModel::ListKey;
    const int moves = m_dice.between(0, 4);
    for (int n = 0; n <= moves && m_done < m_limit; ++n) {
        // The last key closes the list: mostly Enter, a pick, sometimes Esc.
        const bool closing = n == moves;
        const int choice = closing ? (m_dice.chance(0.85) ? 4 : 5) : m_dice.weighted({5, 3, 1, 1});
        const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up,     Qt::Key_Home,
                                Qt::Key_End,  Qt::Key_Return, Qt::Key_Escape};
        const ListKey modelKeys[] = {ListKey::Down, ListKey::Up,    ListKey::Home,
                                     ListKey::End,  ListKey::Enter, ListKey::Escape};
        const char *names[] = {"Down", "Up", "Home", "End", "Enter", "Esc"};
        QTest::keyClick(combo->view(), keys[choice]);
        if (closing)
            QCoreApplication::processEvents();
        m_model.listKey(modelKeys[choice]);
        if (!compare(QStringLiteral("%1 in the list of Cb%2")
                         .arg(QLatin1StringView(names[choice]))
                         .arg(k + 1)))
            return false;
    }
    // A list left open (the run ended inside the session) is closed without a pick.
    if (m_model.listOpen >= 0) {
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        QCoreApplication::processEvents();
        m_model.listKey(ListKey::Escape);
        return compare(QStringLiteral("Esc in the list of Cb%1").arg(k + 1));
    }
    return true;
}

bool ModelRun::run(qint64 inputs)
{
    m_limit = m_done + inputs;
    while (m_done < m_limit) {
        bool ok = true;
        // Weights by the state of the drill, so that drills often run to their end and answers
        // are typed and checked while the boxes are open. Order: next tick, time passes, run
        // on, elapse, generate, check, Enter/Esc, option, ckdm, Check1/4, combo edit, combo pick,
        // Tab, answers, item click, answer click, Space.
        int choice = 0;
        switch (m_model.phase) {
        case model::Phase::Idle:
            choice = m_dice.weighted({4, 2, 1, 1, 8, 3, 1, 2, 2, 1, 12, 5, 3, 12, 3, 3, 1});
            break;
        case model::Phase::Presenting:
            choice = m_dice.weighted({28, 3, 6, 1, 2, 3, 1, 2, 2, 1, 8, 3, 3, 8, 4, 2, 1});
            break;
        case model::Phase::Studying:
            choice = m_dice.weighted({12, 3, 2, 1, 1, 3, 1, 2, 2, 1, 8, 3, 3, 8, 4, 2, 1});
            break;
        case model::Phase::Answering:
            choice = m_dice.weighted({2, 1, 1, 1, 2, 6, 1, 2, 2, 1, 8, 3, 4, 45, 4, 4, 1});
            break;
        }
        switch (choice) {
        case 0:
            ok = timerInput(0);
            break;
        case 1:
            ok = timerInput(1);
            break;
        case 2:
            ok = timerInput(3);
            break;
        case 3:
            ok = timerInput(2);
            break;
        case 4:
            ok = click({Control::Cmdsc, 0});
            break;
        case 5:
            ok = click({Control::Cmdjc, 0});
            break;
        case 6:
            ok = m_dice.chance(0.5)
                     ? key(Qt::Key_Return, {}, QStringLiteral("Enter"), [&] { m_model.enter(); })
                     : key(Qt::Key_Escape, {}, QStringLiteral("Esc"), [&] { m_model.escape(); });
            break;
        case 7:
            ok = click({m_dice.chance(0.5) ? Control::Op0 : Control::Op1, 0});
            break;
        case 8:
            ok = click({Control::Ckdm, 0});
            break;
        case 9:
            ok = click({m_dice.chance(0.5) ? Control::Check1 : Control::Check4, 0});
            break;
        case 10:
            ok = comboEditSession();
            break;
        case 11:
            // A pick with the arrow keys in the field, or in the opened list.
            ok = m_dice.chance(0.7) ? comboPickSession() : comboListSession();
            break;
        case 12: {
            const int presses = m_dice.between(1, 3);
            for (int n = 0; ok && n < presses && m_done < m_limit; ++n)
                ok = tab(m_dice.chance(0.75));
            break;
        }
        case 13:
            ok = answerSession();
            break;
        case 14:
            ok = click(someItemBox());
            break;
        case 15:
            ok = click(someAnswerBox());
            break;
        default:
            ok = key(Qt::Key_Space, {}, QStringLiteral("Space"), [&] { m_model.space(); });
            break;
        }
        if (!ok)
            return false;
        // Let the window paint and settle now and then, as it would between a person's inputs.
        if (m_done % 1000 == 0) {
            QCoreApplication::processEvents();
            if (!compare(QStringLiteral("events processed")))
                return false;
        }
    }
    return true;
}

bool ModelRun::wholeDrill()
{
    m_limit = std::numeric_limits<qint64>::max();
    // The count typed over the whole field, then a drill of ten items.
    if (!focusCombo(1) || !key(Qt::Key_A, Qt::ControlModifier, QStringLiteral("Ctrl+A"),
                               [&] { m_model.selectAll(); }))
        return false;
    for (QChar c : QStringLiteral("10")) {
        if (!typeChar(QString(c)))
            return false;
    }
    if (!click({Control::Cmdsc, 0}))
        return false;
    while (m_model.anyTimerArmed()) {
        if (!timerInput(0))
            return false;
    }
    if (m_model.phase != model::Phase::Answering) {
        m_failure = QStringLiteral("the drill did not reach the answers");
        return false;
    }
    // Every answer typed, the third one wrong and the fifth in capitals.
    for (int i = 1; i <= 10; ++i) {
        QString answer = m_model.items[std::size_t(i)].text;
        if (i == 3)
            answer = answer == QStringLiteral("00") ? QStringLiteral("01") : QStringLiteral("00");
        if (i == 5)
            answer = answer.toUpper();
        for (QChar c : answer) {
            if (!typeChar(QString(c)))
                return false;
        }
    }
    if (!click({Control::Cmdjc, 0}))
        return false;
    for (int i = 1; i <= 10; ++i) {
        const quint32 expected = i == 3 ? model::colour::Red : model::colour::Green;
        if (m_window->Txtjc(i).ForeColor() != expected) {
            m_failure = QStringLiteral("answer %1 coloured %2")
                            .arg(i)
                            .arg(colour(m_window->Txtjc(i).ForeColor()));
            return false;
        }
    }
    return true;
}

class TestModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void conversionsOfTheModel();
    void wholeDrill();
    void randomActions();
};

QtMessageHandler previousHandler = nullptr;

// The offscreen platform says at every opened list that it cannot raise a window or grab the
// keyboard; neither matters here, and thousands of such lines would hide a real report.
void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    previousHandler(type, context, message);
}

void TestModel::initTestCase()
{
    previousHandler = qInstallMessageHandler(quietPlatform);
}

// The model's own arithmetic, on the cases the design spells out, so that a wrong model is
// caught here and not taken for a fault of the window.
void TestModel::conversionsOfTheModel()
{
    QCOMPARE(model::secondsToInterval(QStringLiteral("1.5")), std::optional<qint32>(1500));
    QCOMPARE(model::secondsToInterval(QStringLiteral("65.535")), std::optional<qint32>(65535));
    QCOMPARE(model::secondsToInterval(QStringLiteral("65.536")), std::nullopt);
    QCOMPARE(model::secondsToInterval(QStringLiteral("-2")), std::nullopt);
    QCOMPARE(model::secondsToInterval(QStringLiteral("")), std::nullopt);
    QCOMPARE(model::secondsToInterval(QStringLiteral("abc")), std::nullopt);
    QCOMPARE(model::secondsToInterval(QStringLiteral("2.")), std::optional<qint32>(2000));
    QCOMPARE(model::secondsToInterval(QStringLiteral(".5")), std::optional<qint32>(500));
    QCOMPARE(model::secondsToInterval(QStringLiteral(" 1e1\t")), std::optional<qint32>(10000));
    QCOMPARE(model::secondsToInterval(QStringLiteral("1,5")), std::nullopt);
    QCOMPARE(model::secondsToInterval(QStringLiteral("1e-400")), std::optional<qint32>(0));
    QCOMPARE(model::secondsToInterval(QStringLiteral("1e309")), std::nullopt);
    QCOMPARE(model::secondsToInterval(QStringLiteral("1e") + QString(41, QLatin1Char('9'))),
             std::nullopt);
    QCOMPARE(model::roundHalfEven(2.5), std::optional<qint32>(2));
    QCOMPARE(model::roundHalfEven(3.5), std::optional<qint32>(4));
    QCOMPARE(model::roundHalfEven(-2.5), std::optional<qint32>(-2));
    QCOMPARE(model::roundHalfEven(-0.4), std::optional<qint32>(0));
    QCOMPARE(model::roundHalfEven(2147483648.0), std::nullopt);
    QCOMPARE(model::codeWord(0), QString());
    QCOMPARE(model::codeWord(7), QStringLiteral("07 key"));
    QCOMPARE(model::codeWord(42), QStringLiteral("42 rhino"));
    QCOMPARE(model::codeWord(100), QStringLiteral("100 daisies"));
}

void TestModel::wholeDrill()
{
    ModelRun run(DefaultSeed);
    QVERIFY2(run.start(), qPrintable(run.failure()));
    if (!run.wholeDrill()) {
        std::fputs(qPrintable(run.failure()), stderr);
        QFAIL("the window and the model differ (report above)");
    }
}

void TestModel::randomActions()
{
    const qint64 total = envNumber("TAVRIN_MODEL_ACTIONS", TAVRIN_MODEL_DEFAULT_ACTIONS);
    quint64 seed = quint64(envNumber("TAVRIN_MODEL_SEED", qint64(DefaultSeed)));
    if (qEnvironmentVariable("TAVRIN_MODEL_SEED") == QStringLiteral("random"))
        seed = quint64(std::chrono::steady_clock::now().time_since_epoch().count()) % 1000000007u;
    qInfo("model test: %lld inputs from seed %llu on, %lld per run", total,
          static_cast<unsigned long long>(seed), RunLength);

    QElapsedTimer elapsed;
    elapsed.start();
    qint64 done = 0;
    model::Stats sum;
    for (quint64 r = 0; done < total; ++r) {
        ModelRun run(seed + r);
        QVERIFY2(run.start(), qPrintable(run.failure()));
        const bool ok = run.run(std::min(RunLength, total - done) - 1);
        done += run.inputs();
        const model::Stats &s = run.stats();
        for (auto [into, from] : {std::pair{&sum.generates, s.generates},
                                  {&sum.itemsPresented, s.itemsPresented},
                                  {&sum.studyStarted, s.studyStarted},
                                  {&sum.studyEnded, s.studyEnded},
                                  {&sum.resetAtBox201, s.resetAtBox201},
                                  {&sum.resetByCountText, s.resetByCountText},
                                  {&sum.checks, s.checks},
                                  {&sum.rightAnswers, s.rightAnswers},
                                  {&sum.paceFallbacks, s.paceFallbacks},
                                  {&sum.studyFallbacks, s.studyFallbacks},
                                  {&sum.picks, s.picks},
                                  {&sum.advances, s.advances},
                                  {&sum.codeWordsShown, s.codeWordsShown},
                                  {&sum.modeSwitches, s.modeSwitches}})
            *into += from;
        if (!ok) {
            // The whole report, which is longer than a test message may be.
            std::fputs(qPrintable(run.failure()), stderr);
            QFAIL("the window and the model differ (report above)");
        }
    }
    qInfo("model test: %lld inputs compared in %.1f s", done, double(elapsed.elapsed()) / 1000.0);
    qInfo("reached: %lld drills, %lld items, %lld study times begun and %lld ended, "
          "%lld resets at box 201 and %lld by a count text, %lld checks with %lld right answers, "
          "%lld pace and %lld study-time fallbacks, %lld list picks, %lld answer advances, "
          "%lld code words shown, %lld mode switches",
          sum.generates, sum.itemsPresented, sum.studyStarted, sum.studyEnded, sum.resetAtBox201,
          sum.resetByCountText, sum.checks, sum.rightAnswers, sum.paceFallbacks, sum.studyFallbacks,
          sum.picks, sum.advances, sum.codeWordsShown, sum.modeSwitches);
    // The weights must keep every situation coming up, or the comparison proves little.
    if (total >= RunLength) {
        for (qint64 reached :
             {sum.generates, sum.studyStarted, sum.studyEnded, sum.resetAtBox201,
              sum.resetByCountText, sum.checks, sum.rightAnswers, sum.paceFallbacks,
              sum.studyFallbacks, sum.picks, sum.advances, sum.codeWordsShown, sum.modeSwitches})
            QVERIFY(reached > 0);
    }
}

QTEST_MAIN(TestModel)
#include "tst_model.moc"
