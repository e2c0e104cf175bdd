#pragma once

#include "controls/CalculatorEngine.h"

#include <QDialog>

#include <functional>

class QLineEdit;

// What both calculator windows share: their keys carry the same object names, and the
// engine does the arithmetic. The librarian may type into the display: a typed number is
// the operand being entered when the next key is pressed; other text is dropped by that key.
// OK takes the display's text as it stands.
class CCalculatorBase : public QDialog {
    Q_OBJECT
public:
    // The display's text when the window was closed with OK.
    QString DisplayText() const { return m_strDisplay; }

protected:
    explicit CCalculatorBase(QWidget* parent);
    // Connects the keys; the derived window calls it once its form is built.
    void OnInitDialog();

private:
    using Key = std::function<void(CCalculatorEngine&)>;
    void connectKey(const QString& name, const Key& key);
    void press(const Key& key);
    void OnOK();

    CCalculatorEngine m_engine;
    QLineEdit* m_edtDisplay = nullptr;
    QString m_strDisplay;
};
