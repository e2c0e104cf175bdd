#include "support/TestSupport.h"

#include "controls/Calculator2Dlg.h"
#include "controls/CalculatorDlg.h"
#include "controls/CalculatorEngine.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
// Presses keys given as blank-separated tokens: digits, ".", "+", "-", "*", "/", "=",
// "sqrt", "1/x", "bs" (Backspace), "+/-", "C".
void press(CCalculatorEngine& calc, const QString& keys)
{
    for (const QString& key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (key.size() == 1 && key[0].isDigit())
            calc.Digit(key.toInt());
        else if (key == QLatin1String("."))
            calc.Point();
        else if (key == QLatin1String("+"))
            calc.PressOperator(CCalculatorEngine::Plus);
        else if (key == QLatin1String("-"))
            calc.PressOperator(CCalculatorEngine::Minus);
        else if (key == QLatin1String("*"))
            calc.PressOperator(CCalculatorEngine::Multiply);
        else if (key == QLatin1String("/"))
            calc.PressOperator(CCalculatorEngine::Divide);
        else if (key == QLatin1String("="))
            calc.Equals();
        else if (key == QLatin1String("sqrt"))
            calc.SquareRoot();
        else if (key == QLatin1String("1/x"))
            calc.Reciprocal();
        else if (key == QLatin1String("bs"))
            calc.Backspace();
        else if (key == QLatin1String("+/-"))
            calc.ChangeSign();
        else if (key == QLatin1String("C"))
            calc.Clear();
        else
            QFAIL(qPrintable(QStringLiteral("unknown key ") + key));
    }
}
}

class TestCalculator : public QObject {
    Q_OBJECT
private slots:
    void sequences_data();
    void sequences();
    void refusedKeysKeepOperands_data();
    void refusedKeysKeepOperands();
    void windowShowsRefusalAndReturnsDisplay();
    void bothWindowsHaveEveryKey();
};

void TestCalculator::sequences_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::newRow("start") << "" << "0.";
    QTest::newRow("whole number keeps a trailing point") << "1 2" << "12.";
    QTest::newRow("typed point shows the operand as typed") << "1 2 . 5" << "12.5";
    QTest::newRow("second point ignored") << "1 . 2 . 3" << "1.23";
    QTest::newRow("leading zero not doubled") << "0" << "0.";
    QTest::newRow("zero then digit") << "0 7" << "7.";
    QTest::newRow("one third") << "1 / 3 =" << "0.333333333333333";
    QTest::newRow("running result keeps 15 digits") << "1 / 3 = * 3 =" << "0.999999999999999";
    QTest::newRow("large sums stay exact") << "1 2 3 4 5 6 7 + 1 =" << "1234568.";
    QTest::newRow("whole result gets a point") << "1 + 2 =" << "3.";
    QTest::newRow("point typed in last operand") << "1 . 5 + 1 . 5 =" << "3";
    QTest::newRow("strictly left to right") << "2 + 3 * 4 =" << "20.";
    QTest::newRow("second operator ignored") << "6 - + 2 =" << "4.";
    QTest::newRow("operator before digits ignored") << "+ 5 =" << "5.";
    QTest::newRow("digits after = go to the second operand") << "5 = 2" << "02.";
    QTest::newRow("plus applies them") << "5 = 2 +" << "7.";
    QTest::newRow("times replaces them by one") << "5 = 2 *" << "5.";
    QTest::newRow("square root replaces the operand") << "9 sqrt + 1 =" << "4.";
    QTest::newRow("irrational root") << "2 sqrt" << "1.4142135623731";
    QTest::newRow("reciprocal") << "4 1/x" << "0.25";
    QTest::newRow("backspace") << "1 2 3 bs" << "12.";
    QTest::newRow("backspace to nothing") << "7 bs" << "0.";
    QTest::newRow("backspace over the point") << "1 . bs 5" << "15.";
    QTest::newRow("sign change is used") << "5 +/- + 2 =" << "-3.";
    QTest::newRow("sign of zero") << "0 . +/-" << "0.";
    QTest::newRow("clear") << "1 + 2 C" << "0.";
}

void TestCalculator::sequences()
{
    QFETCH(QString, keys);
    QFETCH(QString, display);
    CCalculatorEngine calc;
    press(calc, keys);
    QCOMPARE(calc.Display(), display);
    QVERIFY(calc.Error().isEmpty());
}

void TestCalculator::refusedKeysKeepOperands_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("displayAfterRefusal");
    QTest::addColumn<QString>("thenKeys");
    QTest::addColumn<QString>("finalDisplay");
    QTest::newRow("division by zero") << "5 / 0 =" << "除数不能为零！" << "5." << "2 =" << "2.5";
    QTest::newRow("division by zero on operator") << "5 / 0 . +" << "除数不能为零！" << "0." << "5 =" << "10";
    QTest::newRow("reciprocal of zero") << "0 . 1/x" << "除数不能为零！" << "0." << "+ 3 =" << "3.";
    QTest::newRow("root of a negative") << "4 +/- sqrt" << "负数不能开平方！" << "-4." << "+ 1 =" << "-3.";
    const QString big = QStringLiteral("9 ").repeated(15);
    QTest::newRow("overflow") << (big + QStringLiteral("* ")).repeated(21) << "计算结果超出范围！"
                              << QStringLiteral("9").repeated(15) + QLatin1Char('.') << "C 1 =" << "1.";
}

void TestCalculator::refusedKeysKeepOperands()
{
    QFETCH(QString, keys);
    QFETCH(QString, error);
    QFETCH(QString, displayAfterRefusal);
    QFETCH(QString, thenKeys);
    QFETCH(QString, finalDisplay);
    CCalculatorEngine calc;
    press(calc, keys);
    QCOMPARE(calc.Error(), error);
    QCOMPARE(calc.Display(), displayAfterRefusal);
    press(calc, thenKeys);
    QVERIFY(calc.Error().isEmpty());
    QCOMPARE(calc.Display(), finalDisplay);
}

void TestCalculator::windowShowsRefusalAndReturnsDisplay()
{
    ScriptedSeams seams;
    CCalculator2Dlg dlg;
    dlg.show();
    auto click = [&](const char* name) { dlg.findChild<QPushButton*>(QString::fromLatin1(name))->click(); };
    auto* display = dlg.findChild<QLineEdit*>(QStringLiteral("m_edtDisplay"));
    QCOMPARE(display->text(), QStringLiteral("0."));
    for (const char* name : {"m_btnDigit8", "m_btnDivide", "m_btnDigit0", "m_btnEquals"})
        click(name);
    QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("除数不能为零！")});
    QCOMPARE(display->text(), QStringLiteral("8."));
    for (const char* name : {"m_btnDigit4", "m_btnEquals"})
        click(name);
    QCOMPARE(display->text(), QStringLiteral("2."));
    click("m_btnOK");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.DisplayText(), QStringLiteral("2."));
}

void TestCalculator::bothWindowsHaveEveryKey()
{
    CCalculatorDlg small;
    CCalculator2Dlg large;
    for (QDialog* dlg : {static_cast<QDialog*>(&small), static_cast<QDialog*>(&large)}) {
        QCOMPARE(dlg->findChildren<QPushButton*>().size(), 25);
        QVERIFY(dlg->findChild<QLineEdit*>(QStringLiteral("m_edtDisplay")));
    }
}

QTEST_MAIN(TestCalculator)
#include "test_calculator.moc"
