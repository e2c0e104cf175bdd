#include "controls/CalculatorEngine.h"

#include "core/NumberText.h"

#include <QRegularExpression>

#include <cmath>

namespace {
const QString kDivideByZero = QStringLiteral("除数不能为零！");
const QString kNegativeRoot = QStringLiteral("负数不能开平方！");
const QString kOutOfRange = QStringLiteral("计算结果超出范围！");

double valueOf(const QString& text) { return text.toDouble(); }
}

CCalculatorEngine::CCalculatorEngine() { Clear(); }

void CCalculatorEngine::Clear()
{
    m_nPendingOp = None;
    m_bHasPoint = false;
    m_bEntering = false;
    m_strOperand[0] = m_strOperand[1] = QStringLiteral("0");
    m_nCurrent = 0;
    m_strDisplay = QStringLiteral("0.");
    m_strError.clear();
}

void CCalculatorEngine::showOperand()
{
    m_strDisplay = m_bHasPoint ? m_strOperand[m_nCurrent] : m_strOperand[m_nCurrent] + QLatin1Char('.');
}

void CCalculatorEngine::showResult()
{
    const QString& result = m_strOperand[0];
    m_strDisplay = (m_bHasPoint || result.contains(QLatin1Char('.'))) ? result : result + QLatin1Char('.');
}

void CCalculatorEngine::Digit(int digit)
{
    m_strError.clear();
    if (digit == 0) {
        if (current() == QLatin1String("0"))
            return;
        current() += QLatin1Char('0');
    } else if (m_bEntering) {
        current() += QString::number(digit);
    } else {
        current() = QString::number(digit);
        m_bEntering = true;
    }
    showOperand();
}

void CCalculatorEngine::Point()
{
    m_strError.clear();
    if (m_bHasPoint)
        return;
    current() += QLatin1Char('.');
    m_bHasPoint = true;
    m_bEntering = true;
    showOperand();
}

void CCalculatorEngine::PressOperator(Operator op)
{
    m_strError.clear();
    if (!m_bEntering)
        return;
    // With nothing pending the operator first applies itself: "*" and "/" to a second
    // operand of 1, "+" and "-" to whatever was typed after "=" (else 0).
    if (m_nPendingOp == None) {
        if (op == Multiply || op == Divide)
            m_strOperand[1] = QStringLiteral("1");
        m_nPendingOp = op;
    }
    if (compute(m_nPendingOp))
        m_nPendingOp = op;
}

void CCalculatorEngine::Equals()
{
    m_strError.clear();
    if (!compute(m_nPendingOp))
        return;
    m_nPendingOp = None;
    m_bEntering = true;
}

bool CCalculatorEngine::compute(Operator op)
{
    const double a = valueOf(m_strOperand[0]);
    const double b = valueOf(m_strOperand[1]);
    double r = a;
    switch (op) {
    case Plus: r = a + b; break;
    case Minus: r = a - b; break;
    case Multiply: r = a * b; break;
    case Divide:
        if (b == 0) {
            m_strError = kDivideByZero;
            return false;
        }
        r = a / b;
        break;
    case None: break;
    }
    if (refuseIfNotFinite(r, kOutOfRange))
        return false;
    m_strOperand[0] = numberText(r);
    showResult();
    m_nCurrent = 1;
    m_bHasPoint = false;
    m_bEntering = false;
    m_strOperand[1] = QStringLiteral("0");
    return true;
}

bool CCalculatorEngine::refuseIfNotFinite(double value, const QString& reason)
{
    if (std::isfinite(value))
        return false;
    m_strError = reason;
    return true;
}

void CCalculatorEngine::replaceCurrent(double value)
{
    current() = numberText(value);
    m_bHasPoint = current().contains(QLatin1Char('.'));
    showOperand();
}

void CCalculatorEngine::SquareRoot()
{
    m_strError.clear();
    if (!m_bEntering)
        return;
    const double value = valueOf(current());
    if (value < 0) {
        m_strError = kNegativeRoot;
        return;
    }
    replaceCurrent(std::sqrt(value));
}

void CCalculatorEngine::Reciprocal()
{
    m_strError.clear();
    if (!m_bEntering)
        return;
    const double value = valueOf(current());
    if (value == 0) {
        m_strError = kDivideByZero;
        return;
    }
    if (refuseIfNotFinite(1 / value, kOutOfRange))
        return;
    replaceCurrent(1 / value);
}

void CCalculatorEngine::Backspace()
{
    m_strError.clear();
    if (!m_bEntering)
        return;
    QString& text = current();
    if (text.endsWith(QLatin1Char('.')))
        m_bHasPoint = false;
    text.chop(1);
    if (text.isEmpty() || text == QLatin1String("-"))
        text = QStringLiteral("0");
    showOperand();
}

void CCalculatorEngine::ChangeSign()
{
    m_strError.clear();
    if (!m_bEntering)
        return;
    QString& text = current();
    if (text.startsWith(QLatin1Char('-')))
        text.remove(0, 1);
    else if (valueOf(text) != 0)
        text.prepend(QLatin1Char('-'));
    showOperand();
}

bool CCalculatorEngine::TypeOperand(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^-?(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!number.match(text).hasMatch())
        return false;
    m_strError.clear();
    // With no operator pending the number shown is the first operand (or the result of
    // "="), which the typed number replaces; after an operator it is the second operand.
    if (m_nPendingOp == None) {
        m_nCurrent = 0;
        m_strOperand[1] = QStringLiteral("0");
    }
    current() = text.endsWith(QLatin1Char('.')) ? text.chopped(1) : text;
    m_bHasPoint = current().contains(QLatin1Char('.'));
    m_bEntering = true;
    showOperand();
    return true;
}
