#include "controls/CalculatorDlg.h"

#include "ui_CalculatorDlg.h"

CCalculatorDlg::CCalculatorDlg(QWidget* parent) : CCalculatorBase(parent), ui(new Ui::CCalculatorDlg)
{
    ui->setupUi(this);
    OnInitDialog();
}

CCalculatorDlg::~CCalculatorDlg() { delete ui; }
