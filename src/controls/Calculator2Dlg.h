#pragma once

#include "controls/CalculatorBase.h"

namespace Ui {
class CCalculator2Dlg;
}

// The calculator of the main window's menu, with larger keys inside a frame.
class CCalculator2Dlg : public CCalculatorBase {
    Q_OBJECT
public:
    explicit CCalculator2Dlg(QWidget* parent = nullptr);
    ~CCalculator2Dlg() override;

private:
    Ui::CCalculator2Dlg* ui;
};
