// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The drill: generate, present, study, check, on a clock and random source the test drives.
#include "colors.h"
#include "form1.h"
#include "windowfixture.h"

#include <cmath>
#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

using namespace forms::Colors;
using forms::TextBox;

class TestDrill : public QObject, private WindowFixture<Form1>
{
    Q_OBJECT

private Q_SLOTS:
    void init() { createWindow(); }
    void cleanup() { destroyWindow(); }

    void wholeDrillOfTen();
    void generateDuringADrillStartsOver();
    void generateAfterADrillClearsTheAnswers();
    void resetPaintsClearedAnswersGreyAgain();
    void impossibleCountsRunToBox200ThenClear_data();
    void impossibleCountsRunToBox200ThenClear();
    void countLoweredBelowNextItemRunsOn();
    void countThatIsNotANumberClearsAtTheFirstTick();
    void paceOfZeroStopsAfterItemOne();
    void studyTimeOfZeroStaysInStudy();
    void numberItems_data();
    void numberItems();
    void lettersItemsLeaveTheHintAlone();
    void modeIsReadForEveryItem();
    void numbersAreUniform();
    void lettersAreUniformInEachPosition();
    void checkColoursAnswers_data();
    void checkColoursAnswers();
    void checkTwiceGivesTheSameColours();
    void checkWhilePresenting();
    void checkDuringStudyThenStudyEnds();
    void checkBeforeAnyDrillChangesNothing();
    void studyEndCompletesWhateverTheCount_data();
    void studyEndCompletesWhateverTheCount();
    void checkCoversBoxesWhateverTheCount_data();
    void checkCoversBoxesWhateverTheCount();
    void keyboardFocusLeavesHiddenItemsHidden();
    void textEventsCarryOnlyShownItems();

private:
    void setCount(const QString &count) { m_form->Cb2->setText(count); }
    void verifyAnswering(int count);
    static bool paintedBlank(TextBox &box);
    static bool itemHidden(const TextBox &box)
    {
        return box.ForeColor() == box.BackColor() &&
               box.palette().color(QPalette::Text) == box.palette().color(QPalette::Base);
    }

    // What assistive technology reads of a box: its text, and the check's verdict.
    static QString accessibleText(TextBox &box)
    {
        QAccessibleTextInterface *text =
            QAccessible::queryAccessibleInterface(&box)->textInterface();
        return text->text(0, text->characterCount());
    }
    static QString verdict(TextBox &box)
    {
        return QAccessible::queryAccessibleInterface(&box)->text(QAccessible::Description);
    }
};

void TestDrill::verifyAnswering(int count)
{
    Form1 &f = *m_form;
    for (int i = 1; i <= DrillSurface::BoxCount; ++i) {
        const bool inDrill = i <= count;
        QCOMPARE(itemHidden(f.Txtsc(i)), inDrill);
        QCOMPARE(f.Txtsc(i).Text().size(), inDrill ? 2 : 0);
        QCOMPARE(accessibleText(f.Txtsc(i)), QString()); // hidden from the ear too
        QCOMPARE(f.Txtjc(i).BackColor(), inDrill ? White : ButtonFace);
        QCOMPARE(f.Txtjc(i).Locked(), !inDrill);
    }
    QVERIFY(!f.Timer1->Enabled());
    QVERIFY(!f.Timer2->Enabled());
    QCOMPARE(f.ckdm->Value(), 0);
    QVERIFY(!f.ckdm->Enabled());
    QVERIFY(!f.lbldm->Visible());
    QCOMPARE(f.announcer().message(), QString()); // the last item said is not read back
}

// Everything inside the box's border and focus ring has the box's background colour: no text,
// no selection.
bool TestDrill::paintedBlank(TextBox &box)
{
    const QImage image = box.grab().toImage();
    const QColor back = box.palette().color(QPalette::Base);
    const qreal ratio = image.devicePixelRatio();
    const QRect inside = QRect(QPoint(3, 3), box.size() - QSize(6, 6));
    for (int y = int(inside.top() * ratio); y < int(inside.bottom() * ratio); ++y) {
        for (int x = int(inside.left() * ratio); x < int(inside.right() * ratio); ++x) {
            if (image.pixelColor(x, y) != back)
                return false;
        }
    }
    return true;
}

void TestDrill::wholeDrillOfTen()
{
    showActive();
    Form1 &f = *m_form;
    f.cmdsc->click();
    // Item 1 at once, the rest at the ticks of the pace.
    QCOMPARE(f.Txtsc(1).Text().size(), 2);
    QCOMPARE(f.Txtsc(2).Text(), QString());
    QCOMPARE(f.nextItem(), qint16(2));
    QVERIFY(f.Timer1->Enabled());
    for (int item = 2; item <= 10; ++item) {
        tick(999);
        QCOMPARE(f.Txtsc(item).Text(), QString());
        tick(1);
        QCOMPARE(f.Txtsc(item).Text().size(), 2);
        QCOMPARE(f.Txtsc(item).ForeColor(), Black);
        QCOMPARE(accessibleText(f.Txtsc(item)), f.Txtsc(item).Text());
        QCOMPARE(f.Timer2->Enabled(), item == 10);
        QCOMPARE(f.Timer1->Enabled(), item != 10);
    }
    QCOMPARE(f.nextItem(), qint16(11));
    QCOMPARE(f.Txtsc(11).Text(), QString());
    // Studying: all items of the drill shown, answers still grey and locked.
    tick(999);
    QCOMPARE(f.Txtjc(1).BackColor(), ButtonFace);
    QVERIFY(f.Txtjc(1).Locked());
    QVERIFY(!itemHidden(f.Txtsc(10)));
    tick(1);
    verifyAnswering(10);
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(1));
    QVERIFY(!m_clock->fireNext());
}

void TestDrill::generateDuringADrillStartsOver()
{
    Form1 &f = *m_form;
    f.cmdsc->click();
    tick(4000);
    QCOMPARE(f.Txtsc(5).Text().size(), 2);
    m_random->push({ScriptedRandom::number(42)});
    f.cmdsc->click();
    QCOMPARE(f.Txtsc(1).Text(), QStringLiteral("42"));
    for (int i = 2; i <= DrillSurface::BoxCount; ++i)
        QCOMPARE(f.Txtsc(i).Text(), QString());
    QCOMPARE(f.nextItem(), qint16(2));
    QVERIFY(f.Timer1->Enabled());
    QVERIFY(!f.Timer2->Enabled());
    // The new drill keeps its own beat: item 2 one pace after the new start.
    tick(999);
    QCOMPARE(f.Txtsc(2).Text(), QString());
    tick(1);
    QCOMPARE(f.Txtsc(2).Text().size(), 2);
}

void TestDrill::generateAfterADrillClearsTheAnswers()
{
    showActive();
    Form1 &f = *m_form;
    runDrillToAnswering(6);
    // One keystroke at a time to whichever box has the focus, as a keyboard delivers them.
    for (QChar c : QStringLiteral("1234"))
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    QCOMPARE(f.Txtjc(2).Text(), QStringLiteral("34"));
    f.cmdjc->click();
    QCOMPARE(verdict(f.Txtjc(2)), QStringLiteral("错"));
    f.cmdsc->click();
    for (int i = 1; i <= DrillSurface::BoxCount; ++i) {
        QCOMPARE(f.Txtjc(i).Text(), QString());
        QCOMPARE(verdict(f.Txtjc(i)), QString());
        QCOMPARE(f.Txtjc(i).ForeColor(), Black);
        QCOMPARE(f.Txtjc(i).BackColor(), ButtonFace);
        QVERIFY(f.Txtjc(i).Locked());
        QCOMPARE(f.Txtsc(i).ForeColor(), Black);
    }
    QVERIFY(f.ckdm->Enabled());
    QCOMPARE(f.ckdm->Value(), 0);
    QCOMPARE(f.nextItem(), qint16(2));
}

void TestDrill::resetPaintsClearedAnswersGreyAgain()
{
    showActive();
    Form1 &f = *m_form;
    runDrillToAnswering(6);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1"));
    QWidget *focus = QApplication::focusWidget();
    // Clearing a box that held text runs its change handling (white) inside reset; the box
    // still ends grey, and an emptied box does not move the cursor.
    f.cmdsc->click();
    QCOMPARE(f.Txtjc(1).BackColor(), ButtonFace);
    QCOMPARE(f.Txtjc(1).palette().color(QPalette::Base), forms::colorFromValue(ButtonFace));
    QCOMPARE(QApplication::focusWidget(), focus);
}

void TestDrill::impossibleCountsRunToBox200ThenClear_data()
{
    QTest::addColumn<QString>("count");
    QTest::newRow("1") << QStringLiteral("1");
    QTest::newRow("0") << QStringLiteral("0");
    QTest::newRow("201") << QStringLiteral("201");
    QTest::newRow("10.5") << QStringLiteral("10.5");
    QTest::newRow("-5") << QStringLiteral("-5");
}

void TestDrill::impossibleCountsRunToBox200ThenClear()
{
    QFETCH(QString, count);
    Form1 &f = *m_form;
    setCount(count);
    f.cmdsc->click();
    tick(199 * 1000);
    for (int i = 1; i <= DrillSurface::BoxCount; ++i)
        QCOMPARE(f.Txtsc(i).Text().size(), 2);
    QCOMPARE(f.nextItem(), qint16(201));
    QVERIFY(f.Timer1->Enabled());
    const QString caption = f.lbldm->Caption();
    m_random->push({ScriptedRandom::number(7)});
    tick(1000); // the tick for item 201 finds no box
    QCOMPARE(f.lbldm->Caption(), caption);
    for (int i = 1; i <= DrillSurface::BoxCount; ++i)
        QCOMPARE(f.Txtsc(i).Text(), QString());
    QVERIFY(!f.Timer1->Enabled());
    QVERIFY(!f.Timer2->Enabled());
    QCOMPARE(f.nextItem(), qint16(1));
}

void TestDrill::countLoweredBelowNextItemRunsOn()
{
    Form1 &f = *m_form;
    f.cmdsc->click();
    tick(5000);
    QCOMPARE(f.nextItem(), qint16(7));
    setCount(QStringLiteral("6")); // item 6 has gone by: no tick can meet it
    tick(1000);
    QVERIFY(f.Timer1->Enabled());
    QVERIFY(!f.Timer2->Enabled());
    setCount(QStringLiteral("9")); // raised again: met at item 9
    tick(2000);
    QVERIFY(f.Timer2->Enabled());
    QCOMPARE(f.nextItem(), qint16(10));
}

void TestDrill::countThatIsNotANumberClearsAtTheFirstTick()
{
    Form1 &f = *m_form;
    setCount(QStringLiteral("abc"));
    m_random->push({ScriptedRandom::number(7), ScriptedRandom::number(42)});
    f.cmdsc->click();
    QCOMPARE(f.Txtsc(1).Text(), QStringLiteral("07"));
    tick(1000);
    // Item 2 was drawn (its hint shows), then the count failed and reset cleared the window.
    QCOMPARE(f.lbldm->Caption(), QStringLiteral("42 rhino"));
    QCOMPARE(f.Txtsc(1).Text(), QString());
    QCOMPARE(f.Txtsc(2).Text(), QString());
    QVERIFY(!f.Timer1->Enabled());
    QCOMPARE(f.nextItem(), qint16(1));
}

void TestDrill::paceOfZeroStopsAfterItemOne()
{
    Form1 &f = *m_form;
    f.Timer1->setInterval(0);
    f.cmdsc->click();
    tick(60000);
    QCOMPARE(f.Txtsc(1).Text().size(), 2);
    QCOMPARE(f.Txtsc(2).Text(), QString());
    QVERIFY(f.Timer1->Enabled());
    QCOMPARE(f.nextItem(), qint16(2));
}

void TestDrill::studyTimeOfZeroStaysInStudy()
{
    Form1 &f = *m_form;
    setCount(QStringLiteral("6"));
    f.Timer2->setInterval(0);
    f.cmdsc->click();
    tick(5000);
    QVERIFY(f.Timer2->Enabled());
    tick(60000);
    QVERIFY(f.Timer2->Enabled());
    QVERIFY(f.Txtjc(1).Locked());
    QVERIFY(!itemHidden(f.Txtsc(1)));
}

void TestDrill::numberItems_data()
{
    QTest::addColumn<float>("draw");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("hint");
    QTest::newRow("03 with its leading zero")
        << ScriptedRandom::number(3) << QStringLiteral("03") << QStringLiteral("03 mow");
    QTest::newRow("00 has an empty hint") << 0.0f << QStringLiteral("00") << QString();
    QTest::newRow("10") << 0.1f << QStringLiteral("10") << QStringLiteral("10 toes");
    QTest::newRow("largest draw gives 99")
        << (1.0f - 1.0f / 16777216.0f) << QStringLiteral("99") << QStringLiteral("99 pipe");
    QTest::newRow("42") << ScriptedRandom::number(42) << QStringLiteral("42")
                        << QStringLiteral("42 rhino");
}

void TestDrill::numberItems()
{
    QFETCH(float, draw);
    QFETCH(QString, item);
    QFETCH(QString, hint);
    m_form->lbldm->setCaption(QStringLiteral("old"));
    m_random->push({draw});
    m_form->cmdsc->click();
    QCOMPARE(m_form->Txtsc(1).Text(), item);
    QCOMPARE(m_form->lbldm->Caption(), hint);
    QCOMPARE(m_form->announcer().message(), item); // heard as it appears
}

void TestDrill::lettersItemsLeaveTheHintAlone()
{
    Form1 &f = *m_form;
    m_random->push({ScriptedRandom::number(7)});
    f.cmdsc->click();
    QCOMPARE(f.lbldm->Caption(), QStringLiteral("07 key"));
    f.Op1(1).setValue(true);
    m_random->push({ScriptedRandom::letter('c'), ScriptedRandom::letter('a'), 0.0f,
                    1.0f - 1.0f / 16777216.0f});
    f.cmdsc->click();
    QCOMPARE(f.Txtsc(1).Text(), QStringLiteral("ca"));
    QCOMPARE(f.announcer().message(), QStringLiteral("c a")); // letter by letter, no syllable
    tick(1000);
    QCOMPARE(f.Txtsc(2).Text(), QStringLiteral("az"));
    QCOMPARE(f.announcer().message(), QStringLiteral("a z"));
    QCOMPARE(f.lbldm->Caption(), QStringLiteral("07 key"));
}

void TestDrill::modeIsReadForEveryItem()
{
    Form1 &f = *m_form;
    m_random->push(
        {ScriptedRandom::number(55), ScriptedRandom::letter('q'), ScriptedRandom::letter('q')});
    f.cmdsc->click();
    f.Op1(1).setValue(true);
    tick(1000);
    QCOMPARE(f.Txtsc(1).Text(), QStringLiteral("55"));
    QCOMPARE(f.Txtsc(2).Text(), QStringLiteral("qq"));
}

namespace
{

// Pearson's chi-square statistic of observed counts against a uniform expectation.
double chiSquare(const std::vector<int> &counts, int total)
{
    const double expected = double(total) / double(counts.size());
    double sum = 0;
    for (int observed : counts)
        sum += (observed - expected) * (observed - expected) / expected;
    return sum;
}

} // namespace

void TestDrill::numbersAreUniform()
{
    forms::TwisterRandom random(20261208);
    Form1 form(Form1::Services{m_clock.get(), &random});
    random.seed(20261208);
    constexpr int Draws = 200000;
    std::vector<int> counts(100, 0);
    for (int k = 0; k < Draws; ++k) {
        form.sc(1);
        ++counts[std::size_t(form.Txtsc(1).Text().toInt())];
    }
    // 99 degrees of freedom: above 148.2 happens by chance once in a thousand.
    const double statistic = chiSquare(counts, Draws);
    QVERIFY2(statistic < 148.2, qPrintable(QString::number(statistic)));
    QVERIFY(*std::min_element(counts.begin(), counts.end()) > 0);
}

void TestDrill::lettersAreUniformInEachPosition()
{
    forms::TwisterRandom random(7);
    Form1 form(Form1::Services{m_clock.get(), &random});
    random.seed(7);
    form.Op1(1).setValue(true);
    constexpr int Draws = 100000;
    std::vector<int> first(26, 0), second(26, 0), pairs(26 * 26, 0);
    for (int k = 0; k < Draws; ++k) {
        form.sc(1);
        const QString item = form.Txtsc(1).Text();
        QCOMPARE(item.size(), 2);
        QVERIFY(item[0] >= u'a' && item[0] <= u'z' && item[1] >= u'a' && item[1] <= u'z');
        ++first[std::size_t(item[0].unicode() - u'a')];
        ++second[std::size_t(item[1].unicode() - u'a')];
        ++pairs[std::size_t((item[0].unicode() - u'a') * 26 + item[1].unicode() - u'a')];
    }
    // 25 degrees of freedom: 52.6 at one in a thousand; 675 for the pairs: about 800.
    QVERIFY2(chiSquare(first, Draws) < 52.6, qPrintable(QString::number(chiSquare(first, Draws))));
    QVERIFY2(chiSquare(second, Draws) < 52.6,
             qPrintable(QString::number(chiSquare(second, Draws))));
    QVERIFY2(chiSquare(pairs, Draws) < 800, qPrintable(QString::number(chiSquare(pairs, Draws))));
    QVERIFY(pairs.front() > 0 && pairs.back() > 0); // aa and zz occur
}

void TestDrill::checkColoursAnswers_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("right");
    QTest::newRow("same") << QStringLiteral("ab") << QStringLiteral("ab") << true;
    QTest::newRow("capitals forgiven") << QStringLiteral("ab") << QStringLiteral("AB") << true;
    QTest::newRow("mixed case") << QStringLiteral("ab") << QStringLiteral("aB") << true;
    QTest::newRow("digits") << QStringLiteral("07") << QStringLiteral("07") << true;
    QTest::newRow("one digit short") << QStringLiteral("07") << QStringLiteral("7") << false;
    QTest::newRow("leading space") << QStringLiteral("ab") << QStringLiteral(" a") << false;
    QTest::newRow("inner space") << QStringLiteral("ab") << QStringLiteral("a ") << false;
    QTest::newRow("empty answer") << QStringLiteral("ab") << QString() << false;
    QTest::newRow("swapped") << QStringLiteral("ab") << QStringLiteral("ba") << false;
    QTest::newRow("full-width") << QStringLiteral("07") << QStringLiteral("０７") << false;
}

void TestDrill::checkColoursAnswers()
{
    QFETCH(QString, item);
    QFETCH(QString, answer);
    QFETCH(bool, right);
    showActive();
    Form1 &f = *m_form;
    setCount(QStringLiteral("6"));
    runDrillToAnswering(6);
    f.Txtsc(3).setText(item);
    f.Txtjc(3).setText(answer);
    f.cmdjc->click();
    QCOMPARE(f.Txtjc(3).ForeColor(), right ? Green : Red);
    QCOMPARE(f.Txtjc(3).palette().color(QPalette::Text),
             right ? QColor(0, 255, 0) : QColor(255, 0, 0));
    QCOMPARE(f.Txtjc(3).BackColor(), White);
    QCOMPARE(verdict(f.Txtjc(3)), right ? QStringLiteral("对") : QStringLiteral("错"));
    // Heard: how many of the six were right, then the verdict of the answer with the cursor.
    QCOMPARE(f.announcer().message(), QStringLiteral("对 %1 个，共 6 个").arg(right ? 1 : 0));
    // The second character of an answer moves the cursor on, to box 4.
    QCOMPARE(f.announcer().detail(), QStringLiteral("答案 %1 错").arg(answer.size() > 1 ? 4 : 1));
    for (int i = 1; i <= 6; ++i)
        QCOMPARE(f.Txtsc(i).ForeColor(), Black);
    QCOMPARE(f.Txtjc(7).ForeColor(), Black); // beyond the count: untouched
    QCOMPARE(verdict(f.Txtjc(7)), QString());
    QCOMPARE(f.Txtsc(3).Text(), item);
    QCOMPARE(accessibleText(f.Txtsc(3)), item); // readable again
}

void TestDrill::checkTwiceGivesTheSameColours()
{
    showActive();
    Form1 &f = *m_form;
    runDrillToAnswering(6);
    f.Txtjc(1).setText(f.Txtsc(1).Text().toUpper());
    f.cmdjc->click();
    QCOMPARE(f.Txtjc(1).ForeColor(), Green);
    QCOMPARE(f.Txtjc(2).ForeColor(), Red);
    f.cmdjc->click();
    QCOMPARE(f.Txtjc(1).ForeColor(), Green);
    QCOMPARE(f.Txtjc(2).ForeColor(), Red);
    // Typing afterwards keeps the colour until the next check.
    f.Txtjc(2).setText(f.Txtsc(2).Text());
    QCOMPARE(f.Txtjc(2).ForeColor(), Red);
    f.cmdjc->click();
    QCOMPARE(f.Txtjc(2).ForeColor(), Green);
}

void TestDrill::checkWhilePresenting()
{
    Form1 &f = *m_form;
    f.cmdsc->click();
    tick(2000); // items 1..3 drawn
    f.cmdjc->click();
    for (int i = 1; i <= 10; ++i)
        QCOMPARE(f.Txtjc(i).ForeColor(), i <= 3 ? Red : Green);
    QCOMPARE(f.Txtjc(11).ForeColor(), Black);
    // The drill goes on.
    QVERIFY(f.Timer1->Enabled());
    QCOMPARE(f.nextItem(), qint16(4));
    tick(1000);
    QCOMPARE(f.Txtsc(4).Text().size(), 2);
}

void TestDrill::checkDuringStudyThenStudyEnds()
{
    showActive();
    Form1 &f = *m_form;
    setCount(QStringLiteral("6"));
    f.cmdsc->click();
    tick(5000);
    QVERIFY(f.Timer2->Enabled());
    f.cmdjc->click();
    QCOMPARE(f.Txtjc(1).ForeColor(), Red);
    tick(1000);
    verifyAnswering(6);
    // Answers typed now show in the colour the check gave their box.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1"));
    QCOMPARE(f.Txtjc(1).ForeColor(), Red);
}

void TestDrill::checkBeforeAnyDrillChangesNothing()
{
    Form1 &f = *m_form;
    f.cmdjc->click();
    for (int i = 1; i <= 10; ++i) {
        // Empty answer against empty item: equal, so green; nothing else moves.
        QCOMPARE(f.Txtjc(i).ForeColor(), Green);
        QCOMPARE(f.Txtjc(i).BackColor(), ScrollBar);
    }
    QCOMPARE(f.nextItem(), qint16(0));
    QVERIFY(!f.Timer1->Enabled());
}

void TestDrill::studyEndCompletesWhateverTheCount_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("opened");
    QTest::newRow("not a number: the items presented") << QStringLiteral("abc") << 8;
    QTest::newRow("empty") << QString() << 8;
    QTest::newRow("above 200") << QStringLiteral("500") << 200;
    QTest::newRow("huge") << QStringLiteral("1e300") << 200;
    QTest::newRow("fraction") << QStringLiteral("5.5") << 5;
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("negative") << QStringLiteral("-3") << 0;
}

void TestDrill::studyEndCompletesWhateverTheCount()
{
    QFETCH(QString, count);
    QFETCH(int, opened);
    showActive();
    Form1 &f = *m_form;
    setCount(QStringLiteral("8"));
    f.cmdsc->click();
    tick(7000);
    QVERIFY(f.Timer2->Enabled());
    setCount(count); // edited during the study time
    tick(1000);
    for (int i = 1; i <= DrillSurface::BoxCount; ++i) {
        QCOMPARE(f.Txtjc(i).Locked(), i > opened);
        QCOMPARE(itemHidden(f.Txtsc(i)), i <= opened);
    }
    QVERIFY(!f.Timer2->Enabled());
    QVERIFY(!f.Timer1->Enabled());
    QCOMPARE(f.ckdm->Value(), 0);
    QVERIFY(!f.ckdm->Enabled());
    QVERIFY(!f.lbldm->Visible());
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(1));
    QVERIFY(!m_clock->fireNext());
}

void TestDrill::checkCoversBoxesWhateverTheCount_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("afterDrill");
    QTest::addColumn<int>("checked");
    QTest::newRow("above 200") << QStringLiteral("300") << true << 200;
    QTest::newRow("not a number, after a drill of 6") << QStringLiteral("x") << true << 6;
    QTest::newRow("not a number, after reset") << QStringLiteral("x") << false << 0;
    QTest::newRow("fraction") << QStringLiteral("3.7") << true << 3;
}

void TestDrill::checkCoversBoxesWhateverTheCount()
{
    QFETCH(QString, count);
    QFETCH(bool, afterDrill);
    QFETCH(int, checked);
    Form1 &f = *m_form;
    if (afterDrill) {
        runDrillToAnswering(6);
    } else {
        f.cmdsc->click();
        tick(1000);
        setCount(QStringLiteral("abc")); // the next tick fails and resets
        tick(1000);
        QCOMPARE(f.nextItem(), qint16(1));
    }
    setCount(count);
    f.cmdjc->click();
    for (int i = 1; i <= DrillSurface::BoxCount; ++i)
        QCOMPARE(f.Txtjc(i).ForeColor() != Black, i <= checked);
}

void TestDrill::keyboardFocusLeavesHiddenItemsHidden()
{
    showActive();
    Form1 &f = *m_form;
    const int count = 6;
    runDrillToAnswering(count);
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(1));
    // Shift+Tab from answer box 1 lands on item box 1 (tab place 0).
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), &f.Txtsc(1));
    QVERIFY(!f.Txtsc(1).hasSelectedText());
    QVERIFY(paintedBlank(f.Txtsc(1)));
    // From the study-time box on, Tab walks the item boxes after the labels.
    f.Cb3->setFocus(Qt::TabFocusReason);
    QSet<int> visited;
    for (int press = 0; press < 10 && visited.size() < count - 1; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        for (int i = 2; i <= count; ++i) {
            if (QApplication::focusWidget() != &f.Txtsc(i))
                continue;
            visited.insert(i);
            QVERIFY2(!f.Txtsc(i).hasSelectedText(), qPrintable(QString::number(i)));
            QVERIFY2(paintedBlank(f.Txtsc(i)), qPrintable(QString::number(i)));
        }
    }
    QCOMPARE(visited.size(), count - 1);
    // The answer boxes still select their text themselves, so typing replaces it.
    const auto type = [](const QString &keys) {
        for (const QChar key : keys)
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
    };
    f.Txtjc(1).SetFocus();
    type(QStringLiteral("1234"));
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), &f.Txtjc(1));
    QCOMPARE(f.Txtjc(1).SelLength(), 2);
    type(QStringLiteral("5678"));
    QCOMPARE(f.Txtjc(1).Text(), QStringLiteral("56"));
    QCOMPARE(f.Txtjc(2).Text(), QStringLiteral("78"));
    // A hidden item does not reach the clipboard either, even selected; a shown text does.
    const auto copied = [](TextBox &box) {
        QGuiApplication::clipboard()->setText(QStringLiteral("none"));
        box.selectAll();
        QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    };
    QCOMPARE(copied(f.Txtsc(1)), QStringLiteral("none"));
    QCOMPARE(copied(f.Txtjc(1)), QStringLiteral("56"));
}

void TestDrill::textEventsCarryOnlyShownItems()
{
    Form1 &f = *m_form;
    setCount(QStringLiteral("3"));
    // Qt's text event follows the change signal inside the same assignment; a platform passes it
    // on, with the old and the new text, only if the box then offers a text interface.
    QStringList announced;
    for (int i = 1; i <= 3; ++i) {
        TextBox *box = &f.Txtsc(i);
        QObject::connect(box, &QLineEdit::textChanged, box, [box, &announced](const QString &now) {
            if (QAccessible::queryAccessibleInterface(box)->textInterface())
                announced << now;
        });
    }
    m_random->push({ScriptedRandom::number(11), ScriptedRandom::number(22),
                    ScriptedRandom::number(33), ScriptedRandom::number(44)});
    f.cmdsc->click();
    tick(3000);       // items 2 and 3, then the study time: hidden
    f.cmdsc->click(); // a new drill clears the hidden items unannounced
    const QStringList items{QStringLiteral("11"), QStringLiteral("22"), QStringLiteral("33"),
                            QStringLiteral("44")};
    QCOMPARE(announced, items);
}

QTEST_MAIN(TestDrill)
#include "tst_drill.moc"
