#include "support/TestSupport.h"

#include "controls/Calculator2Dlg.h"
#include "controls/CalculatorDlg.h"
#include "controls/CalculatorEngine.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
// Presses keys given as blank-separated tokens: digits, ".", "+", "-", "*", "/", "=",
// "sqrt", "1/x", "bs" (Backspace), "+/-", "C".
void press(CCalculatorEngine& calc, const QString& keys)
{
    using E = CCalculatorEngine;
    auto op = [](E::Operator o) { return [o](E& c) { c.PressOperator(o); }; };
    static const QHash<QString, std::function<void(E&)>> actions{
        {".", &E::Point}, {"=", &E::Equals}, {"sqrt", &E::SquareRoot}, {"1/x", &E::Reciprocal},
        {"bs", &E::Backspace}, {"+/-", &E::ChangeSign}, {"C", &E::Clear}, {"+", op(E::Plus)},
        {"-", op(E::Minus)}, {"*", op(E::Multiply)}, {"/", op(E::Divide)}};
    for (const QString& key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (key.size() == 1 && key[0].isDigit())
            calc.Digit(key.toInt());
        else if (actions.contains(key))
            actions[key](calc);
        else
            QFAIL(qPrintable(QStringLiteral("unknown key ") + key));
    }
}

void addRow(const char* name, const QString& keys, const QString& display, const QString& error = {})
{
    QTest::newRow(name) << keys << display << error;
}
}

class TestCalculator : public QObject {
    Q_OBJECT
private slots:
    // A refused key shows why and changes nothing: the row after each refusal goes on
    // from the kept operands.
    void sequences_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("error");
        addRow("start", "", "0.");
        addRow("typed point shows the operand as typed", "1 2 . 5", "12.5");
        addRow("second point ignored", "1 . 2 . 3", "1.23");
        addRow("zero then digit", "0 7", "7.");
        addRow("one third", "1 / 3 =", "0.333333333333333");
        addRow("running result keeps 15 digits", "1 / 3 = * 3 =", "0.999999999999999");
        addRow("large sums stay exact", "1 2 3 4 5 6 7 + 1 =", "1234568.");
        addRow("prices keep their cents", "1 2 3 4 5 . 6 7 + 1 =", "12346.67");
        addRow("no exponent below 15 digits", "1 2 3 4 5 6 7 8 . 5 * 2 =", "24691357.");
        addRow("point typed in last operand", "1 . 5 + 1 . 5 =", "3");
        addRow("strictly left to right", "2 + 3 * 4 =", "20.");
        addRow("second operator ignored", "6 - + 2 =", "4.");
        addRow("digits after = go to the second operand", "5 = 2", "02.");
        addRow("plus applies them", "5 = 2 +", "7.");
        addRow("times replaces them by one", "5 = 2 *", "5.");
        addRow("square root replaces the operand", "9 sqrt + 1 =", "4.");
        addRow("reciprocal", "4 1/x", "0.25");
        addRow("backspace", "1 2 3 bs", "12.");
        addRow("backspace over the point", "1 . bs 5", "15.");
        addRow("sign change is used", "5 +/- + 2 =", "-3.");
        addRow("sign of zero", "0 . +/-", "0.");
        addRow("clear", "1 + 2 C", "0.");
        addRow("division by zero", "5 / 0 =", "5.", "除数不能为零！");
        addRow("then another divisor", "5 / 0 = 2 =", "2.5");
        addRow("division by zero on an operator", "5 / 0 . +", "0.", "除数不能为零！");
        addRow("then 0.5", "5 / 0 . + 5 =", "10");
        addRow("reciprocal of zero", "0 . 1/x", "0.", "除数不能为零！");
        addRow("then a sum", "0 . 1/x + 3 =", "3.");
        addRow("root of a negative", "4 +/- sqrt", "-4.", "负数不能开平方！");
        addRow("then an operator", "4 +/- sqrt + 1 =", "-3.");
        const QString overflow = (QStringLiteral("9 ").repeated(15) + QStringLiteral("* ")).repeated(21);
        addRow("overflow", overflow, QStringLiteral("9").repeated(15) + QLatin1Char('.'), "计算结果超出范围！");
        addRow("then clear", overflow + "C 1 =", "1.");
    }

    void sequences()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(QString, error);
        CCalculatorEngine calc;
        press(calc, keys);
        QCOMPARE(calc.Error(), error);
        QCOMPARE(calc.Display(), display);
    }

    // A number typed into the display is the operand being entered when the next key is
    // pressed; text that is no number is not taken and the keys go on as before.
    void typedOperands_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("display");
        QTest::newRow("a price") << "" << "12345.67" << true << "+ 1 =" << "12346.67";
        QTest::newRow("whole number shown with its point") << "" << "12." << true << "* 2 =" << "24.";
        QTest::newRow("negative") << "" << "-3" << true << "+ 5 =" << "2.";
        QTest::newRow("digits append to it") << "" << "12" << true << "3 + 1 =" << "124.";
        QTest::newRow("second operand") << "7 +" << "0.5" << true << "=" << "7.5";
        QTest::newRow("in place of the result") << "5 =" << "2" << true << "+ 1 =" << "3.";
        QTest::newRow("over the second operand") << "7 + 3" << "3.4" << true << "=" << "10.4";
        QTest::newRow("no number") << "" << "abc" << false << "+ 1 =" << "1.";
        QTest::newRow("two points") << "4 +" << "1.2.3" << false << "2 =" << "6.";
        QTest::newRow("blank") << "" << "" << false << "3 =" << "3.";
    }

    void typedOperands()
    {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(bool, taken);
        QFETCH(QString, after);
        QFETCH(QString, display);
        CCalculatorEngine calc;
        press(calc, before);
        QCOMPARE(calc.TypeOperand(typed), taken);
        press(calc, after);
        QCOMPARE(calc.Display(), display);
    }

    // A number typed into the display is what the next key works on; OK, by its button or
    // by Enter in the display, returns the text shown, whatever it is. A refused key is
    // shown and changes nothing.
    void window_data()
    {
        QTest::addColumn<bool>("large");
        QTest::addColumn<bool>("enter");
        QTest::newRow("book entry calculator") << false << false;
        QTest::newRow("system calculator") << true << false;
        QTest::newRow("Enter in the display") << false << true;
    }

    void window()
    {
        QFETCH(bool, large);
        QFETCH(bool, enter);
        ScriptedSeams seams;
        std::unique_ptr<CCalculatorBase> dlg(large ? static_cast<CCalculatorBase*>(new CCalculator2Dlg) : new CCalculatorDlg);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        const auto click = [&](const QStringList& names) {
            for (const QString& name : names)
                dlg->findChild<QPushButton*>(name)->click();
        };
        auto* display = dlg->findChild<QLineEdit*>(QStringLiteral("m_edtDisplay"));
        const auto ok = [&] {
            if (enter)
                QTest::keyClick(display, Qt::Key_Return);
            else
                click({"m_btnOK"});
        };
        // The display opens with its text selected: a number typed at once replaces it.
        QTest::keyClicks(display, "12345.67");
        click({"m_btnPlus", "m_btnDigit1", "m_btnEquals"});
        QCOMPARE(display->text(), QStringLiteral("12346.67"));
        click({"m_btnC", "m_btnDigit8", "m_btnDivide", "m_btnDigit0", "m_btnEquals"});
        QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("除数不能为零！")});
        QCOMPARE(display->text(), QStringLiteral("8."));
        click({"m_btnDigit4", "m_btnEquals"});
        display->setFocus();
        QTest::keyClicks(display, "99");
        QCOMPARE(display->text(), QStringLiteral("2.99"));
        click({"m_btnPlus", "m_btnDigit1", "m_btnEquals"});
        QCOMPARE(display->text(), QStringLiteral("3.99"));
        display->setFocus();
        display->selectAll();
        QTest::keyClicks(display, "12y");
        ok();
        QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("除数不能为零！")});
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(dlg->DisplayText(), QStringLiteral("12y"));
    }

    // A double click on a key is two presses of it.
    void doubleClickTypesTwice()
    {
        ScriptedSeams seams;
        CCalculatorDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        doubleClick(dlg.findChild<QPushButton*>(QStringLiteral("m_btnDigit1")));
        QCOMPARE(dlg.findChild<QLineEdit*>(QStringLiteral("m_edtDisplay"))->text(), QStringLiteral("11."));
    }
};

QTEST_MAIN(TestCalculator)
#include "test_calculator.moc"
