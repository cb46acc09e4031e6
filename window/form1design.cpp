// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1design.h"

#include "colors.h"
#include "form.h"
#include "look.h"
#include "songfont.h"

using namespace forms;

namespace
{

Line *makeLine(QWidget *parent, float x1, float y1, float x2, float y2, quint32 color)
{
    auto *line = new Line(parent);
    line->setEnds(x1, y1, x2, y2);
    line->setBorderColor(color);
    return line;
}

Label *makeLabel(QWidget *parent, const QString &caption, float left, float top)
{
    auto *label = new Label(parent);
    label->Move(left, top, 0, 0);
    label->setCaption(caption);
    label->setAutoSize(true);
    return label;
}

// The colours of the window itself: button face behind black text, white fields.
QPalette windowPalette()
{
    QPalette palette = designPalette();
    const QColor face = colorFromValue(Colors::ButtonFace);
    const QColor text = colorFromValue(Colors::WindowText);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, face);
        palette.setColor(group, QPalette::Button, face);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::Base, colorFromValue(Colors::Window));
        palette.setColor(group, QPalette::Text, text);
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, face);
    palette.setColor(QPalette::Disabled, QPalette::Button, face);
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    return palette;
}

} // namespace

QString Form1Design::caption()
{
    return QStringLiteral("Tavrin  (V1.0 Beta)    ");
}

Form1Design::Form1Design(Form *form)
{
    setupUi(form);
}

void Form1Design::setupUi(Form *form)
{
    setupWindow(form);
    setupBoxes(form);
    setupCommandButtons(form);
    setupSettingsFrame(form);
    setupStatusBox(form);
    setupTimers(form);
    setupTabOrder();
    setupFocusPlaces(form);
    setupAccessibleNames();
}

void Form1Design::setupWindow(Form *form)
{
    form->setObjectName(QStringLiteral("Form1"));
    form->setCaption(caption());
    form->setClientSize(9225, 8310);
    form->setFont(songFont(9));
    form->setPalette(windowPalette());
    form->setAutoFillBackground(true);
}

void Form1Design::setupBoxes(Form *form)
{
    // All boxes stand on one transparent layer that gives them their font and colours, so that
    // four hundred boxes share one font and one palette instead of holding a copy each.
    auto *layer = new QWidget(form);
    layer->setObjectName(QStringLiteral("boxLayer"));
    layer->setGeometry(0, 0, twipsToPixels(7215), twipsToPixels(8205));
    layer->setFont(songFont(14.25));
    QPalette boxes = form->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        boxes.setColor(group, QPalette::Base, colorFromValue(Colors::ScrollBar));
        boxes.setColor(group, QPalette::Text, colorFromValue(Colors::WindowText));
    }
    layer->setPalette(boxes);

    const auto designBox = [layer](float top) {
        auto *box = new TextBox(layer);
        box->Move(0, top, 375, 405);
        box->setBackColor(Colors::ScrollBar);
        box->setForeColor(Colors::WindowText);
        box->setLocked(true);
        box->setMaxLength(2);
        box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return box;
    };
    Txtsc.add(1, designBox(0));
    Txtsc(1).setObjectName(QStringLiteral("Txtsc"));
    Txtjc.add(1, designBox(4560));
    Txtjc(1).setObjectName(QStringLiteral("Txtjc"));
}

void Form1Design::setupCommandButtons(Form *form)
{
    cmdsc = new CommandButton(form);
    cmdsc->setObjectName(QStringLiteral("cmdsc"));
    cmdsc->setCaption(QStringLiteral("生成"));
    cmdsc->Move(7320, 7320, 1815, 375);

    cmdjc = new CommandButton(form);
    cmdjc->setObjectName(QStringLiteral("cmdjc"));
    cmdjc->setCaption(QStringLiteral("检查"));
    cmdjc->Move(7320, 7800, 1815, 375);

    // Enter after typing the answers checks them; Esc starts a new drill.
    form->setDefaultButton(cmdjc);
    form->setCancelButton(cmdsc);
}

void Form1Design::setupSettingsFrame(Form *form)
{
    Fr1 = new Frame(form);
    Fr1->setObjectName(QStringLiteral("Fr1"));
    Fr1->setCaption(QStringLiteral("设置"));
    Fr1->Move(7320, 0, 1815, 7095);

    Label1.add(0, makeLabel(Fr1, QStringLiteral("内容"), 120, 240));

    auto *digits = new OptionButton(Fr1);
    digits->setCaption(QStringLiteral("数字"));
    digits->Move(120, 480, 1215, 495);
    digits->setValue(true);
    Op1.add(0, digits);
    auto *letters = new OptionButton(Fr1);
    letters->setCaption(QStringLiteral("字母"));
    letters->Move(120, 840, 1215, 495);
    letters->setToolTip(QStringLiteral("暂缺代码提示"));
    Op1.add(1, letters);

    const auto combo = [this](const char *name, const QString &text, float top) {
        auto *box = new ComboBox(Fr1);
        box->setObjectName(QLatin1StringView(name));
        box->Move(120, top, 1575, 300);
        box->setText(text);
        return box;
    };
    Label1.add(1, makeLabel(Fr1, QStringLiteral("速度（秒）"), 120, 1680));
    Cb1 = combo("Cb1", QStringLiteral("1"), 2040);
    Label1.add(2, makeLabel(Fr1, QStringLiteral("组数"), 120, 2760));
    Cb2 = combo("Cb2", QStringLiteral("10"), 3120);
    Label1.add(3, makeLabel(Fr1, QStringLiteral("延迟（秒）"), 120, 3840));
    Cb3 = combo("Cb3", QStringLiteral("1"), 4200);

    const auto check = [this](const char *name, const QString &caption, float top) {
        auto *box = new CheckBox(Fr1);
        box->setObjectName(QLatin1StringView(name));
        box->setCaption(caption);
        box->Move(120, top, 1215, 495);
        box->setChecked(true);
        return box;
    };
    ckdm = check("ckdm", QStringLiteral("提示代码"), 5040);
    ckdm->setToolTip(QStringLiteral("暂缺字母组合代码"));
    Check1 = check("Check1", QStringLiteral("光标转移"), 5640);
    Check4 = check("Check4", QStringLiteral("自动检查"), 6240);

    // Each section ends with a light line and, 120 twips below, a dark one.
    const quint32 light = Colors::Window;
    const quint32 dark = Colors::WindowText;
    Line2.add(1, makeLine(Fr1, 15, 1440, 1795, 1440, light));
    Line1.add(1, makeLine(Fr1, 15, 1560, 1795, 1560, dark));
    Line2.add(2, makeLine(Fr1, 15, 2520, 1795, 2520, light));
    Line1.add(2, makeLine(Fr1, 15, 2640, 1795, 2640, dark));
    Line2.add(3, makeLine(Fr1, 0, 3600, 1780, 3600, light));
    Line1.add(3, makeLine(Fr1, 10, 3720, 1790, 3720, dark));
    Line2.add(4, makeLine(Fr1, 0, 4680, 1780, 4680, light));
    Line1.add(4, makeLine(Fr1, 15, 4800, 1795, 4800, dark));
}

void Form1Design::setupStatusBox(Form *form)
{
    // A sunken rectangle between the two grids.
    Line1.add(0, makeLine(form, 0, 3800, 7200, 3800, Colors::WindowText));
    Line3.add(1, makeLine(form, 0, 3800, 0, 4440, Colors::Black));
    Line2.add(0, makeLine(form, -360, 4440, 7200, 4440, Colors::Window));
    Line3.add(0, makeLine(form, 7200, 3795, 7200, 4435, Colors::White));

    const auto statusLabel = [form](const QString &caption, float left, float top, qreal points) {
        auto *label = new Label(form);
        if (points > 0)
            label->setFont(songFont(points));
        label->setForeColor(Colors::WindowText);
        label->setBackColor(Colors::Window);
        label->Move(left, top, 0, 0);
        label->setCaption(caption);
        label->setAutoSize(true);
        return label;
    };
    Label2 = statusLabel(QStringLiteral("Tavrin 短时记忆训练"), 120, 3960, 10.5);
    Label3 = statusLabel(QString(), 2160, 4200, 0);
    // The contact line sends users to whoever published their copy (a package's maintainer, the
    // maker of a zip): the project has no home page to send them to.
    Label4 = statusLabel(QStringLiteral("问题与建议请告知本程序的发布者"), 120, 4200, 10.5);

    // The code word grows to the left from its design place, so that it stays inside the
    // status box however long it gets.
    lbldm = new Label(form);
    lbldm->setObjectName(QStringLiteral("lbldm"));
    lbldm->setFont(songFont(12));
    lbldm->setForeColor(Colors::WindowText);
    lbldm->setBackColor(Colors::Window);
    lbldm->Move(6930, 3960, 120, 240);
    lbldm->setGrowsLeft(true);
    lbldm->setAutoSize(true);
}

void Form1Design::setupTimers(Form *form)
{
    Timer1 = std::make_unique<IntervalTimer>(form->clock());
    Timer1->setInterval(1000);
    Timer2 = std::make_unique<IntervalTimer>(form->clock());
    Timer2->setInterval(1000);
}

void Form1Design::setupTabOrder()
{
    Txtsc(1).setTabIndex(0);
    Txtjc(1).setTabIndex(1);
    cmdsc->setTabIndex(2);
    cmdjc->setTabIndex(3);
    Fr1->setTabIndex(4);
    Op1(0).setTabIndex(5);
    Op1(1).setTabIndex(6);
    Cb1->setTabIndex(7);
    Cb2->setTabIndex(8);
    Label1(0).setTabIndex(9);
    Label1(1).setTabIndex(10);
    Label1(2).setTabIndex(11);
    ckdm->setTabIndex(12);
    Label1(3).setTabIndex(13);
    Check4->setTabIndex(14);
    Check1->setTabIndex(15);
    lbldm->setTabIndex(16);
    Cb3->setTabIndex(17);
    Label2->setTabIndex(18);
    Label3->setTabIndex(19);
    Label4->setTabIndex(20);
}

void Form1Design::setupFocusPlaces(Form *form)
{
    // For those who cannot see where to click: the settings are two hundred Tab presses away
    // from the answers. F6 goes round the first answer, the mode (the option selected) and
    // generate.
    form->setFocusPlaces({{&Txtjc(1)}, {&Op1(0), &Op1(1)}, {cmdsc}});
}

void Form1Design::setupAccessibleNames()
{
    for (auto *button : {cmdsc, cmdjc})
        button->setAccessibleName(button->Caption());
    for (int k = 0; k <= 1; ++k)
        Op1(k).setAccessibleName(Op1(k).Caption());
    for (auto *box : {ckdm, Check1, Check4})
        box->setAccessibleName(box->Caption());
    Cb1->setAccessibleName(Label1(1).Caption());
    Cb2->setAccessibleName(Label1(2).Caption());
    Cb3->setAccessibleName(Label1(3).Caption());
    lbldm->setAccessibleName(QStringLiteral("代码"));
    Fr1->setAccessibleName(Fr1->Caption());
}
