// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowmodel.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#ifndef Q_OS_WIN
#include <locale.h>
#endif

namespace model
{

// ---- Conversions ----

namespace
{

// strtod in the C locale whatever locale the process runs in.
double cLocaleStrtod(const std::string &text)
{
#ifdef Q_OS_WIN
    // MinGW's C runtime has no strtod for a given locale. Qt leaves the process in the C locale
    // on Windows; should anything change it, the point is spelled as that locale spells it.
    // MinGW's strtod is its own correctly rounded one, as glibc's is.
    std::string spelled = text;
    std::replace(spelled.begin(), spelled.end(), '.', *std::localeconv()->decimal_point);
    return std::strtod(spelled.c_str(), nullptr);
#else
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(text.c_str(), nullptr, c);
#endif
}

} // namespace

std::optional<double> textToNumber(const QString &text)
{
    // The number grammar of docs/bad-input.md as one pattern, matched whole: blanks around an
    // optional sign, digits with an optional point (at least one digit, on either side), an
    // optional exponent of at least one digit. Nothing else, not even a final newline.
    static const QRegularExpression grammar(QRegularExpression::anchoredPattern(QStringLiteral(
        "[ \\t]*([+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)[ \\t]*")));
    const QRegularExpressionMatch number = grammar.match(text);
    if (!number.hasMatch())
        return std::nullopt;
    // strtod gives infinity for a value too large for a double; one that underflows is still a
    // number (0 or nearly).
    const double value = cLocaleStrtod(number.captured(1).toStdString());
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint32> roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // x - trunc(x) is exact (the two are within a factor of two, or trunc is 0).
    double whole = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        whole = 2.0 * std::round(value / 2.0); // value / 2 is never a half
    if (whole < double(std::numeric_limits<qint32>::min()) ||
        whole > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(whole);
}

std::optional<qint32> secondsToInterval(const QString &text)
{
    const std::optional<double> seconds = textToNumber(text);
    if (!seconds)
        return std::nullopt;
    const double ms = *seconds * 1000.0;
    const std::optional<qint32> whole = roundHalfEven(ms);
    if (!whole || *whole < 0 || *whole > 65535)
        return std::nullopt;
    return whole;
}

QString codeWord(int k)
{
    static const char *const words[100] = {
        "tie",    "Noah",  "mow",   "row",    "law",    "joy",    "key",     "fee",     "pie",
        "toes",   "toad",  "tin",   "dam",    "tire",   "tail",   "dish",    "tack",    "TV",
        "tape",   "nose",  "net",   "nun",    "enema",  "Nero",   "nail",    "hinge",   "neck",
        "knife",  "knob",  "moose", "maid",   "man",    "mime",   "mare",    "mail",    "match",
        "mug",    "movie", "mop",   "rice",   "rat",    "rhino",  "ram",     "rare",    "rail",
        "roach",  "rake",  "roof",  "ruby",   "Lassie", "lid",    "lion",    "lamb",    "lure",
        "lily",   "leash", "lock",  "leaf",   "leap",   "cheese", "cheetah", "chain",   "gym",
        "shower", "shell", "judge", "sheikh", "shave",  "jeep",   "case",    "cat",     "coin",
        "comb",   "car",   "coal",  "cage",   "cake",   "coffee", "cap",     "vase",    "fat",
        "fan",    "foam",  "fry",   "file",   "fish",   "fig",    "fife",    "VP",      "bus",
        "boat",   "bone",  "palm",  "beer",   "ball",   "peach",  "pig",     "beehive", "pipe",
        "daisies"};
    if (k == 0)
        return QString();
    return QStringLiteral("%1 %2")
        .arg(k, 2, 10, QLatin1Char('0'))
        .arg(QLatin1StringView(words[k - 1]));
}

bool typedTextAccepted(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    if (c.category() == QChar::Other_Format || c.isPrint() ||
        c.category() == QChar::Other_PrivateUse)
        return true;
    return c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
}

// ---- Field ----

void Field::selectAll()
{
    selStart = 0;
    selEnd = int(text.size());
    cursor = selEnd;
}

void Field::select(int start, int length)
{
    const int size = int(text.size());
    start = std::clamp(start, 0, size);
    if (length > 0) {
        selStart = start;
        selEnd = std::min(start + length, size);
        cursor = selEnd;
    } else {
        deselect();
        cursor = start;
    }
}

bool Field::assign(const QString &newText)
{
    const QString old = text;
    text = newText.left(maxLength);
    moveCursor(int(text.size()));
    return text != old;
}

bool Field::insert(const QString &s)
{
    if (readOnly)
        return false;
    bool edited = false;
    if (hasSelection()) {
        text.remove(selStart, selEnd - selStart);
        cursor = selStart;
        deselect();
        edited = true;
    }
    const int room = maxLength - int(text.size());
    if (room != 0) {
        // The limit cuts by code units: it can split a surrogate pair.
        const QString part = s.left(room);
        text.insert(cursor, part);
        cursor += int(part.size());
        edited = true;
    }
    return edited;
}

bool Field::backspace()
{
    if (readOnly)
        return false;
    if (hasSelection()) {
        text.remove(selStart, selEnd - selStart);
        cursor = selStart;
        deselect();
        return true;
    }
    if (cursor == 0)
        return false;
    --cursor;
    // A surrogate pair goes at once; a lone half goes alone.
    if (cursor > 0 && text[cursor].isLowSurrogate() && text[cursor - 1].isHighSurrogate()) {
        --cursor;
        text.remove(cursor, 2);
    } else {
        text.remove(cursor, 1);
    }
    return true;
}

bool Field::deleteForward()
{
    if (readOnly)
        return false;
    if (hasSelection()) {
        text.remove(selStart, selEnd - selStart);
        cursor = selStart;
        deselect();
        return true;
    }
    if (cursor >= text.size())
        return false;
    // Delete takes one grapheme of the text as shown, where control characters show as spaces.
    QString shown = text;
    for (QChar &c : shown) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != 0x09) || u == 0x2028 || u == 0x2029 || u == 0xFFFC)
            c = QChar(u' ');
    }
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, shown);
    graphemes.setPosition(cursor);
    qsizetype next = graphemes.toNextBoundary();
    if (next < 0)
        next = text.size();
    text.remove(cursor, next - cursor);
    return true;
}

// ---- Focus ----

QString describe(Focus focus)
{
    switch (focus.control) {
    case Control::None:
        return QStringLiteral("nothing");
    case Control::Item:
        return QStringLiteral("Txtsc(%1)").arg(focus.index);
    case Control::Answer:
        return QStringLiteral("Txtjc(%1)").arg(focus.index);
    case Control::Cb1:
        return QStringLiteral("Cb1");
    case Control::Cb2:
        return QStringLiteral("Cb2");
    case Control::Cb3:
        return QStringLiteral("Cb3");
    case Control::Cmdsc:
        return QStringLiteral("cmdsc");
    case Control::Cmdjc:
        return QStringLiteral("cmdjc");
    case Control::Op0:
        return QStringLiteral("Op1(0)");
    case Control::Op1:
        return QStringLiteral("Op1(1)");
    case Control::Ckdm:
        return QStringLiteral("ckdm");
    case Control::Check1:
        return QStringLiteral("Check1");
    case Control::Check4:
        return QStringLiteral("Check4");
    }
    return QString();
}

namespace
{
int comboOf(Control c)
{
    switch (c) {
    case Control::Cb1:
        return 0;
    case Control::Cb2:
        return 1;
    case Control::Cb3:
        return 2;
    default:
        return -1;
    }
}
} // namespace

WindowModel::WindowModel(Draw draw) : m_draw(std::move(draw))
{
    for (int i = 1; i <= Boxes; ++i) {
        answers[i].field.maxLength = 2;
        answers[i].field.readOnly = true;
    }
    const char *texts[3] = {"1", "10", "1"};
    for (int k = 0; k < 3; ++k)
        combos[k].field.assign(QLatin1StringView(texts[k]));
    // The lists start-up fills: pace 0.5..10 by halves, counts 6..200, study 1..8.
    for (int n = 5; n <= 100; n += 5)
        combos[0].list << (n % 10 ? QStringLiteral("%1.5").arg(n / 10) : QString::number(n / 10));
    for (int n = 6; n <= 200; ++n)
        combos[1].list << QString::number(n);
    for (int n = 1; n <= 8; ++n)
        combos[2].list << QString::number(n);

    // Tab order: item box 1, answer boxes 1..200, the buttons and settings in their design
    // order, then the item boxes made at start-up. Labels and the frame never take the focus.
    std::size_t n = 0;
    m_tabOrder[n++] = {Control::Item, 1};
    for (int i = 1; i <= Boxes; ++i)
        m_tabOrder[n++] = {Control::Answer, i};
    for (Control c : {Control::Cmdsc, Control::Cmdjc, Control::Op0, Control::Op1, Control::Cb1,
                      Control::Cb2, Control::Ckdm, Control::Check4, Control::Check1, Control::Cb3})
        m_tabOrder[n++] = {c, 0};
    for (int i = 2; i <= Boxes; ++i)
        m_tabOrder[n++] = {Control::Item, i};
}

float WindowModel::draw()
{
    const std::optional<float> d = m_draw();
    if (!d) {
        drawMissing = true;
        return 0.0f;
    }
    return *d;
}

bool WindowModel::canTakeFocus(Focus f) const
{
    switch (f.control) {
    case Control::Op0:
        return mode == 0; // only the selected option of a group is a tab stop
    case Control::Op1:
        return mode == 1;
    case Control::Ckdm:
        return ckdmEnabled;
    case Control::None:
        return false;
    default:
        return true;
    }
}

Focus WindowModel::nextInTabOrder(Focus from, bool forward) const
{
    const int n = int(m_tabOrder.size());
    int start = -1;
    for (int i = 0; i < n; ++i) {
        if (m_tabOrder[std::size_t(i)] == from)
            start = i;
    }
    if (start < 0)
        start = forward ? n - 1 : 0;
    for (int step = 1; step <= n; ++step) {
        const int i = forward ? (start + step) % n : (start - step + n) % n;
        if (canTakeFocus(m_tabOrder[std::size_t(i)]))
            return m_tabOrder[std::size_t(i)];
    }
    return {};
}

Field *WindowModel::focusedField()
{
    if (focus.control == Control::Answer)
        return &answers[focus.index].field;
    const int k = comboOf(focus.control);
    return k >= 0 ? &combos[k].field : nullptr;
}

void WindowModel::setFocus(Focus target, Reason reason)
{
    if (target == focus)
        return;
    const Focus old = focus;
    focus = target;
    focusOut(old);
    if (focus == target)
        focusIn(target, reason);
}

void WindowModel::focusOut(Focus old)
{
    if (old.control == Control::Answer) {
        answers[old.index].field.deselect();
        return;
    }
    // A combo box's field only loses its selection: leaving a text that matches a list item is
    // not a pick.
    if (const int k = comboOf(old.control); k >= 0)
        combos[k].field.deselect();
}

void WindowModel::focusIn(Focus target, Reason reason)
{
    // A combo box's field selects its text when Tab brings the focus; a text box selects
    // nothing by itself (an answer box's got-focus handler does).
    if (const int k = comboOf(target.control); k >= 0) {
        if (reason == Reason::Tab && !combos[k].field.hasSelection())
            combos[k].field.selectAll();
    }
    if (target.control == Control::Answer)
        answerGotFocus(target.index);
}

// ---- Inputs ----

void WindowModel::click(Focus target, int caret)
{
    if (target.control == Control::Ckdm && !ckdmEnabled)
        return; // a disabled control takes neither the focus nor the click
    setFocus(target, Reason::Mouse);
    if (Field *field = focusedField())
        field->moveCursor(caret);
    switch (target.control) {
    case Control::Item:
        itemClick(target.index);
        break;
    case Control::Cmdsc:
        generate();
        break;
    case Control::Cmdjc:
        checkAnswers();
        break;
    case Control::Op0:
    case Control::Op1: {
        const int k = target.control == Control::Op0 ? 0 : 1;
        if (mode != k) { // only a newly selected option raises its click
            mode = k;
            op1Click(k);
        }
        break;
    }
    case Control::Ckdm:
        ckdmValue = 1 - ckdmValue;
        ckdmClick();
        break;
    case Control::Check1:
        check1 = 1 - check1;
        break;
    case Control::Check4:
        check4 = 1 - check4;
        break;
    default:
        break;
    }
}

void WindowModel::tab(bool forward)
{
    const Focus target = nextInTabOrder(focus, forward);
    if (target.control != Control::None)
        setFocus(target, Reason::Tab);
}

void WindowModel::fieldEdited(bool changed)
{
    if (!changed)
        return;
    if (focus.control == Control::Answer)
        answerChange(focus.index);
    else if (const int k = comboOf(focus.control); k >= 0)
        comboChange(k);
}

void WindowModel::typeKey(const QString &text)
{
    Field *field = focusedField();
    if (!field) {
        if (text == QStringLiteral(" "))
            space(); // the space bar presses a button or toggles a box
        return;
    }
    if (typedTextAccepted(text))
        fieldEdited(field->insert(text));
}

void WindowModel::paste(const QString &clip)
{
    Field *field = focusedField();
    if (!field || field->readOnly || (clip.isEmpty() && !field->hasSelection()))
        return;
    fieldEdited(field->insert(clip));
}

void WindowModel::selectAll()
{
    if (Field *field = focusedField())
        field->selectAll();
}

void WindowModel::backspace()
{
    if (Field *field = focusedField())
        fieldEdited(field->backspace());
}

void WindowModel::deleteKey()
{
    if (Field *field = focusedField())
        fieldEdited(field->deleteForward());
}

void WindowModel::home()
{
    if (Field *field = focusedField())
        field->moveCursor(0);
}

void WindowModel::end()
{
    if (Field *field = focusedField())
        field->moveCursor(int(field->text.size()));
}

void WindowModel::arrow(bool down)
{
    const int k = comboOf(focus.control);
    if (k < 0)
        return;
    Combo &combo = combos[k];
    const int index = combo.currentIndex + (down ? 1 : -1);
    if (index < 0 || index >= combo.list.size())
        return;
    // A pick: the text becomes the item (a change when it differs), then the click.
    ++stats.picks;
    combo.currentIndex = index;
    if (combo.field.text != combo.list[index]) {
        combo.field.assign(combo.list[index]);
        comboChange(k);
    }
    comboClick(k);
}

void WindowModel::openList()
{
    const int k = comboOf(focus.control);
    if (k < 0)
        return;
    listOpen = k;
    // The toolkit's first showing of a list window takes the field's selection away; later
    // openings leave it.
    if (!combos[k].listShown)
        combos[k].field.deselect();
    combos[k].listShown = true;
    // The item picked last is highlighted, the first one when none was picked.
    listRow = std::max(combos[k].currentIndex, 0);
}

void WindowModel::listKey(ListKey key)
{
    if (listOpen < 0)
        return;
    const int last = int(combos[listOpen].list.size()) - 1;
    switch (key) {
    case ListKey::Down:
        listRow = std::min(listRow + 1, last);
        break;
    case ListKey::Up:
        listRow = std::max(listRow - 1, 0);
        break;
    case ListKey::Home:
        listRow = 0;
        break;
    case ListKey::End:
        listRow = last;
        break;
    case ListKey::Escape:
        listOpen = -1; // the list keeps its keys: no cancel button
        break;
    case ListKey::Enter:
        const int k = listOpen;
        listOpen = -1;
        pickFromList(k, listRow); // and no default button
        break;
    }
}

void WindowModel::pickFromList(int k, int row)
{
    ++stats.picks;
    Combo &combo = combos[k];
    const QString &item = combo.list[row];
    if (row != combo.currentIndex) {
        combo.currentIndex = row;
        if (combo.field.text != item) {
            combo.field.assign(item);
            comboChange(k);
        }
    } else {
        // The item picked before, picked again: its text is written back over the field.
        combo.field.selectAll();
        if (combo.field.assign(item))
            comboChange(k);
    }
    comboClick(k);
}

void WindowModel::space()
{
    switch (focus.control) {
    case Control::Cmdsc:
        generate();
        break;
    case Control::Cmdjc:
        checkAnswers();
        break;
    case Control::Ckdm:
        ckdmValue = 1 - ckdmValue;
        ckdmClick();
        break;
    case Control::Check1:
        check1 = 1 - check1;
        break;
    case Control::Check4:
        check4 = 1 - check4;
        break;
    case Control::Op0:
    case Control::Op1: {
        const int k = focus.control == Control::Op0 ? 0 : 1;
        if (mode != k) {
            mode = k;
            op1Click(k);
        }
        break;
    }
    default:
        if (Field *field = focusedField())
            fieldEdited(field->insert(QStringLiteral(" ")));
        break;
    }
}

void WindowModel::enter()
{
    // Enter presses the focused command button, else the check button.
    if (focus.control == Control::Cmdsc)
        generate();
    else
        checkAnswers();
}

void WindowModel::escape()
{
    generate();
}

// ---- Clock and timers ----

void WindowModel::setTimerEnabled(int t, bool enabled)
{
    Timer &timer = timers[std::size_t(t)];
    if (timer.enabled == enabled)
        return;
    timer.enabled = enabled;
    if (enabled)
        armFromNow(t);
    else
        timer.armed = false;
}

void WindowModel::setInterval(int t, qint32 ms)
{
    Timer &timer = timers[std::size_t(t)];
    if (timer.interval == ms)
        return;
    timer.interval = ms;
    if (timer.enabled)
        armFromNow(t); // a new interval restarts the wait in progress
}

void WindowModel::armFromNow(int t)
{
    Timer &timer = timers[std::size_t(t)];
    timer.armed = timer.interval != 0; // an interval of 0 never ticks
    if (timer.armed)
        timer.deadlineNs = nowNs + qint64(timer.interval) * 1000000;
}

void WindowModel::elapse(int t)
{
    Timer &timer = timers[std::size_t(t)];
    if (!timer.enabled || timer.interval == 0)
        return;
    // Absolute schedule: the next deadline follows from this one, skipping any missed.
    const qint64 step = qint64(timer.interval) * 1000000;
    timer.deadlineNs += step;
    if (timer.deadlineNs <= nowNs)
        timer.deadlineNs += ((nowNs - timer.deadlineNs) / step + 1) * step;
    timer.armed = true;
    tick(t);
}

void WindowModel::fireNext()
{
    int first = -1;
    for (int t = 0; t < 2; ++t) {
        if (timers[std::size_t(t)].armed &&
            (first < 0 ||
             timers[std::size_t(t)].deadlineNs < timers[std::size_t(first)].deadlineNs))
            first = t;
    }
    if (first < 0)
        return;
    nowNs = std::max(nowNs, timers[std::size_t(first)].deadlineNs);
    timers[std::size_t(first)].armed = false;
    elapse(first);
}

void WindowModel::advanceMs(qint64 ms)
{
    const qint64 target = nowNs + ms * 1000000;
    for (;;) {
        int first = -1;
        for (int t = 0; t < 2; ++t) {
            const Timer &timer = timers[std::size_t(t)];
            if (timer.armed && timer.deadlineNs <= target &&
                (first < 0 || timer.deadlineNs < timers[std::size_t(first)].deadlineNs))
                first = t;
        }
        if (first < 0)
            break;
        nowNs = std::max(nowNs, timers[std::size_t(first)].deadlineNs);
        timers[std::size_t(first)].armed = false;
        elapse(first);
    }
    nowNs = target;
}

void WindowModel::tick(int t)
{
    if (t == 0)
        presentNext();
    else
        endStudy();
}

// ---- Property assignments that raise events ----

void WindowModel::setCkdmValue(int value)
{
    if (value == ckdmValue)
        return;
    ckdmValue = value;
    ckdmClick();
}

void WindowModel::setCkdmEnabled(bool enabled)
{
    ckdmEnabled = enabled;
    // A control that loses its enabled state while focused hands the focus on.
    if (!enabled && focus.control == Control::Ckdm) {
        const Focus next = nextInTabOrder(focus, true);
        if (next.control == Control::None)
            focus = {};
        else
            setFocus(next, Reason::Tab);
    }
}

void WindowModel::comboAssign(int k, const QString &text)
{
    if (text == combos[k].field.text)
        return; // the same text raises nothing
    combos[k].field.assign(text);
    comboChange(k);
}

// ---- The window's handlers ----

void WindowModel::reset()
{
    nextItem = 1;
    setTimerEnabled(0, false);
    setTimerEnabled(1, false);
    setCkdmEnabled(true);
    for (int i = 1; i <= Boxes; ++i) {
        items[i].text.clear();
        items[i].fore = colour::Black;
        AnswerBox &answer = answers[i];
        answer.fore = colour::Black;
        answer.back = colour::ButtonFace;
        if (answer.field.assign(QString()))
            answerChange(i); // paints it white; the grey follows
        answer.back = colour::ButtonFace;
        answer.field.readOnly = true;
    }
    phase = Phase::Idle;
}

bool WindowModel::sc(int i)
{
    // The draws come first; a box that does not exist fails after them.
    if (mode == 0) {
        const int n = int(std::floor(double(draw()) * 100.0));
        if (i < 1 || i > Boxes)
            return false;
        items[i].text = n > 9 ? QString::number(n) : QStringLiteral("0%1").arg(n);
        lbldmCaption = codeWord(n);
    } else {
        const int r1 = int(std::floor(double(draw()) * 26.0));
        const int r2 = int(std::floor(double(draw()) * 26.0));
        if (i < 1 || i > Boxes)
            return false;
        items[i].text = QString(QChar(u'a' + r1)) + QChar(u'a' + r2);
    }
    return true;
}

void WindowModel::generate()
{
    ++stats.generates;
    reset();
    sc(1);
    nextItem = 2;
    setTimerEnabled(0, true);
    phase = Phase::Presenting;
}

void WindowModel::presentNext()
{
    if (!sc(nextItem)) {
        ++stats.resetAtBox201;
        reset();
        return;
    }
    ++stats.itemsPresented;
    const std::optional<double> count = textToNumber(combos[1].field.text);
    if (!count) {
        ++stats.resetByCountText;
        reset();
        return;
    }
    if (*count == double(nextItem)) {
        ++stats.studyStarted;
        setTimerEnabled(1, true);
        setTimerEnabled(0, false);
        phase = Phase::Studying;
    }
    ++nextItem;
}

int WindowModel::boxesOfDrill() const
{
    const std::optional<double> count = textToNumber(combos[1].field.text);
    if (!count)
        return std::clamp(nextItem - 1, 0, Boxes); // the items presented so far
    return int(std::clamp(std::floor(*count), 0.0, double(Boxes)));
}

void WindowModel::endStudy()
{
    ++stats.studyEnded;
    const int boxes = boxesOfDrill();
    for (int i = 1; i <= boxes; ++i) {
        items[i].fore = colour::ScrollBar;
        answers[i].back = colour::White;
        answers[i].field.readOnly = false;
    }
    setFocus({Control::Answer, 1}, Reason::Other);
    setCkdmValue(0);
    lbldmVisible = false;
    setCkdmEnabled(false);
    setTimerEnabled(1, false);
    phase = Phase::Answering;
}

void WindowModel::checkAnswers()
{
    ++stats.checks;
    const int boxes = boxesOfDrill();
    for (int i = 1; i <= boxes; ++i) {
        items[i].fore = colour::Black;
        const bool right = answers[i].field.text.toLower() == items[i].text;
        answers[i].fore = right ? colour::Green : colour::Red;
        if (right && !items[i].text.isEmpty())
            ++stats.rightAnswers;
    }
}

void WindowModel::comboChange(int k)
{
    if (k == 1)
        return; // the count is read when it is needed
    const int t = k == 0 ? 0 : 1;
    if (const std::optional<qint32> ms = secondsToInterval(combos[k].field.text)) {
        setInterval(t, *ms);
        return;
    }
    if (k == 0) {
        ++stats.paceFallbacks;
        comboAssign(0, QStringLiteral("1"));
        setInterval(0, *secondsToInterval(combos[0].field.text));
    } else {
        ++stats.studyFallbacks;
        comboAssign(2, QStringLiteral("3")); // the nested change sets 3000
    }
}

void WindowModel::comboClick(int k)
{
    if (k == 0) {
        if (const std::optional<qint32> ms = secondsToInterval(combos[0].field.text))
            setInterval(0, *ms);
    } else if (k == 2) {
        comboChange(2);
    }
}

void WindowModel::op1Click(int k)
{
    ++stats.modeSwitches;
    setCkdmValue(k ^ 1);
    setCkdmEnabled(k == 0);
    lbldmVisible = k == 0;
}

void WindowModel::ckdmClick()
{
    lbldmVisible = ckdmValue != 0;
}

void WindowModel::answerChange(int i)
{
    answers[i].back = colour::White;
    if (answers[i].field.text.size() > 1 && i < Boxes) {
        ++stats.advances;
        setFocus({Control::Answer, i + 1}, Reason::Other);
    }
}

void WindowModel::answerGotFocus(int i)
{
    Field &field = answers[i].field;
    field.moveCursor(0);
    field.select(0, int(field.text.size()));
}

void WindowModel::itemClick(int i)
{
    const std::optional<double> number = textToNumber(items[i].text);
    if (!number)
        return;
    const std::optional<qint32> slot = roundHalfEven(*number);
    if (slot && *slot >= 0 && *slot <= 100) {
        ++stats.codeWordsShown;
        lbldmCaption = codeWord(*slot);
    }
}

} // namespace model
