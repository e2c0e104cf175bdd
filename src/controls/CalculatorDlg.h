#pragma once

#include "controls/CalculatorBase.h"

namespace Ui {
class CCalculatorDlg;
}

// The compact calculator that the book entry window opens for its price field.
class CCalculatorDlg : public CCalculatorBase {
    Q_OBJECT
public:
    explicit CCalculatorDlg(QWidget* parent = nullptr);
    ~CCalculatorDlg() override;

private:
    Ui::CCalculatorDlg* ui;
};
