// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// An executable model of the trainer window's observable state, written from the design and
// from the documented behaviour of the toolkit (Qt line edits and combo boxes), never from the
// window's code. The model test drives the real window and this model with the same inputs
// and compares them after every input.

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <functional>
#include <optional>

namespace model
{

namespace colour
{
inline constexpr quint32 Black = 0x000000;
inline constexpr quint32 White = 0xFFFFFF;
inline constexpr quint32 Red = 0x0000FF;
inline constexpr quint32 Green = 0x00FF00;
inline constexpr quint32 ScrollBar = 0x80000000;  // system colour 0
inline constexpr quint32 WindowText = 0x80000008; // system colour 8
inline constexpr quint32 ButtonFace = 0x8000000F; // system colour 15
} // namespace colour

inline constexpr int Boxes = 200;

// Text to number as the window reads settings: optional blanks (space, tab) around an optional
// sign, digits with an optional decimal point ("2." and ".5" too), an optional exponent, in the
// C locale. Anything else, and a value too large for a double, gives nothing.
std::optional<double> textToNumber(const QString &text);
// To the nearest whole number, halves to the even neighbour; nothing outside 32 bits.
std::optional<qint32> roundHalfEven(double value);
// Seconds in a combo box to a timer interval in ms; nothing when the text cannot be one.
std::optional<qint32> secondsToInterval(const QString &text);
// Slot k (0..100) of the number-code table: "" for 0, "07 key" for 7, "100 daisies" for 100.
QString codeWord(int k);
// Whether a line edit takes a typed key whose text is this (one character, no modifiers).
bool typedTextAccepted(const QString &text);

// A one-line text field as the toolkit edits it: text, caret and selection, length limit and
// read-only state. The edit functions return whether the field raises its change event.
struct Field {
    QString text;
    int cursor = 0;
    int selStart = 0;
    int selEnd = 0;
    int maxLength = 32767;
    bool readOnly = false;

    bool hasSelection() const { return selStart < selEnd; }
    int selectionLength() const { return selEnd - selStart; }
    void deselect() { selStart = selEnd = 0; }
    void moveCursor(int pos)
    {
        deselect();
        cursor = pos;
    }
    void selectAll();
    // Selects length characters from start; the caret goes to the end of the selection.
    void select(int start, int length);
    // Code assigns the text (caret to the end, no selection): true when the text changed.
    bool assign(const QString &newText);
    // Typed or pasted text replaces the selection, cut to the length limit.
    bool insert(const QString &s);
    bool backspace();
    bool deleteForward();
};

// The controls that can hold the keyboard focus.
enum class Control {
    None,
    Item,
    Answer,
    Cb1,
    Cb2,
    Cb3,
    Cmdsc,
    Cmdjc,
    Op0,
    Op1,
    Ckdm,
    Check1,
    Check4
};

struct Focus {
    Control control = Control::None;
    int index = 0; // box number for Item and Answer
    bool operator==(const Focus &) const = default;
};

QString describe(Focus focus);

enum class Phase { Idle, Presenting, Studying, Answering };

struct ItemBox {
    QString text;
    quint32 fore = colour::WindowText;
    quint32 back = colour::ScrollBar;
    bool locked = true;
};

struct AnswerBox {
    Field field; // field.readOnly is the lock
    quint32 fore = colour::WindowText;
    quint32 back = colour::ScrollBar;
};

struct Combo {
    Field field;
    QStringList list;
    int currentIndex = -1;  // the list item last picked, -1 for none
    bool listShown = false; // the list has been opened before
};

struct Timer {
    bool enabled = false;
    qint32 interval = 1000;
    bool armed = false; // waiting for a deadline on the clock
    qint64 deadlineNs = 0;
};

// How often the model went through each of the design's situations, to show that the random
// inputs reach them all.
struct Stats {
    qint64 generates = 0;
    qint64 itemsPresented = 0;
    qint64 studyStarted = 0;
    qint64 studyEnded = 0;
    qint64 resetAtBox201 = 0;    // an impossible count ran out of boxes
    qint64 resetByCountText = 0; // a count that is not a number
    qint64 checks = 0;
    qint64 rightAnswers = 0;   // answers coloured green by a check with a typed answer
    qint64 paceFallbacks = 0;  // Cb1 back to "1"
    qint64 studyFallbacks = 0; // Cb3 back to "3"
    qint64 picks = 0;
    qint64 advances = 0;       // an answer moved the focus on
    qint64 codeWordsShown = 0; // a click on an item box set the caption
    qint64 modeSwitches = 0;
};

class WindowModel
{
public:
    // Gives the next random draw the window made, or nothing when it made no more.
    using Draw = std::function<std::optional<float>()>;

    explicit WindowModel(Draw draw);

    // ---- Observable state ----
    Phase phase = Phase::Idle;
    int nextItem = 0;
    std::array<Timer, 2> timers; // Timer1, Timer2
    std::array<Combo, 3> combos; // Cb1 pace, Cb2 count, Cb3 study time
    int mode = 0;                // the selected option: 0 digits, 1 letters
    int ckdmValue = 1;
    bool ckdmEnabled = true;
    int check1 = 1;
    int check4 = 1;
    bool lbldmVisible = true;
    QString lbldmCaption;
    std::array<ItemBox, Boxes + 1> items;     // 1..200
    std::array<AnswerBox, Boxes + 1> answers; // 1..200
    Focus focus{Control::Item, 1};
    int listOpen = -1; // the combo box whose list is open (the list then has the focus)
    int listRow = -1;  // the highlighted row of the open list
    qint64 nowNs = 0;
    bool drawMissing = false; // the model needed a draw the window did not make
    Stats stats;

    // ---- The user's inputs ----
    // A left click. caret: where the click put the caret of a text field (font metrics decide
    // it, so the test reads it from the window).
    void click(Focus target, int caret = 0);
    void tab(bool forward);
    void typeKey(const QString &text); // a key with this text into the focused field
    void paste(const QString &clip);   // Ctrl+V
    void selectAll();                  // Ctrl+A
    void backspace();
    void deleteKey();
    void home();
    void end();
    void arrow(bool down); // Up or Down in a focused combo box: picks the item above or below
    // The drop-down list of the focused combo box: opened with Alt+Down, then keys in the list;
    // Enter picks the highlighted item, Esc closes the list.
    enum class ListKey { Down, Up, Home, End, Enter, Escape };
    void openList();
    void listKey(ListKey key);
    void space(); // the space bar on the focused control
    void enter();
    void escape();

    // ---- The clock ----
    void fireNext();           // the clock jumps to the next deadline
    void advanceMs(qint64 ms); // the clock runs on, ticking every deadline on the way
    void elapse(int timer);    // the timer's deadline handling, called directly

    bool anyTimerArmed() const { return timers[0].armed || timers[1].armed; }
    // The boxes a drill of the current count covers (check and study end).
    int boxesOfDrill() const;

private:
    enum class Reason { Mouse, Tab, Other };

    float draw();
    void setFocus(Focus target, Reason reason);
    void focusOut(Focus old);
    void focusIn(Focus target, Reason reason);
    bool canTakeFocus(Focus f) const;
    Focus nextInTabOrder(Focus from, bool forward) const;
    Field *focusedField();

    void setTimerEnabled(int t, bool enabled);
    void setInterval(int t, qint32 ms);
    void armFromNow(int t);
    void tick(int t);

    void setCkdmValue(int value);
    void setCkdmEnabled(bool enabled);
    void comboAssign(int k, const QString &text);
    void fieldEdited(bool changed);
    void pickFromList(int k, int row);

    // The window's handlers.
    void reset();
    bool sc(int i);
    void generate();
    void presentNext();
    void endStudy();
    void checkAnswers();
    void comboChange(int k);
    void comboClick(int k);
    void op1Click(int k);
    void ckdmClick();
    void answerChange(int i);
    void answerGotFocus(int i);
    void itemClick(int i);

    Draw m_draw;
    std::array<Focus, 2 * Boxes + 10> m_tabOrder;
};

} // namespace model
