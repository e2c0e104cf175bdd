#include "controls/CalculatorBase.h"

#include "controls/Prompter.h"

#include <QLineEdit>
#include <QPushButton>

CCalculatorBase::CCalculatorBase(QWidget* parent) : QDialog(parent) {}

void CCalculatorBase::OnInitDialog()
{
    m_edtDisplay = findChild<QLineEdit*>(QStringLiteral("m_edtDisplay"));
    for (int d = 0; d < 10; ++d)
        connectKey(QStringLiteral("m_btnDigit%1").arg(d), [d](CCalculatorEngine& e) { e.Digit(d); });
    connectKey(QStringLiteral("m_btnPoint"), [](CCalculatorEngine& e) { e.Point(); });
    connectKey(QStringLiteral("m_btnPlus"), [](CCalculatorEngine& e) { e.PressOperator(CCalculatorEngine::Plus); });
    connectKey(QStringLiteral("m_btnMinus"), [](CCalculatorEngine& e) { e.PressOperator(CCalculatorEngine::Minus); });
    connectKey(QStringLiteral("m_btnMultiply"),
               [](CCalculatorEngine& e) { e.PressOperator(CCalculatorEngine::Multiply); });
    connectKey(QStringLiteral("m_btnDivide"), [](CCalculatorEngine& e) { e.PressOperator(CCalculatorEngine::Divide); });
    connectKey(QStringLiteral("m_btnEquals"), [](CCalculatorEngine& e) { e.Equals(); });
    connectKey(QStringLiteral("m_btnSqrt"), [](CCalculatorEngine& e) { e.SquareRoot(); });
    connectKey(QStringLiteral("m_btnReciprocal"), [](CCalculatorEngine& e) { e.Reciprocal(); });
    connectKey(QStringLiteral("m_btnBackspace"), [](CCalculatorEngine& e) { e.Backspace(); });
    connectKey(QStringLiteral("m_btnSign"), [](CCalculatorEngine& e) { e.ChangeSign(); });
    connectKey(QStringLiteral("m_btnC"), [](CCalculatorEngine& e) { e.Clear(); });
    connect(findChild<QPushButton*>(QStringLiteral("m_btnOK")), &QPushButton::clicked, this, &CCalculatorBase::OnOK);
    connect(findChild<QPushButton*>(QStringLiteral("m_btnCancel")), &QPushButton::clicked, this, &QDialog::reject);
    m_edtDisplay->setText(m_engine.Display());
    // As a dialog hands its first edit the focus: with the text selected, so that a number
    // typed at once replaces it.
    m_edtDisplay->selectAll();
}

void CCalculatorBase::connectKey(const QString& name, const Key& key)
{
    QPushButton* button = findChild<QPushButton*>(name);
    connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
}

void CCalculatorBase::press(const Key& key)
{
    if (m_edtDisplay->text() != m_engine.Display())
        m_engine.TypeOperand(m_edtDisplay->text());
    key(m_engine);
    if (!m_engine.Error().isEmpty()) {
        showMessage(this, m_engine.Error());
        return;
    }
    m_edtDisplay->setText(m_engine.Display());
}

void CCalculatorBase::OnOK()
{
    m_strDisplay = m_edtDisplay->text();
    accept();
}
