#pragma once

#include <QString>

// The four-function calculator behind both calculator windows. Operands are kept as
// texts and converted for each operation, so a running result carries the precision of
// its text (15 significant digits). Operators apply strictly left to right.
class CCalculatorEngine {
public:
    enum Operator { None = 0, Plus = 1, Minus = 2, Multiply = 3, Divide = 4 };

    CCalculatorEngine();

    void Clear();
    void Digit(int digit);
    void Point();
    void PressOperator(Operator op);
    void Equals();
    // The functions work on the operand being entered; they do nothing before one is.
    void SquareRoot();
    void Reciprocal();
    void Backspace();
    void ChangeSign();
    // A number typed into the display replaces the number it shows: with no operator pending
    // it is the first operand (also in place of the result of "="), after an operator the
    // second; it is then being entered, as if its digits had been keyed ("12." is the whole
    // number 12). False for text that is no number, which changes nothing.
    bool TypeOperand(const QString& text);

    QString Display() const { return m_strDisplay; }
    // Why the last key was refused (division by zero and the like), else empty. The
    // refused key changes nothing.
    QString Error() const { return m_strError; }

private:
    QString& current() { return m_strOperand[m_nCurrent]; }
    void showOperand();
    void showResult();
    bool compute(Operator op);
    // Puts a function's result into the operand being entered.
    void replaceCurrent(double value);
    bool refuseIfNotFinite(double value, const QString& reason);

    Operator m_nPendingOp = None;
    bool m_bHasPoint = false;
    bool m_bEntering = false;
    int m_nCurrent = 0;
    QString m_strOperand[2];
    QString m_strDisplay;
    QString m_strError;
};
