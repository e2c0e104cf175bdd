#include "controls/Calculator2Dlg.h"

#include "ui_Calculator2Dlg.h"

CCalculator2Dlg::CCalculator2Dlg(QWidget* parent) : CCalculatorBase(parent), ui(new Ui::CCalculator2Dlg)
{
    ui->setupUi(this);
    OnInitDialog();
}

CCalculator2Dlg::~CCalculator2Dlg() { delete ui; }
