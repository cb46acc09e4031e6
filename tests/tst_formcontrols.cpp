// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The forms layer's controls: events raised by code run at once, nested inside the assignment;
// the user's input raises the same events; control arrays, colours, tab order and the form's
// Enter and Esc keys.
#include "checkbox.h"
#include "colors.h"
#include "combobox.h"
#include "commandbutton.h"
#include "controlarray.h"
#include "form.h"
#include "label.h"
#include "optionbutton.h"
#include "runtimeerror.h"
#include "textbox.h"
#include "windowfixture.h"

#include <QAbstractAnimation>
#include <QAbstractItemView>
#include <QApplication>
#include <QGuiApplication>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>
#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <imm.h>
#endif

using namespace forms;

class TestFormControls : public QObject, private WindowFixture<Form>
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { destroyWindow(); }

    void textBoxChangeIsNestedInAssignment();
    void textBoxRaisesNothingForTheSameText();
    void textBoxUserEditsRaiseChange();
    void lockedTextBoxRefusesTyping();
    void textBoxKeepsTwoCharacters();
    void textBoxSelection();
    void setFocusRaisesGotFocusOnce();
    void setFocusInInactiveWindowStillRaisesGotFocus();
    void textBoxClickComesOnRelease();
    void textBoxColorsArePainted();
    void comboSetTextRaisesChangeOnlyOnADifference();
    void comboAddItemKeepsTextAndRaisesNothing();
    void comboTypingRaisesChangePerKey();
    void comboPickRaisesChangeThenClick();
    void comboEnterDoesNotGrowTheList();
    void comboListOpensOnThePickedItem_data();
    void comboListOpensOnThePickedItem();
    void textFieldsRefuseInputMethods_data();
    void textFieldsRefuseInputMethods();
    void hoverChangesTheLookAtOnce_data();
    void hoverChangesTheLookAtOnce();
    void checkBoxClickOnlyOnAChange();
    void checkBoxRefusesOtherValues();
    void optionButtonsAreExclusive();
    void optionCaptionStartsOneSpacingAfterTheCircle();
    void controlArrayLookup_data();
    void controlArrayLookup();
    void controlArrayCopyRule();
    void controlArrayEventsCarryTheIndex();
    void handlerErrorEndsOnlyThatHandler();
    void systemColorsAreTheDesktops_data();
    void systemColorsAreTheDesktops();
    void directColorsAreBgr();
    void tabIndexPlacesAndShifts();
    void tabKeyFollowsTheOrderSkippingLabels();
    void enterPressesDefaultAndEscCancel();
    void labelSizedToTextGrowsLeft();
};

void TestFormControls::init()
{
    createWindow();
    m_form->setClientSize(6000, 6000);
}

void TestFormControls::textBoxChangeIsNestedInAssignment()
{
    auto *box = new TextBox(m_form.get());
    QStringList log;
    box->Change.connect([&] { log << QStringLiteral("change:") + box->Text(); });
    log << QStringLiteral("before");
    box->setText(QStringLiteral("ab"));
    log << QStringLiteral("after");
    QCOMPARE(log, (QStringList{QStringLiteral("before"), QStringLiteral("change:ab"),
                               QStringLiteral("after")}));
}

void TestFormControls::textBoxRaisesNothingForTheSameText()
{
    auto *box = new TextBox(m_form.get());
    int changes = 0;
    box->Change.connect([&] { ++changes; });
    box->setText(QString());
    QCOMPARE(changes, 0);
    box->setText(QStringLiteral("x"));
    box->setText(QStringLiteral("x"));
    QCOMPARE(changes, 1);
    box->setText(QString());
    QCOMPARE(changes, 2);
}

void TestFormControls::textBoxUserEditsRaiseChange()
{
    auto *box = new TextBox(m_form.get());
    box->setMaxLength(2);
    int changes = 0;
    box->Change.connect([&] { ++changes; });
    showActive();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("7"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(changes, 2);
    QCOMPARE(box->Text(), QString());
}

void TestFormControls::lockedTextBoxRefusesTyping()
{
    auto *box = new TextBox(m_form.get());
    box->setLocked(true);
    int changes = 0;
    box->Change.connect([&] { ++changes; });
    showActive();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("12"));
    QCOMPARE(box->Text(), QString());
    QCOMPARE(changes, 0);
    // Code may still write a locked box.
    box->setText(QStringLiteral("34"));
    QCOMPARE(box->Text(), QStringLiteral("34"));
    QCOMPARE(changes, 1);
}

void TestFormControls::textBoxKeepsTwoCharacters()
{
    auto *box = new TextBox(m_form.get());
    box->setMaxLength(2);
    showActive();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("789"));
    QCOMPARE(box->Text(), QStringLiteral("78"));
}

void TestFormControls::textBoxSelection()
{
    auto *box = new TextBox(m_form.get());
    box->setText(QStringLiteral("ab"));
    box->setSelStart(0);
    box->setSelLength(2);
    QCOMPARE(box->SelStart(), 0);
    QCOMPARE(box->SelLength(), 2);
    QCOMPARE(box->selectedText(), QStringLiteral("ab"));
    box->setSelStart(1);
    QCOMPARE(box->SelLength(), 0);
    QCOMPARE(box->SelStart(), 1);
    box->setSelLength(99); // more than there is: up to the end
    QCOMPARE(box->selectedText(), QStringLiteral("b"));
}

void TestFormControls::setFocusRaisesGotFocusOnce()
{
    auto *first = new TextBox(m_form.get());
    auto *second = new TextBox(m_form.get());
    QStringList log;
    second->GotFocus.connect([&] { log << QStringLiteral("got focus"); });
    second->Change.connect([&] { log << QStringLiteral("change"); });
    showActive();
    first->setFocus();
    log << QStringLiteral("before");
    second->SetFocus();
    log << QStringLiteral("after");
    second->SetFocus(); // already there: no second event
    QCOMPARE(log, (QStringList{QStringLiteral("before"), QStringLiteral("got focus"),
                               QStringLiteral("after")}));
    QVERIFY(second->hasFocus());

    second->hide();
    QVERIFY_THROWS_EXCEPTION(RuntimeError, second->SetFocus());
}

void TestFormControls::setFocusInInactiveWindowStillRaisesGotFocus()
{
    auto *box = new TextBox(m_form.get());
    int gotFocus = 0;
    box->GotFocus.connect([&] { ++gotFocus; });
    box->SetFocus(); // the window is not even shown
    QCOMPARE(gotFocus, 1);
    QCOMPARE(m_form->focusWidget(), box);
    // Showing and activating the window is not a new focus for the box.
    showActive();
    QCOMPARE(gotFocus, 1);
}

void TestFormControls::textBoxClickComesOnRelease()
{
    auto *box = new TextBox(m_form.get());
    box->Move(0, 0, 375, 405);
    int clicks = 0;
    box->Click.connect([&] { ++clicks; });
    showActive();
    QTest::mousePress(box, Qt::LeftButton);
    QCOMPARE(clicks, 0);
    QTest::mouseRelease(box, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    QTest::mouseClick(box, Qt::RightButton);
    QCOMPARE(clicks, 1);
}

void TestFormControls::textBoxColorsArePainted()
{
    auto *box = new TextBox(m_form.get());
    box->Move(0, 0, 375, 405);
    box->setBackColor(Colors::ScrollBar);
    box->setForeColor(Colors::ScrollBar);
    QCOMPARE(box->palette().color(QPalette::Base), colorFromValue(Colors::ScrollBar));
    QCOMPARE(box->palette().color(QPalette::Text), box->palette().color(QPalette::Base));
    box->setBackColor(Colors::White);
    box->setForeColor(Colors::Green);
    showActive();
    const QImage image = box->grab().toImage();
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::white));
    QCOMPARE(box->palette().color(QPalette::Text), QColor(0, 255, 0));
}

void TestFormControls::comboSetTextRaisesChangeOnlyOnADifference()
{
    auto *combo = new ComboBox(m_form.get());
    QStringList log;
    combo->Change.connect([&] { log << QStringLiteral("change:") + combo->Text(); });
    combo->setText(QStringLiteral("1"));
    combo->setText(QStringLiteral("1"));
    combo->setText(QStringLiteral("2.5"));
    QCOMPARE(log, (QStringList{QStringLiteral("change:1"), QStringLiteral("change:2.5")}));
}

void TestFormControls::comboAddItemKeepsTextAndRaisesNothing()
{
    auto *combo = new ComboBox(m_form.get());
    combo->setText(QStringLiteral("10"));
    int events = 0;
    combo->Change.connect([&] { ++events; });
    combo->Click.connect([&] { ++events; });
    for (int n = 6; n <= 200; ++n)
        combo->AddItem(QString::number(n));
    QCOMPARE(combo->Text(), QStringLiteral("10"));
    QCOMPARE(combo->ListCount(), 195);
    QCOMPARE(combo->List(0), QStringLiteral("6"));
    QCOMPARE(combo->List(194), QStringLiteral("200"));
    QCOMPARE(events, 0);
    QCOMPARE(combo->currentIndex(), -1);
}

void TestFormControls::comboTypingRaisesChangePerKey()
{
    auto *combo = new ComboBox(m_form.get());
    combo->AddItem(QStringLiteral("20"));
    QStringList texts;
    combo->Change.connect([&] { texts << combo->Text(); });
    showActive();
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("2.5"));
    // Exactly what was typed: no completion to "20".
    QCOMPARE(texts,
             (QStringList{QStringLiteral("2"), QStringLiteral("2."), QStringLiteral("2.5")}));
}

void TestFormControls::comboPickRaisesChangeThenClick()
{
    auto *combo = new ComboBox(m_form.get());
    for (const char *item : {"0.5", "1", "1.5"})
        combo->AddItem(QString::fromLatin1(item));
    combo->setText(QStringLiteral("1"));
    QStringList log;
    combo->Change.connect([&] { log << QStringLiteral("change:") + combo->Text(); });
    combo->Click.connect([&] { log << QStringLiteral("click:") + combo->Text(); });
    showActive();
    combo->setFocus();
    // Picking from the open list, as a person does.
    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    const QModelIndex row = combo->model()->index(2, 0);
    combo->view()->setCurrentIndex(row);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QCOMPARE(log, (QStringList{QStringLiteral("change:1.5"), QStringLiteral("click:1.5")}));
    // Typing an item's text and leaving the field is an edit, not a pick.
    log.clear();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("1"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Tab);
    QCOMPARE(log, (QStringList{QStringLiteral("change:1")}));
}

void TestFormControls::comboEnterDoesNotGrowTheList()
{
    auto *combo = new ComboBox(m_form.get());
    combo->AddItem(QStringLiteral("1"));
    showActive();
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("7"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCOMPARE(combo->ListCount(), 1);
    QCOMPARE(combo->Text(), QStringLiteral("7"));
}

void TestFormControls::comboListOpensOnThePickedItem_data()
{
    QTest::addColumn<QList<int>>("keys"); // an opening closed with a key, before the one judged
    QTest::addColumn<int>("row");         // current as the list opens again
    QTest::addColumn<QString>("picked");  // by Enter then
    QTest::newRow("first opening") << QList<int>{} << 0 << QStringLiteral("0.5");
    QTest::newRow("after Esc on the last row")
        << QList<int>{Qt::Key_End, Qt::Key_Escape} << 0 << QStringLiteral("0.5");
    QTest::newRow("after a pick of row 1")
        << QList<int>{Qt::Key_Down, Qt::Key_Return} << 1 << QStringLiteral("1");
    QTest::newRow("after a pick, then Esc elsewhere")
        << QList<int>{Qt::Key_Down, Qt::Key_Return, Qt::Key_End, Qt::Key_Escape} << 1
        << QStringLiteral("1");
}

// Opened with Alt+Down, as the keyboard does: the row Enter picks, and the only one that may be
// highlighted, is the item picked last or the first, on every Qt version.
void TestFormControls::comboListOpensOnThePickedItem()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, row);
    QFETCH(QString, picked);
    auto *combo = new ComboBox(m_form.get());
    for (const char *item : {"0.5", "1", "1.5"})
        combo->AddItem(QString::fromLatin1(item));
    combo->setText(QStringLiteral("7"));
    showActive();
    combo->setFocus();
    const auto open = [combo] {
        QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(combo->view()->isVisible());
    };
    bool opened = false;
    for (int key : keys) {
        if (!opened)
            open();
        QTest::keyClick(combo->view(), Qt::Key(key));
        opened = key != Qt::Key_Escape && key != Qt::Key_Return;
        QTRY_COMPARE(combo->view()->isVisible(), opened);
    }
    open();
    const QAbstractItemView *list = combo->view();
    QCOMPARE(list->currentIndex().row(), row);
    const QModelIndexList highlighted = list->selectionModel()->selectedIndexes();
    QVERIFY(highlighted.size() <= 1);
    if (!highlighted.isEmpty())
        QCOMPARE(highlighted.first().row(), row);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QCOMPARE(combo->Text(), picked);
}

// Answers and settings take the keys as typed, whatever input method is on. Asked as the
// platform asks: the focus object, and on Windows the window's input context, which Qt takes
// away for a control that refuses input methods. A plain line edit shows that the check can tell.
void TestFormControls::textFieldsRefuseInputMethods_data()
{
    QTest::addColumn<bool>("accepts");
    QTest::newRow("text box") << false;
    QTest::newRow("combo box") << false;
    QTest::newRow("plain line edit") << true;
}

void TestFormControls::textFieldsRefuseInputMethods()
{
    QFETCH(bool, accepts);
    const QByteArray control = QTest::currentDataTag();
    QWidget *widget = nullptr;
    if (control == "text box")
        widget = new TextBox(m_form.get());
    else if (control == "combo box")
        widget = new ComboBox(m_form.get());
    else
        widget = new QLineEdit(m_form.get());
    showActive();
    widget->setFocus();
#ifdef Q_OS_WIN
    const auto window = reinterpret_cast<HWND>(m_form->winId());
    const HIMC context = ImmGetContext(window);
    if (context)
        ImmReleaseContext(window, context);
    QCOMPARE(context != nullptr, accepts);
#endif
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(QGuiApplication::focusObject(), &query);
    QCOMPARE(query.value(Qt::ImEnabled).toBool(), accepts);
}

// The runtime's controls change their look at once when the mouse comes or goes. Windows' style
// would fade between the two looks, drawing each through a picture of the control that lacks
// the combo box's frame; on a busy machine the fade's last picture stayed on the screen.
void TestFormControls::hoverChangesTheLookAtOnce_data()
{
    QTest::addColumn<QByteArray>("control");
    for (const char *control :
         {"text box", "combo box", "command button", "check box", "option button"})
        QTest::newRow(control) << QByteArray(control);
}

void TestFormControls::hoverChangesTheLookAtOnce()
{
    QFETCH(QByteArray, control);
    QWidget *widget = nullptr;
    if (control == "text box")
        widget = new TextBox(m_form.get());
    else if (control == "combo box")
        widget = new ComboBox(m_form.get());
    else if (control == "command button")
        widget = new CommandButton(m_form.get());
    else if (control == "check box")
        widget = new CheckBox(m_form.get());
    else
        widget = new OptionButton(m_form.get());
    widget->setGeometry(8, 8, 105, 25);
    showActive();
    const QPoint away(200, 200);
    QTest::mouseMove(m_form.get(), away);
    widget->grab();
    for (bool over : {true, false}) {
        QTest::mouseMove(over ? widget : m_form.get(), over ? widget->rect().center() : away);
        QTRY_COMPARE(widget->underMouse(), over);
        widget->grab(); // a paint in the new state, where a style starts its fade
        QVERIFY2(widget->findChildren<QAbstractAnimation *>().isEmpty(),
                 over ? "fades in" : "fades out");
    }
}

void TestFormControls::checkBoxClickOnlyOnAChange()
{
    auto *box = new CheckBox(m_form.get());
    box->Move(0, 0, 1215, 495);
    box->setCaption(QStringLiteral("提示代码"));
    QList<qint16> seen;
    box->Click.connect([&] { seen << box->Value(); });
    box->setValue(0); // already 0
    box->setValue(1);
    box->setValue(1);
    box->setValue(0);
    QCOMPARE(seen, (QList<qint16>{1, 0}));
    showActive();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QCOMPARE(seen, (QList<qint16>{1, 0, 1}));
    // Code that knows only Qt's check box raises Click all the same.
    static_cast<QCheckBox *>(box)->setChecked(false);
    QCOMPARE(seen, (QList<qint16>{1, 0, 1, 0}));
}

void TestFormControls::checkBoxRefusesOtherValues()
{
    auto *box = new CheckBox(m_form.get());
    box->setValue(1);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, box->setValue(3));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, box->setValue(-1));
    QCOMPARE(box->Value(), 1);
}

void TestFormControls::optionButtonsAreExclusive()
{
    auto *group = new QWidget(m_form.get());
    ControlArray<OptionButton> options;
    for (int k = 0; k < 2; ++k) {
        auto *option = new OptionButton(group);
        option->Move(0, 400 * k, 1215, 400);
        option->setCaption(QStringLiteral("option %1").arg(k));
        options.add(k, option);
    }
    QList<qint16> clicks;
    options.on(&OptionButton::Click, [&](qint16 k) { clicks << k; });
    options(0).setValue(true);
    QCOMPARE(clicks, (QList<qint16>{0}));
    showActive();
    QTest::mouseClick(&options(1), Qt::LeftButton, {}, QPoint(8, 10));
    QVERIFY(options(1).Value());
    QVERIFY(!options(0).Value());
    QCOMPARE(clicks, (QList<qint16>{0, 1}));
    // Clicking the selected one again changes nothing and raises nothing.
    QTest::mouseClick(&options(1), Qt::LeftButton, {}, QPoint(8, 10));
    QCOMPARE(clicks, (QList<qint16>{0, 1}));
}

// Qt 6.9 and later draw the caption one pixel nearer the circle than Qt 6.4 to 6.8.
void TestFormControls::optionCaptionStartsOneSpacingAfterTheCircle()
{
    auto *option = new OptionButton(m_form.get());
    option->Move(0, 0, 975, 255);
    option->setCaption(QStringLiteral("数字"));
    QStyleOptionButton drawn;
    drawn.initFrom(option);
    drawn.text = option->text();
    const QStyle *style = option->style();
    const QRect circle = style->subElementRect(QStyle::SE_RadioButtonIndicator, &drawn, option);
    const QRect caption = style->subElementRect(QStyle::SE_RadioButtonContents, &drawn, option);
    const int spacing = QApplication::style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    QCOMPARE(caption.left(), circle.left() + circle.width() + spacing);
}

void TestFormControls::controlArrayLookup_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("exists");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("3") << 3 << true;
    QTest::newRow("4") << 4 << false;
    QTest::newRow("201") << 201 << false;
    QTest::newRow("-1") << -1 << false;
    QTest::newRow("40000") << 40000 << false;
}

void TestFormControls::controlArrayLookup()
{
    QFETCH(int, index);
    QFETCH(bool, exists);
    ControlArray<TextBox> boxes;
    boxes.add(1, new TextBox(m_form.get()));
    boxes.load(2);
    boxes.load(3);
    QCOMPARE(boxes.exists(index), exists);
    if (exists) {
        QVERIFY(&boxes(index) != nullptr);
        return;
    }
    try {
        boxes(index);
        QFAIL("lookup of a missing element succeeded");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.code(), RuntimeError::Code::NoSuchElement);
    }
}

void TestFormControls::controlArrayCopyRule()
{
    ControlArray<TextBox> boxes;
    auto *design = new TextBox(m_form.get());
    design->Move(30, 4560, 375, 405);
    design->setBackColor(Colors::ScrollBar);
    design->setForeColor(Colors::WindowText);
    design->setLocked(true);
    design->setMaxLength(2);
    design->setText(QStringLiteral("x"));
    design->setTabIndex(0);
    boxes.add(1, design);
    auto *other = new CommandButton(m_form.get());
    m_form->show();

    TextBox &copy = boxes.load(2);
    QCOMPARE(copy.Left(), 30.0f);
    QCOMPARE(copy.Top(), 4560.0f);
    QCOMPARE(copy.Width(), 375.0f);
    QCOMPARE(copy.Height(), 405.0f);
    QCOMPARE(copy.geometry(), design->geometry());
    QCOMPARE(copy.BackColor(), Colors::ScrollBar);
    QCOMPARE(copy.ForeColor(), Colors::WindowText);
    QCOMPARE(copy.palette().color(QPalette::Base), colorFromValue(Colors::ScrollBar));
    QVERIFY(copy.Locked());
    QCOMPARE(copy.MaxLength(), 2);
    QCOMPARE(copy.Text(), QStringLiteral("x"));
    // Except: it starts hidden, and last in the tab order.
    QVERIFY(!copy.Visible());
    QVERIFY(design->Visible());
    QCOMPARE(design->TabIndex(), 0);
    QCOMPARE(other->TabIndex(), 1);
    QCOMPARE(copy.TabIndex(), 2);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, boxes.load(2));
}

void TestFormControls::controlArrayEventsCarryTheIndex()
{
    ControlArray<TextBox> boxes;
    boxes.add(1, new TextBox(m_form.get()));
    QList<qint16> changed;
    boxes.on(&TextBox::Change, [&](qint16 i) { changed << i; });
    boxes.load(2); // elements made later are bound too
    boxes(2).setText(QStringLiteral("a"));
    boxes(1).setText(QStringLiteral("b"));
    QCOMPARE(changed, (QList<qint16>{2, 1}));
}

void TestFormControls::handlerErrorEndsOnlyThatHandler()
{
    auto *box = new TextBox(m_form.get());
    auto *other = new TextBox(m_form.get());
    QStringList log;
    box->Change.connect([&] {
        log << QStringLiteral("start");
        throw RuntimeError(RuntimeError::Code::NoSuchElement, "no such box");
    });
    box->setText(QStringLiteral("1"));
    // The assignment itself completes and the window goes on.
    log << QStringLiteral("after");
    other->setText(QStringLiteral("2"));
    QCOMPARE(log, (QStringList{QStringLiteral("start"), QStringLiteral("after")}));
    QCOMPARE(box->Text(), QStringLiteral("1"));
}

// Elsewhere than on Windows the table of the Windows defaults stands in for the desktop.
void TestFormControls::systemColorsAreTheDesktops_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("color");
    QTest::newRow("0 scroll bar") << Colors::ScrollBar << QColor(200, 200, 200);
    QTest::newRow("5 window") << Colors::Window << QColor(255, 255, 255);
    QTest::newRow("8 window text") << Colors::WindowText << QColor(0, 0, 0);
    QTest::newRow("15 button face") << Colors::ButtonFace << QColor(240, 240, 240);
    QTest::newRow("16 button shadow") << Colors::ButtonShadow << QColor(160, 160, 160);
    QTest::newRow("18 button text") << Colors::ButtonText << QColor(0, 0, 0);
    QTest::newRow("20 button highlight") << Colors::ButtonHighlight << QColor(255, 255, 255);
}

void TestFormControls::systemColorsAreTheDesktops()
{
    QFETCH(quint32, value);
    QFETCH(QColor, color);
#ifdef Q_OS_WIN
    // The desktop's own colour by the index in the low byte, whatever theme it has.
    const DWORD bgr = GetSysColor(int(value & 0xFF));
    color = QColor(GetRValue(bgr), GetGValue(bgr), GetBValue(bgr));
#endif
    QCOMPARE(colorFromValue(value), color);
}

void TestFormControls::directColorsAreBgr()
{
    QCOMPARE(colorFromValue(Colors::Red), QColor(255, 0, 0));
    QCOMPARE(colorFromValue(Colors::Green), QColor(0, 255, 0));
    QCOMPARE(colorFromValue(0xFF0000), QColor(0, 0, 255));
    QCOMPARE(colorFromValue(0x123456), QColor(0x56, 0x34, 0x12));
    QCOMPARE(colorFromValue(Colors::White), QColor(Qt::white));
    QCOMPARE(colorFromValue(Colors::Black), QColor(Qt::black));
}

void TestFormControls::tabIndexPlacesAndShifts()
{
    auto *a = new TextBox(m_form.get());
    auto *b = new TextBox(m_form.get());
    auto *c = new TextBox(m_form.get());
    auto *d = new TextBox(m_form.get());
    QCOMPARE(d->TabIndex(), 3);
    d->setTabIndex(1); // a d b c
    QCOMPARE(a->TabIndex(), 0);
    QCOMPARE(d->TabIndex(), 1);
    QCOMPARE(b->TabIndex(), 2);
    QCOMPARE(c->TabIndex(), 3);
    a->setTabIndex(99); // beyond the end: last
    QCOMPARE(a->TabIndex(), 3);
    QCOMPARE(d->TabIndex(), 0);
}

void TestFormControls::tabKeyFollowsTheOrderSkippingLabels()
{
    auto *first = new TextBox(m_form.get());
    auto *label = new Label(m_form.get());
    label->setCaption(QStringLiteral("label"));
    auto *disabled = new TextBox(m_form.get());
    disabled->setEnabled(false);
    auto *last = new TextBox(m_form.get());
    auto *second = new TextBox(m_form.get());
    second->setTabIndex(1); // first, second, label, disabled, last
    showActive();
    QCOMPARE(QApplication::focusWidget(), first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), second);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), last);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), last);
}

void TestFormControls::enterPressesDefaultAndEscCancel()
{
    auto *box = new TextBox(m_form.get());
    auto *combo = new ComboBox(m_form.get());
    auto *ok = new CommandButton(m_form.get());
    auto *cancel = new CommandButton(m_form.get());
    m_form->setDefaultButton(ok);
    m_form->setCancelButton(cancel);
    QStringList log;
    ok->Click.connect([&] { log << QStringLiteral("ok"); });
    cancel->Click.connect([&] { log << QStringLiteral("cancel"); });
    showActive();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Escape);
    combo->setFocus();
    QTest::keyClick(combo->lineEdit(), Qt::Key_Enter, Qt::KeypadModifier);
    // Enter on a focused button presses that button.
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    QCOMPARE(log, (QStringList{QStringLiteral("ok"), QStringLiteral("cancel"), QStringLiteral("ok"),
                               QStringLiteral("cancel")}));

    // An open drop-down list keeps Enter (pick) and Esc (close) for itself.
    log.clear();
    combo->AddItem(QStringLiteral("5"));
    combo->setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        combo->showPopup();
        QTRY_VERIFY(combo->view()->isVisible());
        combo->view()->setCurrentIndex(combo->model()->index(0, 0));
        QTest::keyClick(combo->view(), key);
        QTRY_VERIFY(!combo->view()->isVisible());
    }
    QCOMPARE(log, QStringList());
    QCOMPARE(combo->Text(), QStringLiteral("5"));
}

void TestFormControls::labelSizedToTextGrowsLeft()
{
    auto *label = new Label(m_form.get());
    label->Move(6930, 3960, 120, 240);
    label->setGrowsLeft(true);
    label->setAutoSize(true);
    const float right = label->Left() + label->Width();
    label->setCaption(QStringLiteral("100 daisies"));
    QCOMPARE(label->Left() + label->Width(), right);
    QCOMPARE(label->width(), label->fontMetrics().horizontalAdvance(label->Caption()));
    QVERIFY(label->Left() < 6930);
    label->setCaption(QString());
    QCOMPARE(label->Left() + label->Width(), right);
    QVERIFY(label->width() > 0);
}

QTEST_MAIN(TestFormControls)
#include "tst_formcontrols.moc"
