// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as a new user opens it: every control where the design puts it, the two box
// grids, the lists, the tab order and the focus; start-up raises no handler.
#include "colors.h"
#include "form1.h"
#include "look.h"
#include "windowfixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QByteArrayList>
#include <QKeySequence>
#include <QLineEdit>
#include <QStyle>
#include <QTest>

using forms::TextBox;

class TestStartup : public QObject, private WindowFixture<Form1>
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void cleanupTestCase() { destroyWindow(); }

    // What depends on the display scale: the layout, the text that must fit it and the lines.
    // tests/CMakeLists.txt runs these again at each other scale, by name.
    void windowTitleAndSize();
    void boxGrids_data();
    void boxGrids();
    void boxesCopyTheDesignBox();
    void twoCharactersFitABox_data();
    void twoCharactersFitABox();
    void designControls_data();
    void designControls();
    void statusBoxLabels();
    void codeWordStaysInsideTheStatusBox();
    void everyLineIsDrawn();

    // The rest does not.
    void lists();
    void initialSettings();
    void startUpRaisedNoHandler();
    void tooltips();
    void tabOrder();
    void tabAndF6MoveTheFocus_data();
    void tabAndF6MoveTheFocus();
    void focusStartsInItemBox1();
    void lockedBoxesRefuseTyping();
    void accessibleNames();
    void desktopLookDoesNotReachTheWindow_data();
    void desktopLookDoesNotReachTheWindow();

private:
    QByteArray m_windowOf; // the test function the window was made for
};

void TestStartup::init()
{
    if (m_form && m_windowOf == QTest::currentTestFunction())
        return; // the next row of a layout table (cleanup)
    destroyWindow();
    createWindow();
    m_windowOf = QTest::currentTestFunction();
}

void TestStartup::cleanup()
{
    // Every test function has a window of its own. The rows of a layout table only read it, so
    // they share the one made for the first row: a window per row was most of the suite's time.
    static const QByteArrayList layoutTables = {"boxGrids", "twoCharactersFitABox",
                                                "designControls"};
    if (!layoutTables.contains(QTest::currentTestFunction()))
        destroyWindow();
}

void TestStartup::windowTitleAndSize()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Tavrin  (V1.0 Beta)    "));
    QCOMPARE(m_form->size(), QSize(615, 554));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
    // Run at another display scale, the same logical layout is drawn with more device pixels.
    const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                             ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                             : 1.0;
    m_form->show();
    QCOMPARE(m_form->devicePixelRatioF(), scale);
    QCOMPARE(m_form->grab().toImage().size(), (QSizeF(615, 554) * scale).toSize());
}

void TestStartup::boxGrids_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("itemTop");
    QTest::addColumn<float>("answerTop");
    QTest::newRow("1") << 1 << 0.f << 0.f << 4560.f;
    QTest::newRow("2") << 2 << 360.f << 0.f << 4560.f;
    QTest::newRow("20") << 20 << 6840.f << 0.f << 4560.f;
    QTest::newRow("21") << 21 << 0.f << 360.f << 4920.f;
    QTest::newRow("200") << 200 << 6840.f << 3240.f << 7800.f;
}

void TestStartup::boxGrids()
{
    QFETCH(int, n);
    QFETCH(float, left);
    QFETCH(float, itemTop);
    QFETCH(float, answerTop);
    const TextBox &item = m_form->Txtsc(n);
    const TextBox &answer = m_form->Txtjc(n);
    QCOMPARE(item.Left(), left);
    QCOMPARE(item.Top(), itemTop);
    QCOMPARE(answer.Left(), left);
    QCOMPARE(answer.Top(), answerTop);
    // 15 twips to the pixel: 24-pixel pitch, 25 x 27 boxes.
    const QPoint origin = m_form->mapFromGlobal(item.mapToGlobal(QPoint(0, 0)));
    QCOMPARE(QRect(origin, item.size()), QRect(int(left) / 15, int(itemTop) / 15, 25, 27));
    const QPoint answerOrigin = m_form->mapFromGlobal(answer.mapToGlobal(QPoint(0, 0)));
    QCOMPARE(QRect(answerOrigin, answer.size()),
             QRect(int(left) / 15, int(answerTop) / 15, 25, 27));
    QVERIFY(item.Visible());
    QVERIFY(answer.Visible());
}

void TestStartup::boxesCopyTheDesignBox()
{
    QVERIFY(!m_form->Txtsc.exists(0));
    QVERIFY(!m_form->Txtsc.exists(201));
    QVERIFY(!m_form->Txtjc.exists(0));
    QVERIFY(!m_form->Txtjc.exists(201));
    for (int n = 1; n <= DrillSurface::BoxCount; ++n) {
        for (const TextBox *box : {&m_form->Txtsc(n), &m_form->Txtjc(n)}) {
            QVERIFY(box->Locked());
            QCOMPARE(box->MaxLength(), 2);
            QCOMPARE(box->Text(), QString());
            QCOMPARE(box->BackColor(), forms::Colors::ScrollBar);
            QCOMPARE(box->ForeColor(), forms::Colors::WindowText);
            QCOMPARE(box->palette().color(QPalette::Base),
                     forms::colorFromValue(forms::Colors::ScrollBar));
            QCOMPARE(box->palette().color(QPalette::Text),
                     forms::colorFromValue(forms::Colors::WindowText));
            QCOMPARE(box->font().pointSizeF(), 14.25);
        }
    }
    // What shows is the palette's colour, not the style's own.
    for (TextBox *box : {&m_form->Txtsc(1), &m_form->Txtjc(200)}) {
        const QImage image = box->grab().toImage();
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2),
                 forms::colorFromValue(forms::Colors::ScrollBar));
    }
}

void TestStartup::twoCharactersFitABox_data()
{
    QTest::addColumn<QString>("text");
    for (const char *text : {"88", "ww", "MM", "00", "mw", "WW", "@@"})
        QTest::newRow(text) << QString::fromLatin1(text);
}

void TestStartup::twoCharactersFitABox()
{
    QFETCH(QString, text);
    TextBox &box = m_form->Txtsc(1);
    box.setText(text);
    m_form->show();
    // What the line edit can show without scrolling: its contents less its text margins, and a
    // pixel for the cursor.
    const QMargins margins = box.textMargins();
    const int room = box.contentsRect().width() - margins.left() - margins.right() - 4;
    const int needed = box.fontMetrics().horizontalAdvance(text) + 1;
    QVERIFY2(needed <= room + 2, qPrintable(QStringLiteral("%1 needs %2 px, box gives %3 (%4)")
                                                .arg(text)
                                                .arg(needed)
                                                .arg(room + 2)
                                                .arg(box.fontInfo().family())));
    QVERIFY(box.fontMetrics().height() <= box.height());
}

void TestStartup::lists()
{
    const auto items = [](const forms::ComboBox *combo) {
        QStringList list;
        for (int i = 0; i < combo->ListCount(); ++i)
            list << combo->List(i);
        return list;
    };
    QStringList pace;
    for (int n = 1; n <= 20; ++n)
        pace << QString::number(n / 2.0);
    pace[0] = QStringLiteral("0.5");
    QCOMPARE(items(m_form->Cb1), pace);
    QCOMPARE(items(m_form->Cb1).first(), QStringLiteral("0.5"));
    QCOMPARE(items(m_form->Cb1).last(), QStringLiteral("10"));
    QStringList count;
    for (int n = 6; n <= 200; ++n)
        count << QString::number(n);
    QCOMPARE(items(m_form->Cb2), count);
    QCOMPARE(items(m_form->Cb3),
             (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                          QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                          QStringLiteral("7"), QStringLiteral("8")}));
    for (const forms::ComboBox *combo : {m_form->Cb1, m_form->Cb2, m_form->Cb3})
        QCOMPARE(combo->currentIndex(), -1);
}

void TestStartup::initialSettings()
{
    QVERIFY(m_form->Op1(0).Value());
    QVERIFY(!m_form->Op1(1).Value());
    QCOMPARE(m_form->Cb1->Text(), QStringLiteral("1"));
    QCOMPARE(m_form->Cb2->Text(), QStringLiteral("10"));
    QCOMPARE(m_form->Cb3->Text(), QStringLiteral("1"));
    QCOMPARE(m_form->ckdm->Value(), 1);
    QVERIFY(m_form->ckdm->Enabled());
    QCOMPARE(m_form->Check1->Value(), 1);
    QCOMPARE(m_form->Check4->Value(), 1);
    QVERIFY(m_form->lbldm->Visible());
    QCOMPARE(m_form->lbldm->Caption(), QString());
    QCOMPARE(m_form->codes(100), QStringLiteral("100 daisies"));
    QCOMPARE(m_form->codes(0), QString());
}

void TestStartup::startUpRaisedNoHandler()
{
    QCOMPARE(m_form->Timer1->Interval(), 1000);
    QCOMPARE(m_form->Timer2->Interval(), 1000);
    QVERIFY(!m_form->Timer1->Enabled());
    QVERIFY(!m_form->Timer2->Enabled());
    QCOMPARE(m_form->nextItem(), qint16(0));
    QVERIFY(!m_clock->fireNext());
    // No answer box was painted white by a change handler.
    for (int n = 1; n <= DrillSurface::BoxCount; ++n)
        QCOMPARE(m_form->Txtjc(n).BackColor(), forms::Colors::ScrollBar);
}

void TestStartup::designControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips"); // left, top, width, height

    QTest::newRow("Fr1") << "Fr1" << QStringLiteral("设置") << QRect(7320, 0, 1815, 7095);
    QTest::newRow("Op1(0)") << "Op1(0)" << QStringLiteral("数字") << QRect(120, 480, 1215, 495);
    QTest::newRow("Op1(1)") << "Op1(1)" << QStringLiteral("字母") << QRect(120, 840, 1215, 495);
    QTest::newRow("Cb1") << "Cb1" << QStringLiteral("1") << QRect(120, 2040, 1575, 300);
    QTest::newRow("Cb2") << "Cb2" << QStringLiteral("10") << QRect(120, 3120, 1575, 300);
    QTest::newRow("Cb3") << "Cb3" << QStringLiteral("1") << QRect(120, 4200, 1575, 300);
    QTest::newRow("ckdm") << "ckdm" << QStringLiteral("提示代码") << QRect(120, 5040, 1215, 495);
    QTest::newRow("Check1") << "Check1" << QStringLiteral("光标转移")
                            << QRect(120, 5640, 1215, 495);
    QTest::newRow("Check4") << "Check4" << QStringLiteral("自动检查")
                            << QRect(120, 6240, 1215, 495);
    QTest::newRow("cmdsc") << "cmdsc" << QStringLiteral("生成") << QRect(7320, 7320, 1815, 375);
    QTest::newRow("cmdjc") << "cmdjc" << QStringLiteral("检查") << QRect(7320, 7800, 1815, 375);
    QTest::newRow("Label1(0)") << "Label1(0)" << QStringLiteral("内容") << QRect(120, 240, 0, 0);
    QTest::newRow("Label1(1)") << "Label1(1)" << QStringLiteral("速度（秒）")
                               << QRect(120, 1680, 0, 0);
    QTest::newRow("Label1(2)") << "Label1(2)" << QStringLiteral("组数") << QRect(120, 2760, 0, 0);
    QTest::newRow("Label1(3)") << "Label1(3)" << QStringLiteral("延迟（秒）")
                               << QRect(120, 3840, 0, 0);
}

void TestStartup::designControls()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    Form1 &f = *m_form;
    QString actual;
    float left = 0, top = 0, width = 0, height = 0;
    QWidget *widget = nullptr;
    const auto take = [&](auto &control, const QString &text) {
        actual = text;
        left = control.Left();
        top = control.Top();
        width = control.Width();
        height = control.Height();
        widget = &control;
    };
    if (name == u"Fr1")
        take(*f.Fr1, f.Fr1->Caption());
    else if (name.startsWith(u"Op1"))
        take(f.Op1(name.at(4).digitValue()), f.Op1(name.at(4).digitValue()).Caption());
    else if (name == u"Cb1")
        take(*f.Cb1, f.Cb1->Text());
    else if (name == u"Cb2")
        take(*f.Cb2, f.Cb2->Text());
    else if (name == u"Cb3")
        take(*f.Cb3, f.Cb3->Text());
    else if (name == u"ckdm")
        take(*f.ckdm, f.ckdm->Caption());
    else if (name == u"Check1")
        take(*f.Check1, f.Check1->Caption());
    else if (name == u"Check4")
        take(*f.Check4, f.Check4->Caption());
    else if (name == u"cmdsc")
        take(*f.cmdsc, f.cmdsc->Caption());
    else if (name == u"cmdjc")
        take(*f.cmdjc, f.cmdjc->Caption());
    else
        take(f.Label1(name.at(7).digitValue()), f.Label1(name.at(7).digitValue()).Caption());
    QCOMPARE(actual, caption);
    QCOMPARE(left, float(twips.x()));
    QCOMPARE(top, float(twips.y()));
    if (twips.width() > 0) {
        QCOMPARE(width, float(twips.width()));
        QCOMPARE(height, float(twips.height()));
        QCOMPARE(widget->geometry(),
                 QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    } else {
        // Labels sized to text: as wide as the caption, one line high.
        QCOMPARE(widget->width(), widget->fontMetrics().horizontalAdvance(caption));
        QCOMPARE(widget->height(), widget->fontMetrics().height());
    }
    // The settings controls stand in the frame; the buttons directly on the window.
    QCOMPARE(widget->parentWidget() == f.Fr1, name != u"Fr1" && !name.startsWith(u"cmd"));
}

void TestStartup::tooltips()
{
    QCOMPARE(m_form->Op1(1).toolTip(), QStringLiteral("暂缺代码提示"));
    QCOMPARE(m_form->ckdm->toolTip(), QStringLiteral("暂缺字母组合代码"));
    // No other control has one.
    const auto widgets = m_form->findChildren<QWidget *>();
    int withTip = 0;
    for (const QWidget *widget : widgets)
        withTip += widget->toolTip().isEmpty() ? 0 : 1;
    QCOMPARE(withTip, 2);
}

void TestStartup::statusBoxLabels()
{
    for (const forms::Label *label : {m_form->Label2, m_form->Label4}) {
        QVERIFY(!label->Caption().isEmpty());
        QVERIFY(!label->Caption().contains(u'\n'));
        QCOMPARE(label->Left(), 120.f);
        QVERIFY(label->Left() + label->Width() < 7200);
        QCOMPARE(label->font().pointSizeF(), 10.5);
        QCOMPARE(label->ForeColor(), forms::Colors::WindowText);
        QCOMPARE(label->BackColor(), forms::Colors::Window);
    }
    QCOMPARE(m_form->Label2->Top(), 3960.f);
    QCOMPARE(m_form->Label4->Top(), 4200.f);
    QCOMPARE(m_form->Label3->Caption(), QString());
    QCOMPARE(m_form->Label3->Left(), 2160.f);
    QCOMPARE(m_form->lbldm->Left(), 6930.f);
    QCOMPARE(m_form->lbldm->Top(), 3960.f);
    QCOMPARE(m_form->lbldm->font().pointSizeF(), 12.0);
    // The four lines of the sunken box.
    QCOMPARE(m_form->Line1(0).BorderColor(), forms::Colors::WindowText);
    QCOMPARE(m_form->Line3(1).BorderColor(), forms::Colors::Black);
    QCOMPARE(m_form->Line2(0).BorderColor(), forms::Colors::Window);
    QCOMPARE(m_form->Line3(0).BorderColor(), forms::Colors::White);
    const auto ends = [](const forms::Line &line) {
        return QLineF(line.X1(), line.Y1(), line.X2(), line.Y2());
    };
    QCOMPARE(ends(m_form->Line1(0)), QLineF(0, 3800, 7200, 3800));
    QCOMPARE(ends(m_form->Line3(1)), QLineF(0, 3800, 0, 4440));
    QCOMPARE(ends(m_form->Line2(0)),
             QLineF(-360, 4440, 7200, 4440)); // left of the window: not drawn
    QCOMPARE(ends(m_form->Line3(0)), QLineF(7200, 3795, 7200, 4435));
    // The frame's section lines: light above, dark 120 twips below.
    for (int k = 1; k <= 4; ++k) {
        QCOMPARE(m_form->Line2(k).BorderColor(), forms::Colors::Window);
        QCOMPARE(m_form->Line1(k).BorderColor(), forms::Colors::WindowText);
        QCOMPARE(m_form->Line1(k).Y1() - m_form->Line2(k).Y1(), 120.f);
        QCOMPARE(m_form->Line1(k).parentWidget(), m_form->Fr1);
    }
}

void TestStartup::codeWordStaysInsideTheStatusBox()
{
    forms::Label &code = *m_form->lbldm;
    const float right = code.Left() + code.Width();
    for (int k = 0; k <= 100; ++k) {
        code.setCaption(m_form->codes(k));
        QCOMPARE(code.Left() + code.Width(), right);
        QVERIFY(right <= 7200);
        // It never reaches the credit line on its row.
        QVERIFY(code.Left() > m_form->Label2->Left() + m_form->Label2->Width());
        QCOMPARE(code.width(),
                 code.fontMetrics().horizontalAdvance(code.Caption().isEmpty() ? QStringLiteral("0")
                                                                               : code.Caption()));
    }
}

void TestStartup::tabOrder()
{
    Form1 &f = *m_form;
    QCOMPARE(f.Txtsc(1).TabIndex(), 0);
    for (int n = 1; n <= DrillSurface::BoxCount; ++n)
        QCOMPARE(f.Txtjc(n).TabIndex(), n);
    // The design-time controls follow answer box 200 in their order, then item boxes 2..200.
    const QList<QWidget *> after = {f.cmdsc, f.cmdjc,      f.Fr1,        &f.Op1(0),    &f.Op1(1),
                                    f.Cb1,   f.Cb2,        &f.Label1(0), &f.Label1(1), &f.Label1(2),
                                    f.ckdm,  &f.Label1(3), f.Check4,     f.Check1,     f.lbldm,
                                    f.Cb3,   f.Label2,     f.Label3,     f.Label4};
    for (int k = 0; k < after.size(); ++k)
        QCOMPARE(f.tabOrder().indexOf(after[k]), 201 + k);
    for (int n = 2; n <= DrillSurface::BoxCount; ++n)
        QCOMPARE(f.Txtsc(n).TabIndex(), 218 + n);
}

void TestStartup::tabAndF6MoveTheFocus_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("key");
    QTest::newRow("answer 5 to 6")
        << QStringLiteral("答案 5") << QStringLiteral("答案 6") << QStringLiteral("Tab");
    QTest::newRow("answer 20 to 21 (next row)")
        << QStringLiteral("答案 20") << QStringLiteral("答案 21") << QStringLiteral("Tab");
    QTest::newRow("answer 200 to generate")
        << QStringLiteral("答案 200") << QStringLiteral("生成") << QStringLiteral("Tab");
    QTest::newRow("pace to count")
        << QStringLiteral("速度（秒）") << QStringLiteral("组数") << QStringLiteral("Tab");
    QTest::newRow("count to show code")
        << QStringLiteral("组数") << QStringLiteral("提示代码") << QStringLiteral("Tab");
    QTest::newRow("show code to automatic check")
        << QStringLiteral("提示代码") << QStringLiteral("自动检查") << QStringLiteral("Tab");
    QTest::newRow("move cursor to delay")
        << QStringLiteral("光标转移") << QStringLiteral("延迟（秒）") << QStringLiteral("Tab");
    QTest::newRow("check to digits")
        << QStringLiteral("检查") << QStringLiteral("数字") << QStringLiteral("Tab");
    QTest::newRow("digits to pace (one stop per group)")
        << QStringLiteral("数字") << QStringLiteral("速度（秒）") << QStringLiteral("Tab");
    // F6 and Shift+F6 go round answer 1, the selected mode option and generate.
    QTest::newRow("F6 from an answer to the mode")
        << QStringLiteral("答案 5") << QStringLiteral("数字") << QStringLiteral("F6");
    QTest::newRow("F6 from a setting to generate")
        << QStringLiteral("组数") << QStringLiteral("生成") << QStringLiteral("F6");
    QTest::newRow("F6 from check to answer 1")
        << QStringLiteral("检查") << QStringLiteral("答案 1") << QStringLiteral("F6");
    QTest::newRow("Shift+F6 from an item to generate")
        << QStringLiteral("项目 7") << QStringLiteral("生成") << QStringLiteral("Shift+F6");
    QTest::newRow("Shift+F6 from the mode to answer 1")
        << QStringLiteral("数字") << QStringLiteral("答案 1") << QStringLiteral("Shift+F6");
}

void TestStartup::tabAndF6MoveTheFocus()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, key);
    const auto named = [this](const QString &name) {
        const auto widgets = m_form->findChildren<QWidget *>();
        for (QWidget *widget : widgets) {
            if (widget->accessibleName() == name)
                return widget;
        }
        return static_cast<QWidget *>(nullptr);
    };
    showActive();
    QWidget *start = named(from);
    QVERIFY(start);
    start->setFocus(Qt::TabFocusReason);
    const QKeyCombination press = QKeySequence(key)[0];
    QTest::keyClick(QApplication::focusWidget(), press.key(), press.keyboardModifiers());
    QWidget *focus = QApplication::focusWidget();
    // A combo box's field has the focus on behalf of its combo box.
    if (focus && focus->parentWidget() && qobject_cast<QComboBox *>(focus->parentWidget()))
        focus = focus->parentWidget();
    QCOMPARE(focus, named(to));
}

void TestStartup::focusStartsInItemBox1()
{
    showActive();
    QCOMPARE(QApplication::focusWidget(), &m_form->Txtsc(1));
}

void TestStartup::lockedBoxesRefuseTyping()
{
    showActive();
    for (TextBox *box : {&m_form->Txtsc(1), &m_form->Txtjc(1), &m_form->Txtjc(200)}) {
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("12"));
        QCOMPARE(box->Text(), QString());
    }
    QCOMPARE(m_form->Txtjc(1).BackColor(), forms::Colors::ScrollBar);
}

void TestStartup::accessibleNames()
{
    // As assistive technology reads them: through the accessible interfaces.
    const auto read = [](QObject *object, QAccessible::Role role) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
        return face && face->role() == role ? face->text(QAccessible::Name) : QStringLiteral("?");
    };
    using A = QAccessible;
    QCOMPARE(read(m_form.get(), A::Window), Form1::caption());
    QCOMPARE(read(&m_form->Txtsc(1), A::EditableText), QStringLiteral("项目 1"));
    QCOMPARE(read(&m_form->Txtsc(200), A::EditableText), QStringLiteral("项目 200"));
    QCOMPARE(read(&m_form->Txtjc(37), A::EditableText), QStringLiteral("答案 37"));
    QCOMPARE(read(m_form->cmdsc, A::Button), QStringLiteral("生成"));
    QCOMPARE(read(m_form->ckdm, A::CheckBox), QStringLiteral("提示代码"));
    QCOMPARE(read(&m_form->Op1(1), A::RadioButton), QStringLiteral("字母"));
    // A combo box is named by its label, not by its text.
    QCOMPARE(read(m_form->Cb1, A::ComboBox), QStringLiteral("速度（秒）"));
    QCOMPARE(read(m_form->Cb2, A::ComboBox), QStringLiteral("组数"));
    QCOMPARE(read(m_form->Cb3, A::ComboBox), QStringLiteral("延迟（秒）"));
    QAccessibleInterface *count = QAccessible::queryAccessibleInterface(m_form->Cb2);
    QCOMPARE(count->text(QAccessible::Value), QStringLiteral("10"));
    QCOMPARE(count->childCount(), 2); // the list and the text field
    QCOMPARE(count->child(1)->object(), m_form->Cb2->lineEdit());
}

// Each line of the design, one device pixel wide, on the device row or column its position in
// twips rounds to at the scale the test runs at, in the colour it was given.
void TestStartup::everyLineIsDrawn()
{
    Form1 &f = *m_form;
    m_form->show();
    const QImage image = m_form->grab().toImage();
    const double scale = m_form->devicePixelRatioF();
    struct Run {
        QPoint a, b;
        QColor colour;
    };
    QList<Run> runs;
    for (auto *lines : {&f.Line1, &f.Line2, &f.Line3}) {
        for (int k = 0; k <= lines->UBound(); ++k) {
            const forms::Line &line = (*lines)(k);
            // Lines of the frame are placed from the frame's corner; the part of a line left of
            // the window is not drawn.
            const bool inFrame = line.parentWidget() == f.Fr1;
            const double dx = inFrame ? f.Fr1->Left() : 0, dy = inFrame ? f.Fr1->Top() : 0;
            const auto device = [&](double x, double y) {
                return QPoint(std::max(0, int(std::lround((x + dx) * scale / 15))),
                              int(std::lround((y + dy) * scale / 15)));
            };
            runs.append({device(line.X1(), line.Y1()), device(line.X2(), line.Y2()),
                         forms::colorFromValue(line.BorderColor())});
        }
    }
    QCOMPARE(runs.size(), 12);
    // Where the end of one line meets another, the line drawn later is on top; every other
    // pixel of a line is its own.
    QSet<QPair<int, int>> ends;
    for (const Run &run : runs)
        ends << qMakePair(run.a.x(), run.a.y()) << qMakePair(run.b.x(), run.b.y());
    for (const Run &run : runs) {
        QVERIFY(run.b.x() > run.a.x() + 1 || run.b.y() > run.a.y() + 1);
        const QPoint step = run.a.y() == run.b.y() ? QPoint(1, 0) : QPoint(0, 1);
        for (QPoint p = run.a + step; p != run.b; p += step) {
            if (ends.contains(qMakePair(p.x(), p.y())))
                continue;
            QVERIFY2(
                image.pixelColor(p) == run.colour,
                qPrintable(QStringLiteral("%1,%2 at scale %3").arg(p.x()).arg(p.y()).arg(scale)));
        }
    }
}

void TestStartup::desktopLookDoesNotReachTheWindow_data()
{
    QTest::addColumn<bool>("letters"); // letters mode: the hint check box is disabled
    QTest::addColumn<bool>("listOpen");
    QTest::newRow("start-up") << false << false;
    QTest::newRow("letters mode") << true << false;
    QTest::newRow("a list open") << false << true;
}

// A desktop's own style, or its dark colour scheme (which reaches Qt as the application's
// palette), must change no pixel of the window or of an open list.
void TestStartup::desktopLookDoesNotReachTheWindow()
{
    QFETCH(bool, letters);
    QFETCH(bool, listOpen);
    destroyWindow(); // each picture is of a window of its own
    const auto picture = [&](QImage &image) {
        createWindow();
        QCOMPARE(QApplication::style()->name().toLower(), forms::designStyle().toLower());
        showActive();
        if (letters)
            m_form->Op1(1).setValue(true);
        image = m_form->grab().toImage();
        if (listOpen) {
            m_form->Cb3->showPopup();
            QWidget *list = m_form->Cb3->view()->window();
            QVERIFY(list->isVisible());
            image = list->grab().toImage();
            m_form->Cb3->hidePopup();
        }
        destroyWindow();
    };
    QImage designed, onDarkDesktop;
    picture(designed);

    QPalette dark(QColor(45, 45, 45), QColor(30, 30, 30));
    dark.setColor(QPalette::Base, QColor(20, 20, 20));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(90, 0, 90));
    const QPalette before = QApplication::palette();
    QApplication::setStyle(QStringLiteral("Windows"));
#ifndef Q_OS_WIN
    // On Windows the desktop's colours are the system colours the design names, and they come
    // through the application palette; a dark Windows stays light because the window asks for
    // the light scheme, which the Windows 11 end-to-end run proves.
    QApplication::setPalette(dark);
#endif
    picture(onDarkDesktop);
    QApplication::setPalette(before);
    QVERIFY(!designed.isNull());
    QCOMPARE(onDarkDesktop, designed);
    createWindow(); // for cleanup()
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
