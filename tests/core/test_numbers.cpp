#include "core/NumberSequence.h"
#include "core/NumberText.h"

#include <QtTest>

#include <limits>

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void numberText_data();
    void numberText();
    void variantText_data();
    void variantText();
    void nextNumberText_data();
    void nextNumberText();
};

void TestNumbers::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 30.0 << "30";
    QTest::newRow("price typed 89.00") << 89.00 << "89";
    QTest::newRow("decimal") << 12.8 << "12.8";
    QTest::newRow("seven digits") << 1234568.0 << "1234568";
    QTest::newRow("0.1+0.2") << 0.1 + 0.2 << "0.3";
    QTest::newRow("sum of prices") << 12.8 + 25.5 + 0.1 << "38.4";
    QTest::newRow("third") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("negative") << -12.5 << "-12.5";
    QTest::newRow("negative whole") << -30.0 << "-30";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("beyond 32 bits") << 2500000000.0 << "2500000000";
    QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("huge") << 1e20 << "1e+20";
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "inf";
}

void TestNumbers::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(::numberText(value), text);
}

void TestNumbers::variantText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("null") << QVariant() << "";
    QTest::newRow("typed null") << QVariant(QMetaType::fromType<double>()) << "";
    QTest::newRow("real whole") << QVariant(89.0) << "89";
    QTest::newRow("real") << QVariant(25.8) << "25.8";
    QTest::newRow("integer") << QVariant(qlonglong(-1)) << "-1";
    QTest::newRow("text keeps zeros") << QVariant(QStringLiteral("0099")) << "0099";
}

void TestNumbers::variantText()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(::variantText(value), text);
}

void TestNumbers::nextNumberText_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("next");
    QTest::newRow("prefix and zeros") << "A0099" << "A0100";
    QTest::newRow("zeros only") << "0099" << "0100";
    QTest::newRow("all nines") << "999" << "1000";
    QTest::newRow("no digits") << "ABC" << "ABC1";
    QTest::newRow("year in number") << "TS2023001" << "TS2023002";
    QTest::newRow("chinese prefix") << "图书0099" << "图书0100";
    QTest::newRow("chinese prefix grows") << "读者9" << "读者10";
    QTest::newRow("beyond 32 bits") << "9999999999" << "10000000000";
    QTest::newRow("only last digits count") << "A12B34" << "A12B35";
    QTest::newRow("empty") << "" << "1";
}

void TestNumbers::nextNumberText()
{
    QFETCH(QString, number);
    QFETCH(QString, next);
    QCOMPARE(::nextNumberText(number), next);
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
