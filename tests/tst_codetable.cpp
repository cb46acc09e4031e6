// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The number-code table: its slots and its lookup by number and by text.
#include "codetable.h"
#include "runtimeerror.h"

#include <QTest>

using forms::RuntimeError;

Q_DECLARE_METATYPE(RuntimeError::Code)

class TestCodeTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_codes.build(); }
    void sourceIsTheBuiltInString();
    void hasOneHundredAndOneSlots();
    void slotsByNumber_data();
    void slotsByNumber();
    void everySlotNamesItsNumber();
    void slotsByText_data();
    void slotsByText();
    void lookupFailures_data();
    void lookupFailures();
    void emptyTableHasNoSlots();

private:
    CodeTable m_codes;
};

void TestCodeTable::sourceIsTheBuiltInString()
{
    const QString source = CodeTable::source();
    QCOMPARE(source.size(), 802);
    QVERIFY(source.startsWith(QStringLiteral("_01 tie_02 Noah_03 mow_04 row_05 law")));
    QVERIFY(source.endsWith(QStringLiteral("_98 beehive_99 pipe_100 daisies")));
}

void TestCodeTable::hasOneHundredAndOneSlots()
{
    QCOMPARE(m_codes.size(), 101);
}

void TestCodeTable::slotsByNumber_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("entry");
    QTest::newRow("0 is empty") << 0 << QString();
    QTest::newRow("1") << 1 << QStringLiteral("01 tie");
    QTest::newRow("2 keeps its capital") << 2 << QStringLiteral("02 Noah");
    QTest::newRow("3") << 3 << QStringLiteral("03 mow");
    QTest::newRow("7") << 7 << QStringLiteral("07 key");
    QTest::newRow("18") << 18 << QStringLiteral("18 TV");
    QTest::newRow("24") << 24 << QStringLiteral("24 Nero");
    QTest::newRow("42") << 42 << QStringLiteral("42 rhino");
    QTest::newRow("50") << 50 << QStringLiteral("50 Lassie");
    QTest::newRow("67") << 67 << QStringLiteral("67 sheikh");
    QTest::newRow("89") << 89 << QStringLiteral("89 VP");
    QTest::newRow("98") << 98 << QStringLiteral("98 beehive");
    QTest::newRow("99") << 99 << QStringLiteral("99 pipe");
    QTest::newRow("100") << 100 << QStringLiteral("100 daisies");
}

void TestCodeTable::slotsByNumber()
{
    QFETCH(int, k);
    QFETCH(QString, entry);
    QCOMPARE(m_codes(k), entry);
}

void TestCodeTable::everySlotNamesItsNumber()
{
    for (int k = 1; k <= 100; ++k) {
        const QString prefix = (k < 10 ? QStringLiteral("0") : QString()) + QString::number(k);
        const QString entry = m_codes(k);
        QVERIFY2(entry.startsWith(prefix + u' '), qPrintable(entry));
        QVERIFY2(entry.size() > prefix.size() + 1 && !entry.endsWith(u' '), qPrintable(entry));
    }
}

void TestCodeTable::slotsByText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("entry");
    QTest::newRow("07") << QStringLiteral("07") << QStringLiteral("07 key");
    QTest::newRow("7") << QStringLiteral("7") << QStringLiteral("07 key");
    QTest::newRow("00") << QStringLiteral("00") << QString();
    QTest::newRow("99") << QStringLiteral("99") << QStringLiteral("99 pipe");
}

void TestCodeTable::slotsByText()
{
    QFETCH(QString, text);
    QFETCH(QString, entry);
    QCOMPARE(m_codes(text), entry);
}

void TestCodeTable::lookupFailures_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<RuntimeError::Code>("code");
    QTest::newRow("letters item") << QStringLiteral("ab") << RuntimeError::Code::TypeMismatch;
    QTest::newRow("empty box") << QString() << RuntimeError::Code::TypeMismatch;
    QTest::newRow("101") << QStringLiteral("101") << RuntimeError::Code::SubscriptOutOfRange;
    QTest::newRow("-1") << QStringLiteral("-1") << RuntimeError::Code::SubscriptOutOfRange;
}

void TestCodeTable::lookupFailures()
{
    QFETCH(QString, text);
    QFETCH(RuntimeError::Code, code);
    try {
        m_codes(text);
        QFAIL("lookup did not fail");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.code(), code);
    }
    QVERIFY_THROWS_EXCEPTION(RuntimeError, m_codes(101));
}

void TestCodeTable::emptyTableHasNoSlots()
{
    const CodeTable unbuilt;
    QCOMPARE(unbuilt.size(), 0);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, unbuilt(0));
}

QTEST_GUILESS_MAIN(TestCodeTable)
#include "tst_codetable.moc"
