// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Settings and answer entry through real keystrokes and clicks on the window: pace and study
// time reach the timers at once with their fallbacks, the mode sets up the hint, and answers
// are typed as one stream of characters.
#include "colors.h"
#include "form1.h"
#include "windowfixture.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

using namespace forms::Colors;
using forms::TextBox;
using namespace Qt::StringLiterals;

class TestSettings : public QObject, private WindowFixture<Form1>
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { destroyWindow(); }

    void paceTyped_data();
    void paceTyped();
    void paceTypedKeystrokeByKeystroke_data();
    void paceTypedKeystrokeByKeystroke();
    void pacePastedNegativeFallsBack();
    void pacePickedFromTheList();
    void paceReachesARunningDrill();
    void studyTime_data();
    void studyTime();
    void studyTimeFallbackFromTheClickHandler();
    void countEditChangesNothing();
    void modeSetsUpTheHint();
    void generateInLettersModeReenablesTheHint();
    void hintCheckBoxShowsAndHidesTheLabel();
    void checkBoxesWithoutBehaviour();
    void secondCharacterMovesToTheNextBox();
    void pasteMovesOnce();
    void deletingKeepsTheFocus();
    void box200KeepsTheFocus();
    void streamRunsIntoTheLockedBoxAfterTheCount();
    void tabIntoAnAnswerSelectsIt();
    void itemClickShowsItsCode_data();
    void itemClickShowsItsCode();
    void hiddenItemClickStillUpdatesTheCaption();
    void wholeDrillAsAPerson_data();
    void wholeDrillAsAPerson();

private:
    void typeInto(forms::ComboBox *combo, const QString &text);
    static void typeStream(const QString &text);
};

// Every test here types and clicks: the window is shown and active.
void TestSettings::init()
{
    createWindow();
    showActive();
}

// Clicks into the field, selects its text and types over it.
void TestSettings::typeInto(forms::ComboBox *combo, const QString &text)
{
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
    QTest::keyClick(combo->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(combo->lineEdit(), c.toLatin1());
        } else {
            // A character no key of the test keyboard carries, as an input method sends it.
            QTest::sendKeyEvent(QTest::Click, combo->lineEdit(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
    }
}

// Each keystroke goes to the widget that has the focus when it is typed.
void TestSettings::typeStream(const QString &text)
{
    for (QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void TestSettings::paceTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("interval");
    QTest::newRow("2") << "2"
                       << "2" << 2000;
    QTest::newRow("1.5") << "1.5"
                         << "1.5" << 1500;
    QTest::newRow("0.5") << "0.5"
                         << "0.5" << 500;
    QTest::newRow("65.535 accepted") << "65.535"
                                     << "65.535" << 65535;
    QTest::newRow("65.536 falls back") << "65.536"
                                       << "1" << 1000;
    QTest::newRow("0: never ticks") << "0"
                                    << "0" << 0;
    QTest::newRow("0.0005 rounds to even 0") << "0.0005"
                                             << "0.0005" << 0;
    QTest::newRow("0.0015 rounds to even 2") << "0.0015"
                                             << "0.0015" << 2;
    QTest::newRow("a letter falls back") << "a"
                                         << "1" << 1000;
    QTest::newRow("a CJK character falls back") << QStringLiteral("秒") << "1" << 1000;
    QTest::newRow("100 falls back") << "100"
                                    << "1" << 1000;
    QTest::newRow("a space alone falls back") << " "
                                              << "1" << 1000;
}

void TestSettings::paceTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, interval);
    m_form->Timer1->setInterval(777);
    typeInto(m_form->Cb1, typed);
    QCOMPARE(m_form->Cb1->Text(), text);
    QCOMPARE(m_form->Timer1->Interval(), interval);
}

void TestSettings::paceTypedKeystrokeByKeystroke_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("intervals");
    QTest::newRow("100 over the selection passes 1 and 10")
        << "1"
        << "100" << QStringList{u"1"_s, u"10"_s, u"1"_s} << QList<int>{1000, 10000, 1000};
    QTest::newRow("a decimal typed after 2")
        << "2"
        << ".5" << QStringList{u"2."_s, u"2.5"_s} << QList<int>{2000, 2500};
    QTest::newRow("0.5 from scratch")
        << "1"
        << "0.5" << QStringList{u"0"_s, u"0."_s, u"0.5"_s} << QList<int>{0, 0, 500};
    QTest::newRow("a minus sign at once falls back")
        << "3"
        << "-2" << QStringList{u"1"_s, u"12"_s} << QList<int>{1000, 12000};
}

void TestSettings::paceTypedKeystrokeByKeystroke()
{
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, intervals);
    forms::ComboBox *pace = m_form->Cb1;
    pace->setText(start);
    QTest::mouseClick(pace->lineEdit(), Qt::LeftButton);
    const bool overSelection = keys == u"100" || keys == u"0.5" || keys == u"-2";
    if (overSelection)
        QTest::keyClick(pace->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    else
        QTest::keyClick(pace->lineEdit(), Qt::Key_End);
    for (int k = 0; k < keys.size(); ++k) {
        QTest::keyClick(pace->lineEdit(), keys[k].toLatin1());
        QCOMPARE(pace->Text(), texts[k]);
        QCOMPARE(m_form->Timer1->Interval(), intervals[k]);
    }
}

void TestSettings::pacePastedNegativeFallsBack()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("-2"));
    QTest::mouseClick(m_form->Cb1->lineEdit(), Qt::LeftButton);
    QTest::keyClick(m_form->Cb1->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_form->Cb1->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_form->Cb1->Text(), QStringLiteral("1"));
    QCOMPARE(m_form->Timer1->Interval(), 1000);
    // Emptied with the keyboard: back to 1 at once, never empty.
    typeInto(m_form->Cb1, QStringLiteral("4"));
    QCOMPARE(m_form->Timer1->Interval(), 4000);
    QTest::keyClick(m_form->Cb1->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(m_form->Cb1->Text(), QStringLiteral("1"));
    QCOMPARE(m_form->Timer1->Interval(), 1000);
}

void TestSettings::pacePickedFromTheList()
{
    forms::ComboBox *pace = m_form->Cb1;
    pace->showPopup();
    QTRY_VERIFY(pace->view()->isVisible());
    pace->view()->setCurrentIndex(pace->model()->index(0, 0));
    QTest::keyClick(pace->view(), Qt::Key_Return);
    QCOMPARE(pace->Text(), QStringLiteral("0.5"));
    QCOMPARE(m_form->Timer1->Interval(), 500);
    pace->showPopup();
    QTRY_VERIFY(pace->view()->isVisible());
    pace->view()->setCurrentIndex(pace->model()->index(19, 0));
    QTest::keyClick(pace->view(), Qt::Key_Return);
    QCOMPARE(m_form->Timer1->Interval(), 10000);
}

void TestSettings::paceReachesARunningDrill()
{
    Form1 &f = *m_form;
    QTest::mouseClick(f.cmdsc, Qt::LeftButton);
    m_clock->advanceMs(1000);
    QCOMPARE(f.Txtsc(2).Text().size(), 2);
    typeInto(f.Cb1, QStringLiteral("3"));
    // The new pace counts from the edit.
    m_clock->advanceMs(2999);
    QCOMPARE(f.Txtsc(3).Text(), QString());
    m_clock->advanceMs(1);
    QCOMPARE(f.Txtsc(3).Text().size(), 2);
}

void TestSettings::studyTime_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("interval");
    QTest::newRow("9 is not listed but accepted") << "9"
                                                  << "9" << 9000;
    QTest::newRow("2.5") << "2.5"
                         << "2.5" << 2500;
    QTest::newRow("letters fall back to 3") << "x"
                                            << "3" << 3000;
    QTest::newRow("70 falls back to 3") << "70"
                                        << "3" << 3000;
}

void TestSettings::studyTime()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, interval);
    typeInto(m_form->Cb3, typed);
    QCOMPARE(m_form->Cb3->Text(), text);
    QCOMPARE(m_form->Timer2->Interval(), interval);
    // Emptied: "3" and 3000 at once.
    typeInto(m_form->Cb3, QStringLiteral("5"));
    QTest::keyClick(m_form->Cb3->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(m_form->Cb3->Text(), QStringLiteral("3"));
    QCOMPARE(m_form->Timer2->Interval(), 3000);
}

void TestSettings::studyTimeFallbackFromTheClickHandler()
{
    // A click handler meeting a text that cannot be an interval relies on the change run that
    // its fallback text raises.
    {
        const QSignalBlocker quiet(m_form->Cb3);
        m_form->Cb3->setText(QStringLiteral("nope"));
    }
    m_form->Timer2->setInterval(1234);
    m_form->Cb3_Click();
    QCOMPARE(m_form->Cb3->Text(), QStringLiteral("3"));
    QCOMPARE(m_form->Timer2->Interval(), 3000);
}

void TestSettings::countEditChangesNothing()
{
    Form1 &f = *m_form;
    QTest::mouseClick(f.cmdsc, Qt::LeftButton);
    typeInto(f.Cb2, QStringLiteral("abc"));
    QCOMPARE(f.Cb2->Text(), QStringLiteral("abc"));
    QVERIFY(f.Timer1->Enabled());
    QCOMPARE(f.Timer1->Interval(), 1000);
    QCOMPARE(f.nextItem(), qint16(2));
    QCOMPARE(f.Txtsc(1).Text().size(), 2);
}

void TestSettings::modeSetsUpTheHint()
{
    Form1 &f = *m_form;
    const auto click = [](QWidget *w) {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
    };
    for (int uncheckFirst = 0; uncheckFirst <= 1; ++uncheckFirst) {
        if (uncheckFirst)
            click(f.ckdm); // the hint turned off before letters are chosen
        click(&f.Op1(1));
        QVERIFY(f.Op1(1).Value());
        QCOMPARE(f.ckdm->Value(), 0);
        QVERIFY(!f.ckdm->Enabled());
        QVERIFY(!f.lbldm->Visible());
        click(&f.Op1(0));
        QCOMPARE(f.ckdm->Value(), 1);
        QVERIFY(f.ckdm->Enabled());
        QVERIFY(f.lbldm->Visible());
    }
}

void TestSettings::generateInLettersModeReenablesTheHint()
{
    Form1 &f = *m_form;
    m_random->push({ScriptedRandom::number(42)});
    QTest::mouseClick(f.cmdsc, Qt::LeftButton);
    QTest::mouseClick(&f.Op1(1), Qt::LeftButton, {}, QPoint(8, 10));
    QTest::mouseClick(f.cmdsc, Qt::LeftButton);
    QVERIFY(f.ckdm->Enabled());
    QCOMPARE(f.ckdm->Value(), 0);
    QVERIFY(!f.lbldm->Visible());
    QTest::mouseClick(f.ckdm, Qt::LeftButton, {}, QPoint(8, f.ckdm->height() / 2));
    QVERIFY(f.lbldm->Visible());
    QCOMPARE(f.lbldm->Caption(), QStringLiteral("42 rhino"));
}

void TestSettings::hintCheckBoxShowsAndHidesTheLabel()
{
    Form1 &f = *m_form;
    f.ckdm->setFocus();
    QTest::keyClick(f.ckdm, Qt::Key_Space);
    QCOMPARE(f.ckdm->Value(), 0);
    QVERIFY(!f.lbldm->Visible());
    QTest::keyClick(f.ckdm, Qt::Key_Space);
    QVERIFY(f.lbldm->Visible());
}

void TestSettings::checkBoxesWithoutBehaviour()
{
    Form1 &f = *m_form;
    runDrillToAnswering(6);
    for (forms::CheckBox *box : {f.Check1, f.Check4}) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QCOMPARE(box->Value(), 0);
    }
    // No automatic check and no change to the typing flow: the cursor still moves on.
    f.Txtjc(1).setFocus();
    typeStream(QStringLiteral("12"));
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(2));
    QCOMPARE(f.Txtjc(1).ForeColor(), Black);
    QCOMPARE(f.ckdm->Value(), 0);
    QVERIFY(!f.lbldm->Visible());
}

void TestSettings::secondCharacterMovesToTheNextBox()
{
    Form1 &f = *m_form;
    runDrillToAnswering(6);
    // Code that fills a box moves the cursor on just like typing does.
    f.Txtjc(2).setText(QStringLiteral("xy"));
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(3));
    QTest::mouseClick(&f.Txtjc(1), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(1));
    typeStream(QStringLiteral("4"));
    QCOMPARE(f.Txtjc(1).BackColor(), White);
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(1));
    typeStream(QStringLiteral("2"));
    QCOMPARE(f.Txtjc(1).Text(), QStringLiteral("42"));
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(2));
    QCOMPARE(f.Txtjc(2).SelStart(), 0);
    QCOMPARE(f.Txtjc(2).SelLength(), 2);
    typeStream(QStringLiteral("a")); // replaces the selection
    QCOMPARE(f.Txtjc(2).Text(), QStringLiteral("a"));
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(2));
}

void TestSettings::pasteMovesOnce()
{
    Form1 &f = *m_form;
    runDrillToAnswering(6);
    QGuiApplication::clipboard()->setText(QStringLiteral("12345"));
    QTest::keyClick(&f.Txtjc(1), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.Txtjc(1).Text(), QStringLiteral("12"));
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(2));
    QCOMPARE(f.Txtjc(2).Text(), QString());
}

void TestSettings::deletingKeepsTheFocus()
{
    Form1 &f = *m_form;
    runDrillToAnswering(6);
    QTest::mouseClick(&f.Txtjc(3), Qt::LeftButton);
    typeStream(QStringLiteral("ab"));
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(4));
    QTest::mouseClick(&f.Txtjc(3), Qt::LeftButton);
    QTest::keyClick(&f.Txtjc(3), Qt::Key_End);
    QTest::keyClick(&f.Txtjc(3), Qt::Key_Backspace);
    QCOMPARE(f.Txtjc(3).Text(), QStringLiteral("a"));
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(3));
}

void TestSettings::box200KeepsTheFocus()
{
    Form1 &f = *m_form;
    runDrillToAnswering(200);
    QTest::mouseClick(&f.Txtjc(200), Qt::LeftButton);
    typeStream(QStringLiteral("zz"));
    QCOMPARE(f.Txtjc(200).Text(), QStringLiteral("zz"));
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(200));
    QCOMPARE(f.Txtjc(200).BackColor(), White);
}

void TestSettings::streamRunsIntoTheLockedBoxAfterTheCount()
{
    Form1 &f = *m_form;
    runDrillToAnswering(6);
    typeStream(QStringLiteral("1122334455667788"));
    for (int i = 1; i <= 6; ++i)
        QCOMPARE(f.Txtjc(i).Text(), QString(2, QChar(u'0' + i)));
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(7));
    QCOMPARE(f.Txtjc(7).Text(), QString());
    QVERIFY(f.Txtjc(7).Locked());
    QCOMPARE(f.Txtjc(7).BackColor(), ButtonFace);
}

void TestSettings::tabIntoAnAnswerSelectsIt()
{
    Form1 &f = *m_form;
    runDrillToAnswering(6);
    f.Txtjc(5).setText(QStringLiteral("ab"));
    f.Txtjc(4).setFocus();
    QTest::keyClick(&f.Txtjc(4), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(5));
    QCOMPARE(f.Txtjc(5).selectedText(), QStringLiteral("ab"));
}

void TestSettings::itemClickShowsItsCode_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::newRow("07") << QStringLiteral("07") << QStringLiteral("07 key");
    QTest::newRow("00 empties the caption") << QStringLiteral("00") << QString();
    QTest::newRow("a letters item leaves it") << QStringLiteral("ab") << QStringLiteral("old");
    QTest::newRow("an empty box leaves it") << QString() << QStringLiteral("old");
}

void TestSettings::itemClickShowsItsCode()
{
    QFETCH(QString, item);
    QFETCH(QString, caption);
    Form1 &f = *m_form;
    f.lbldm->setCaption(QStringLiteral("old"));
    f.Txtsc(17).setText(item);
    QTest::mouseClick(&f.Txtsc(17), Qt::LeftButton);
    QCOMPARE(f.lbldm->Caption(), caption);
}

void TestSettings::hiddenItemClickStillUpdatesTheCaption()
{
    Form1 &f = *m_form;
    m_random->push({ScriptedRandom::number(7), ScriptedRandom::number(98)});
    m_form->Cb2->setText(QStringLiteral("6"));
    QTest::mouseClick(f.cmdsc, Qt::LeftButton);
    m_clock->advanceMs(6000);
    QVERIFY(!f.lbldm->Visible());
    QTest::mouseClick(&f.Txtsc(1), Qt::LeftButton);
    QCOMPARE(f.lbldm->Caption(), QStringLiteral("07 key"));
    QVERIFY(!f.lbldm->Visible());
    // Letters and then digits shows it again.
    QTest::mouseClick(&f.Op1(1), Qt::LeftButton, {}, QPoint(8, 10));
    QTest::mouseClick(&f.Op1(0), Qt::LeftButton, {}, QPoint(8, 10));
    QVERIFY(f.lbldm->Visible());
    QCOMPARE(f.lbldm->Caption(), QStringLiteral("07 key"));
}

void TestSettings::wholeDrillAsAPerson_data()
{
    QTest::addColumn<bool>("letters");
    QTest::addColumn<bool>("rightAnswers");
    QTest::newRow("digits, right") << false << true;
    QTest::newRow("digits, wrong") << false << false;
    QTest::newRow("letters, right in capitals") << true << true;
}

void TestSettings::wholeDrillAsAPerson()
{
    QFETCH(bool, letters);
    QFETCH(bool, rightAnswers);
    Form1 &f = *m_form;
    if (letters)
        QTest::mouseClick(&f.Op1(1), Qt::LeftButton, {}, QPoint(8, 10));
    typeInto(f.Cb2, QStringLiteral("12"));
    typeInto(f.Cb1, QStringLiteral("0.5"));
    QTest::mouseClick(f.cmdsc, Qt::LeftButton);
    m_clock->advanceMs(11 * 500);
    QStringList items;
    for (int i = 1; i <= 12; ++i)
        items << f.Txtsc(i).Text();
    m_clock->advanceMs(1000);
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(1));
    QString stream = items.join(QString());
    if (letters)
        stream = stream.toUpper();
    if (!rightAnswers)
        stream = QString(stream.size(), u'z');
    typeStream(stream);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    for (int i = 1; i <= 12; ++i) {
        QCOMPARE(f.Txtjc(i).ForeColor(), rightAnswers ? Green : Red);
        QCOMPARE(f.Txtsc(i).ForeColor(), Black);
    }
    QCOMPARE(f.Txtjc(13).ForeColor(), Black);
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
