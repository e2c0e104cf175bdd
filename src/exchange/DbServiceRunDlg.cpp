#include "exchange/DbServiceRunDlg.h"

#include "ui_DbServiceRunDlg.h"

#include "exchange/DbServiceCommands.h"

CDbServiceRunDlg::CDbServiceRunDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CDbServiceRunDlg>())
{
    ui->setupUi(this);
    DbServiceCommands::wire(ui->m_btnStart, ui->m_btnStop);
}

CDbServiceRunDlg::~CDbServiceRunDlg() = default;
