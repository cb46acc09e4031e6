// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Text and number conversions that the settings and the code table rely on.
#include "conversions.h"
#include "runtimeerror.h"

#include <limits>
#include <QTest>

using forms::RuntimeError;

Q_DECLARE_METATYPE(RuntimeError::Code)

class TestConversions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textToDoubleAccepts_data();
    void textToDoubleAccepts();
    void textToDoubleRefuses_data();
    void textToDoubleRefuses();
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
    void roundingOutOfRangeFails_data();
    void roundingOutOfRangeFails();
    void numberToTextIsPlainDecimal_data();
    void numberToTextIsPlainDecimal();
    void listNumbersConvertBack();
};

void TestConversions::textToDoubleAccepts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << QStringLiteral("2") << 2.0;
    QTest::newRow("fraction") << QStringLiteral("1.5") << 1.5;
    QTest::newRow("typing a decimal: 2.") << QStringLiteral("2.") << 2.0;
    QTest::newRow("no leading zero") << QStringLiteral(".5") << 0.5;
    QTest::newRow("leading zeros") << QStringLiteral("007") << 7.0;
    QTest::newRow("negative") << QStringLiteral("-2") << -2.0;
    QTest::newRow("plus sign") << QStringLiteral("+3") << 3.0;
    QTest::newRow("exponent") << QStringLiteral("1e3") << 1000.0;
    QTest::newRow("negative exponent") << QStringLiteral("25E-1") << 2.5;
    QTest::newRow("exponent after 2.") << QStringLiteral("2.e1") << 20.0;
    QTest::newRow("surrounding blanks") << QStringLiteral("  4.5\t") << 4.5;
    QTest::newRow("65.535") << QStringLiteral("65.535") << 65.535;
    QTest::newRow("zero") << QStringLiteral("0") << 0.0;
    QTest::newRow("too small to tell from zero") << QStringLiteral("1e-400") << 0.0;
    QTest::newRow("tiny with a long mantissa") << QStringLiteral("0.00012e-330") << 0.0;
    QTest::newRow("exponent longer than any integer, negative")
        << QStringLiteral("151e-") + QString(45, u'9') << 0.0;
    QTest::newRow("long mantissa, in range") << QString(400, u'0') + QStringLiteral("7") << 7.0;
}

void TestConversions::textToDoubleAccepts()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(forms::textToDouble(text), value);
}

void TestConversions::textToDoubleRefuses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<RuntimeError::Code>("code");
    const auto mismatch = RuntimeError::Code::TypeMismatch;
    QTest::newRow("empty") << QString() << mismatch;
    QTest::newRow("blanks only") << QStringLiteral("   ") << mismatch;
    QTest::newRow("letters") << QStringLiteral("abc") << mismatch;
    QTest::newRow("number then letter") << QStringLiteral("2a") << mismatch;
    QTest::newRow("point alone") << QStringLiteral(".") << mismatch;
    QTest::newRow("sign alone") << QStringLiteral("-") << mismatch;
    QTest::newRow("comma decimal") << QStringLiteral("1,5") << mismatch;
    QTest::newRow("two points") << QStringLiteral("1.2.3") << mismatch;
    QTest::newRow("exponent without digits") << QStringLiteral("1e") << mismatch;
    QTest::newRow("inner blank") << QStringLiteral("1 2") << mismatch;
    QTest::newRow("hex") << QStringLiteral("0x10") << mismatch;
    QTest::newRow("infinity word") << QStringLiteral("inf") << mismatch;
    QTest::newRow("nan word") << QStringLiteral("nan") << mismatch;
    QTest::newRow("full-width digits") << QStringLiteral("２") << mismatch;
    QTest::newRow("CJK") << QStringLiteral("秒") << mismatch;
    QTest::newRow("too large for a double")
        << QStringLiteral("1e400") << RuntimeError::Code::Overflow;
}

void TestConversions::textToDoubleRefuses()
{
    QFETCH(QString, text);
    QFETCH(RuntimeError::Code, code);
    try {
        forms::textToDouble(text);
        QFAIL("conversion did not fail");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.code(), code);
    }
}

void TestConversions::roundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("0.5 to 0") << 0.5 << 0;
    QTest::newRow("1.5 to 2") << 1.5 << 2;
    QTest::newRow("2.5 to 2") << 2.5 << 2;
    QTest::newRow("-2.5 to -2") << -2.5 << -2;
    QTest::newRow("-3.5 to -4") << -3.5 << -4;
    QTest::newRow("2.4999 to 2") << 2.4999 << 2;
    QTest::newRow("2.5001 to 3") << 2.5001 << 3;
    QTest::newRow("65535.5 to 65536") << 65535.5 << 65536;
    QTest::newRow("largest") << 2147483647.0 << std::numeric_limits<qint32>::max();
    QTest::newRow("smallest") << -2147483648.0 << std::numeric_limits<qint32>::min();
}

void TestConversions::roundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(forms::roundToInt32(value), rounded);
}

void TestConversions::roundingOutOfRangeFails_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("2^31") << 2147483648.0;
    QTest::newRow("below -2^31") << -2147483649.0;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
}

void TestConversions::roundingOutOfRangeFails()
{
    QFETCH(double, value);
    try {
        forms::roundToInt32(value);
        QFAIL("rounding did not fail");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.code(), RuntimeError::Code::Overflow);
    }
}

void TestConversions::numberToTextIsPlainDecimal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("half") << 0.5 << QStringLiteral("0.5");
    QTest::newRow("ten") << 10.0 << QStringLiteral("10");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("200") << 200.0 << QStringLiteral("200");
    QTest::newRow("9.5") << 9.5 << QStringLiteral("9.5");
    QTest::newRow("negative") << -2.25 << QStringLiteral("-2.25");
}

void TestConversions::numberToTextIsPlainDecimal()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(forms::numberToText(value), text);
}

void TestConversions::listNumbersConvertBack()
{
    // Every number the lists can hold reads back as the value it was written from.
    for (int n = 0; n <= 2000; ++n) {
        const double value = n / 10.0;
        QCOMPARE(forms::textToDouble(forms::numberToText(value)), value);
    }
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
